// The editor's panels as a real window: clicks through the window's peer reach the child meant
// to take them, a knob drag reaches the host as one gesture, and the opening case at three
// scales against PNG goldens.

#include "../EditorTestSupport.h"
#include "GoldenImage.h"
#include "OnScreen.h"
#include "PeerMouse.h"

#include <vector>

using kalvo::test::makeEditorProcessor;
using kalvo::test::openEditor;

namespace
{
// Records which child each press on a listened child came from, and does nothing else.
class RecordingEditor final : public LineEditorAudioProcessorEditor
{
public:
    using LineEditorAudioProcessorEditor::LineEditorAudioProcessorEditor;

    void mouseDown (const juce::MouseEvent& e) override { pressed.push_back (e.eventComponent); }
    void mouseUp (const juce::MouseEvent&) override {}

    std::vector<juce::Component*> pressed;
};

// Records presses that reach one component of its own.
struct PressRecorder final : public juce::MouseListener
{
    void mouseDown (const juce::MouseEvent& e) override { pressed.push_back (e.eventComponent); }
    std::vector<juce::Component*> pressed;
};

void setOpeningCase (LineEditorAudioProcessor& p)
{
    p.currentLine = 2;
    p.editedStage[2] = 1;
    p.shapeCategory = 2;
    p.waveView = 0;
    p.activeSync[2] = false;
    for (const char* id : { "LowSolo", "HighMute" })
        p.parameters.getParameter (id)->setValueNotifyingHost (1.0f);
    p.changeImmediately = true;
    p.linkMix = false;
}

class EditorPanelsXvfbTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE (OnScreen::displayAvailable()) << "no X display: run under tests/support/with-xvfb.sh";
    }
};
} // namespace

TEST_F (EditorPanelsXvfbTest, ClicksReachTheChildMeantToTakeThem)
{
    auto p = makeEditorProcessor (1.5f);
    setOpeningCase (*p);
    RecordingEditor editor (*p, p->parameters);
    editor.stopTimer();
    OnScreen window (editor, { 20, 20 });
    ASSERT_NE (window.peer(), nullptr);
    OnScreen::pump (100);
    PeerMouse mouse (editor);

    // Every listened child the main view shows (the links aside: a click opens a browser).
    std::vector<juce::Component*> listened;
    for (int k = 0; k < 22; ++k)
        if (k != 5)
            listened.push_back (&editor.iconButtons[k]);
    for (auto* group : { &editor.soloIcons, &editor.muteIcons })
        for (auto& icon : *group)
            listened.push_back (&icon);
    for (auto& icon : editor.stateIcons)
        listened.push_back (&icon);
    for (auto& icon : editor.lineIcons)
        listened.push_back (&icon);
    listened.push_back (&editor.syncIcons[2]);
    listened.push_back (&editor.categoryIcon);
    for (int r = 20; r < 30; ++r)
        listened.push_back (&editor.shapeGraphs[r]);
    for (int k = 0; k < 12; ++k)
        listened.push_back (&editor.stateGraphs[k]);
    listened.push_back (&editor.aboutLabels[0]);
    ASSERT_EQ (listened.size(), 21u + 6u + 12u + 4u + 1u + 1u + 10u + 12u + 1u);

    for (auto* child : listened)
    {
        ASSERT_TRUE (child->isShowing());
        editor.pressed.clear();
        mouse.click (child->getBounds().getCentre());
        ASSERT_EQ (editor.pressed.size(), 1u);
        EXPECT_EQ (editor.pressed.front(), child) << child->getBounds().toString();
    }

    // Clicks on children that let them through.
    const auto lowerRowPoint =
        editor.stateGraphs[24].getBounds().getIntersection (editor.stateGraphs[0].getBounds());
    ASSERT_FALSE (lowerRowPoint.isEmpty());
    const std::pair<juce::Point<int>, juce::Component*> throughs[] = {
        { lowerRowPoint.getCentre(), &editor.stateGraphs[0] },
        { editor.shapeFrames[3].getBounds().getCentre(), &editor.shapeGraphs[23] },
        { editor.stateFrames[5].getBounds().getCentre(), &editor.stateGraphs[5] },
    };
    for (const auto& [point, target] : throughs)
    {
        editor.pressed.clear();
        mouse.click (point);
        ASSERT_EQ (editor.pressed.size(), 1u);
        EXPECT_EQ (editor.pressed.front(), target) << point.toString();
    }

    const std::pair<juce::Component*, juce::Component*> toKnobs[] = {
        { &editor.lengthLabels[2], &editor.lengthSliders[2] },
        { &editor.mixLabels[2], &editor.mixSliders[2] },
        { &editor.highLevelLabels[0], &editor.highLevelSlider },
        { &editor.splitLabels[1], &editor.splitSliders[1] },
        { &editor.masterMixLabel, &editor.masterMixSlider },
        { &editor.previewGraph, &editor.lineEditorUI2 },
    };
    for (const auto& [clicked, target] : toKnobs)
    {
        PressRecorder recorder;
        target->addMouseListener (&recorder, false);
        mouse.click (clicked->getBounds().getCentre());
        target->removeMouseListener (&recorder);
        ASSERT_EQ (recorder.pressed.size(), 1u) << clicked->getBounds().toString();
        EXPECT_EQ (recorder.pressed.front(), target);
    }
}

// Rows: a level knob; the Main mix knob, whose drag begins with the link on and a host restore
// turns it off after the first move, so the later moves reach the host; the same, with the
// window closed before the release.
TEST_F (EditorPanelsXvfbTest, AKnobDragReachesTheHostAsOneGesture)
{
    struct GestureCounter final : public juce::AudioProcessorListener
    {
        void audioProcessorParameterChanged (juce::AudioProcessor*, int index, float) override
        {
            changes += index == watched ? 1 : 0;
            outside += index == watched && begins == ends ? 1 : 0;
        }
        void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails&) override {}
        void audioProcessorParameterChangeGestureBegin (juce::AudioProcessor*, int index) override
        {
            begins += index == watched ? 1 : 0;
        }
        void audioProcessorParameterChangeGestureEnd (juce::AudioProcessor*, int index) override
        {
            ends += index == watched ? 1 : 0;
        }
        int watched = -1, changes = 0, outside = 0, begins = 0, ends = 0;
    };

    juce::MemoryBlock unlinked;
    {
        auto source = makeEditorProcessor (1.0f);
        source->linkMix = false;
        source->getStateInformation (unlinked);
    }
    using Editor = LineEditorAudioProcessorEditor;
    const struct
    {
        const char* name;
        const char* parameter;
        juce::Slider& (*knob) (Editor&);
        bool restoredMidDrag, closedMidDrag;
    } rows[] = {
        { "a level", "HighLevel", [] (Editor& e) -> juce::Slider& { return e.highLevelSlider; }, false,
          false },
        { "a mix unlinked by a restore", "MixMain",
          [] (Editor& e) -> juce::Slider& { return e.mixSliders[0]; }, true, false },
        { "a mix unlinked by a restore, then the window closes", "MixMain",
          [] (Editor& e) -> juce::Slider& { return e.mixSliders[0]; }, true, true },
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE (row.name);
        auto p = makeEditorProcessor (1.0f);
        auto editor = openEditor (*p);
        editor->stopTimer();
        OnScreen::show (*editor, { 20, 20 });
        OnScreen::pump (100);

        GestureCounter counter;
        counter.watched = p->parameters.getParameter (row.parameter)->getParameterIndex();
        p->addListener (&counter);
        PeerMouse mouse (*editor);
        const auto centre = row.knob (*editor).getBounds().getCentre();
        mouse.press (centre);
        mouse.dragTo (centre + juce::Point<int> (0, 20));
        if (row.restoredMidDrag)
        {
            p->setStateInformation (unlinked.getData(), (int) unlinked.getSize());
            ASSERT_FALSE (p->linkMix.load());
        }
        mouse.dragTo (centre + juce::Point<int> (0, 40));
        if (!row.closedMidDrag)
            mouse.release (centre + juce::Point<int> (0, 40));
        editor.reset();
        p->removeListener (&counter);

        EXPECT_EQ (counter.begins, 1);
        EXPECT_EQ (counter.ends, 1);
        EXPECT_GT (counter.changes, 1);
        EXPECT_EQ (counter.outside, 0);
        auto* parameter = p->parameters.getParameter (row.parameter);
        EXPECT_LT (parameter->getValue(), parameter->getDefaultValue());
    }
}

TEST_F (EditorPanelsXvfbTest, TheOpeningCaseAtThreeScales)
{
    const GoldenImage goldens (juce::File (KALVO_GOLDEN_DIR));
    const std::pair<float, const char*> scales[] = { { 1.0f, "50" }, { 1.5f, "75" }, { 2.0f, "100" } };
    for (const auto& [scale, name] : scales)
    {
        auto p = makeEditorProcessor (scale);
        setOpeningCase (*p);
        auto editor = openEditor (*p);
        editor->stopTimer();
        OnScreen window (*editor, { 20, 20 });
        OnScreen::pump (100);
        const auto snapshot = editor->createComponentSnapshot (editor->getLocalBounds(), true, 1.0f);
        EXPECT_TRUE (goldens.matches (snapshot, juce::String ("editor_opening_") + name));
    }
}
