// The whole window end to end, as a user and a host meet it: opened and closed again and again
// while the audio plays.

#include "ModalDriver.h"
#include "PeerMouse.h"
#include "WholeEditor.h"

#include "CurveEdits.h"
#include "GoldenImage.h"
#include "SettingsFile.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <vector>

using kalvo::test::WholeEditor;

namespace
{
class WholeEditorXvfbTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE (OnScreen::displayAvailable()) << "no X display: run under tests/support/with-xvfb.sh";
    }
};

using Display = std::array<float, LineEditorAudioProcessor::tableSize>;

Display displayOf (LineEditorAudioProcessor& p)
{
    Display d;
    p.copyWaveDisplay (d.data());
    return d;
}

// Where used point `index` of the curve editor sits, in its own pixels.
juce::Point<int> pointOnScreen (const LineEditorUI& ui, int index)
{
    const auto g = ui.geometry();
    return { juce::roundToInt (CurveEdits::screenX (g, ui.points[index].x)),
             juce::roundToInt (CurveEdits::screenY (g, ui.points[index].y)) };
}

constexpr int timerPeriod = LineEditorAudioProcessorEditor::refreshIntervalMs;

// The left output of two loop cycles from bar 0, always from the same input samples; rendered on
// the calling thread while the audio thread is stopped.
std::vector<float> renderTwoCycles (WholeEditor& w, int cycle)
{
    constexpr int block = 512;
    std::vector<float> out;
    juce::AudioBuffer<float> buffer (2, block);
    juce::MidiBuffer midi;
    w.host.setPosition (0.0);
    for (int n = 0; n < 2 * cycle; n += block)
    {
        kalvo::test::fillSignal (buffer, n, w.host.sampleRate);
        w.host.process (buffer, midi);
        out.insert (out.end(), buffer.getReadPointer (0), buffer.getReadPointer (0) + block);
    }
    out.resize ((size_t) (2 * cycle));
    return out;
}

// The open popup menus' item that shows `text`, or nullptr.
juce::Component* menuItem (const juce::String& text)
{
    auto* modal = juce::ModalComponentManager::getInstance();
    for (int i = 0; i < modal->getNumModalComponents(); ++i)
        if (auto* window = modal->getModalComponent (i); window != nullptr && window->isShowing())
            for (auto* item : window->getChildren())
                if (auto* handler = item->getAccessibilityHandler();
                    handler != nullptr && handler->getTitle() == text)
                    return item;
    return nullptr;
}

// A modal-driver step that picks the items in turn as a user does: the mouse rests on each
// (which opens a submenu) and clicks it once the menu takes clicks.
ModalDriver::Step pickItems (juce::StringArray texts)
{
    struct Progress
    {
        int next = 0;
        juce::uint32 hoveredAt = 0;
    };
    auto progress = std::make_shared<Progress>();
    return [texts, progress]
    {
        auto* item = menuItem (texts[progress->next]);
        if (item == nullptr)
            return false;
        const auto now = juce::Time::getMillisecondCounter();
        if (progress->hoveredAt == 0)
        {
            juce::Desktop::setMousePosition (item->getScreenBounds().getCentre());
            progress->hoveredAt = now;
            return false;
        }
        // A menu ignores a release in its first quarter second.
        if (now - progress->hoveredAt < 400)
            return false;
        PeerMouse mouse (*item);
        mouse.move (item->getLocalBounds().getCentre());
        mouse.click (item->getLocalBounds().getCentre());
        progress->hoveredAt = 0;
        ++progress->next;
        return progress->next == texts.size();
    };
}

// A curve's 512-entry table rendered by a model of its own.
std::vector<float> tableOf (const LETPoint* points)
{
    LineEditor model;
    model.setLinePoints (points);
    std::vector<float> table (LineEditorAudioProcessor::tableSize);
    model.getLineArray (table.data());
    return table;
}
} // namespace

TEST_F (WholeEditorXvfbTest, OpensAndClosesFiftyTimesWhileThePluginPlays)
{
    enum Closing
    {
        plainly,
        whileDragging,
        withATooltip,
        insideAMenu,
        numClosings
    };

    WholeEditor w (1.5f);
    w.audio.start();
    bool displayMoved = false;
    const auto started = juce::Time::getMillisecondCounter();

    for (int cycle = 0; cycle < 50; ++cycle)
    {
        w.open();
        w.audio.sendNote (60 + cycle % 3, true);
        const auto before = displayOf (w.p);
        OnScreen::pump (3 * timerPeriod + 20);
        w.audio.sendNote (60 + cycle % 3, false);
        displayMoved = displayMoved || displayOf (w.p) != before;

        switch (cycle % numClosings)
        {
            case whileDragging:
            {
                auto& ui = w.e().lineEditorUI1;
                PeerMouse mouse (ui);
                const auto from = pointOnScreen (ui, 1);
                mouse.press (from);
                mouse.dragTo (from + juce::Point<int> (0, 12), 3);
                ASSERT_TRUE (ui.dragging); // closed before a pass could take it
                break;
            }
            case withATooltip:
            {
                auto& power = w.e().iconButtons[0];
                w.e().tooltipWindow.displayTip (power.getScreenBounds().getCentre(), "Power");
                ASSERT_TRUE (OnScreen::pumpUntil ([&] { return w.e().tooltipWindow.isVisible(); }));
                break;
            }
            case insideAMenu:
            {
                // The host closes the window from inside the state menu's loop.
                ModalDriver driver (
                    [&w]
                    {
                        if (menuItem ("Copy") == nullptr)
                            return false;
                        w.close();
                        return true;
                    });
                PeerMouse (w.e().stateGraphs[4]).click ({ 4, 4 }, juce::ModifierKeys::rightButtonModifier);
                EXPECT_TRUE (driver.stepDone());
                EXPECT_EQ (w.editor, nullptr);
                break;
            }
            default:
                break;
        }

        w.close();
        EXPECT_FALSE (w.p.editorOpen);
        // A block that began while the window was open may still be drawing into the display:
        // the picture is taken once a block that began after the close has ended.
        ASSERT_TRUE (w.audio.waitForBlocks (2));
        const auto closed = displayOf (w.p);
        ASSERT_TRUE (w.audio.waitForBlocks (4));
        EXPECT_EQ (displayOf (w.p), closed) << "cycle " << cycle;
    }

    EXPECT_TRUE (displayMoved) << "the waveform display never moved while a window was open";
    std::cout << "50 open/close cycles in " << (juce::Time::getMillisecondCounter() - started) << " ms"
              << std::endl;
}

TEST_F (WholeEditorXvfbTest, ACurveDragReachesTheEngineAndTheHostOnce)
{
    WholeEditor w;
    w.open();
    OnScreen::pump (3 * timerPeriod);
    auto& p = w.p;
    auto& e = w.e();

    const struct
    {
        int line, stage;
        int cycle; // samples: the fixed preset's 1/4 bar for Main, 1/2 bar for Low, at 120 bpm
        std::vector<juce::Component*> clicks; // what the user clicks on first
    } cases[] = { { 0, 1, 22050, {} }, { 1, 2, 44100, { &e.lineIcons[1], &e.iconButtons[7] } } };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.line);
        for (auto* child : c.clicks)
            PeerMouse (*child).click (child->getLocalBounds().getCentre());
        OnScreen::pump (2 * timerPeriod);
        ASSERT_EQ (p.currentLine.load(), c.line);

        auto& ui = c.stage == 1 ? e.lineEditorUI1 : e.lineEditorUI2;
        auto& model = c.stage == 1 ? p.lineEditor1() : p.lineEditor2();
        auto* store = c.stage == 1 ? p.linePoints1()[c.line][0] : p.linePoints2()[c.line][0];
        ASSERT_TRUE (ui.isShowing());
        const auto tableBefore =
            std::vector<float> (p.modulationArray()[c.line][0], p.modulationArray()[c.line][0] + 512);
        const auto before = renderTwoCycles (w, c.cycle);
        OnScreen::pump (2 * timerPeriod); // what the blocks flagged is shown
        w.listener.clear();
        ASSERT_EQ (model.undoCount[c.line][0], 0);
        const float yBefore = store[1].y;

        // Three steps of 6 px down, with refresh passes between them, as a hand moves.
        PeerMouse mouse (ui);
        const auto from = pointOnScreen (ui, 1);
        mouse.press (from);
        for (int step = 1; step <= 3; ++step)
        {
            mouse.dragTo (from + juce::Point<int> (0, 6 * step), 1);
            OnScreen::pump (timerPeriod + 10);
        }
        EXPECT_EQ (model.undoCount[c.line][0], 0) << "an undo step before the release";
        EXPECT_EQ (w.listener.of (WholeEditor::lineCh).count, 0) << "\"LineCH\" changed before the release";

        mouse.release (from + juce::Point<int> (0, 18));
        // The first refresh pass after the release commits the drag, this one or the window's own.
        e.timerCallback();
        ASSERT_EQ (model.undoCount[c.line][0], 1);
        OnScreen::pump (2 * timerPeriod);

        EXPECT_EQ (model.undoCount[c.line][0], 1);
        for (int i = 0; i < LineEditorAudioProcessor::numCurvePoints; ++i)
        {
            EXPECT_EQ (store[i].x, ui.points[i].x) << i;
            EXPECT_EQ (store[i].y, ui.points[i].y) << i;
            EXPECT_EQ (store[i].type, ui.points[i].type) << i;
        }
        EXPECT_LT (store[1].y, yBefore);
        const auto one = tableOf (p.linePoints1()[c.line][0]);
        const auto two = tableOf (p.linePoints2()[c.line][0]);
        std::vector<bool> changed (512);
        for (int k = 0; k < 512; ++k)
        {
            EXPECT_FLOAT_EQ (p.modulationArray()[c.line][0][k], one[(size_t) k] * two[(size_t) k]) << k;
            changed[(size_t) k] =
                std::abs (p.modulationArray()[c.line][0][k] - tableBefore[(size_t) k]) > 0.01f;
        }

        const auto changes = w.listener.of (WholeEditor::lineCh);
        ASSERT_EQ (changes.count, 1);
        EXPECT_EQ (changes.onMessageThread, 1);

        // The second cycle, where the glide and the crossover have settled alike: the output
        // differs where the curve changed.
        const auto after = renderTwoCycles (w, c.cycle);
        int differing = 0, changedSamples = 0;
        for (int n = c.cycle; n < 2 * c.cycle; ++n)
        {
            const auto k = (size_t) ((n - c.cycle) * 512 / c.cycle);
            if (changed[k] && std::abs (before[(size_t) n]) > 0.05f)
            {
                ++changedSamples;
                differing += std::abs (after[(size_t) n] - before[(size_t) n]) > 1.0e-4f ? 1 : 0;
            }
        }
        EXPECT_GT (changedSamples, 0);
        EXPECT_GT (differing, changedSamples * 9 / 10);
        std::cout << "line " << c.line << " stage " << c.stage << ": undo 0 -> 1, \"LineCH\" 0 -> 1 on the "
                  << (changes.onMessageThread == 1 ? "message" : "other") << " thread" << std::endl;
    }
}

TEST_F (WholeEditorXvfbTest, AnEditReleasedJustBeforeTheWindowClosesIsKept)
{
    WholeEditor w;
    w.open();
    OnScreen::pump (2 * timerPeriod);
    w.e().stopTimer(); // the host closes the window before another pass
    w.listener.clear();

    auto& ui = w.e().lineEditorUI1;
    PeerMouse mouse (ui);
    const auto from = pointOnScreen (ui, 2);
    mouse.press (from);
    mouse.dragTo (from + juce::Point<int> (0, 15), 3);
    mouse.release (from + juce::Point<int> (0, 15));
    ASSERT_TRUE (ui.lineChanged);
    LETPoint shown[LineEditorAudioProcessor::numCurvePoints];
    std::copy (std::begin (ui.points), std::end (ui.points), shown);
    w.close();

    EXPECT_EQ (w.p.lineEditor1().undoCount[0][0], 1);
    EXPECT_EQ (std::memcmp (w.p.linePoints1()[0][0], shown, sizeof (shown)), 0);
    EXPECT_EQ (w.listener.of (WholeEditor::lineCh).count, 1);
}

TEST_F (WholeEditorXvfbTest, RealMenusThroughTheWindow)
{
    WholeEditor w;
    w.open();
    OnScreen::pump (2 * timerPeriod);
    auto& p = w.p;

    // A menu that opens on the press gets the release while it is up, as from a hand.
    const auto choose = [] (juce::Component& child, juce::Point<int> at, juce::ModifierKeys button,
                            const juce::StringArray& items, bool opensOnPress = false)
    {
        PeerMouse mouse (child);
        bool released = !opensOnPress;
        ModalDriver driver (
            [&released, &mouse, &items, at, pick = pickItems (items)]
            {
                if (!released && menuItem (items[0]) != nullptr)
                {
                    mouse.release (at);
                    released = true;
                }
                return released && pick();
            });
        if (opensOnPress)
            mouse.press (at, button);
        else
            mouse.click (at, button);
        driver.stop();
        EXPECT_TRUE (driver.stepDone()) << items.joinIntoString (" > ");
        EXPECT_FALSE (driver.timedOut());
    };
    const auto left = juce::ModifierKeys::leftButtonModifier, right = juce::ModifierKeys::rightButtonModifier;

    {
        SCOPED_TRACE ("preset menu");
        auto& presetIcon = w.e().iconButtons[1];
        choose (presetIcon, presetIcon.getLocalBounds().getCentre(), left, { "UI Settings", "Scale: %100" });
        EXPECT_EQ (w.e().getWidth(), 1184);
        EXPECT_EQ (w.e().getHeight(), 468);
        const auto settings =
            juce::XmlDocument::parse (SettingsFile::getFile (p.makerFolder, p.productFolder));
        ASSERT_NE (settings, nullptr);
        EXPECT_EQ (settings->getDoubleAttribute ("Scaling"), 2.0);
    }
    {
        SCOPED_TRACE ("point menu");
        w.listener.clear();
        auto& ui = w.e().lineEditorUI1;
        choose (ui, pointOnScreen (ui, 2), right, { "Step" }, true);
        // A loaded machine can hold the refresh back past one period; what counts is that it
        // commits once, so wait for the commit and then one more period for a second one.
        OnScreen::pumpUntil ([&] { return p.linePoints1()[0][0][2].type == 7; });
        OnScreen::pump (timerPeriod + 20);
        EXPECT_EQ (p.linePoints1()[0][0][2].type, 7);
        EXPECT_EQ (w.listener.of (WholeEditor::lineCh).count, 1);
    }
    {
        SCOPED_TRACE ("state menu");
        ASSERT_FALSE (p.stateClipboardFull());
        EXPECT_EQ (w.e().iconButtons[19].state, 2);
        choose (w.e().stateGraphs[0], { 4, 4 }, right, { "Copy" });
        EXPECT_TRUE (p.stateClipboardFull());
        EXPECT_EQ (w.e().iconButtons[19].state, 0) << "Paste State is not lit";
    }
}

TEST_F (WholeEditorXvfbTest, MidiLearnFromTheMenuToTheAudioThread)
{
    WholeEditor w;
    w.audio.start();
    w.open();
    OnScreen::pump (2 * timerPeriod);
    auto& icon = w.e().stateIcons[3];
    ASSERT_EQ (w.p.stateMIDICon[3].load(), 0);

    {
        ModalDriver driver (pickItems ({ "Midi Learn" }));
        PeerMouse (icon).click (icon.getLocalBounds().getCentre());
        EXPECT_TRUE (driver.stepDone());
    }
    EXPECT_EQ (icon.text, "Waiting");

    w.listener.clear();
    w.audio.sendNote (64, true);
    ASSERT_TRUE (w.audio.waitForBlocks (2));
    w.audio.sendNote (64, false);
    EXPECT_TRUE (OnScreen::pumpUntil ([&] { return icon.text == "E5"; }, 2 * timerPeriod + 20)) << icon.text;
    EXPECT_EQ (w.p.stateMIDICon[3].load(), 1);
    EXPECT_EQ (w.listener.of (WholeEditor::lineCh).count, 1);
}

TEST_F (WholeEditorXvfbTest, SnapshotsAtThreeScalesInBothViewsWithPowerOnAndOff)
{
    const GoldenImage goldens (juce::File (KALVO_GOLDEN_DIR));
    const struct
    {
        float scale;
        const char* name;
        int width, height;
    } scales[] = { { 1.0f, "50", 592, 234 }, { 1.5f, "75", 888, 351 }, { 2.0f, "100", 1184, 468 } };

    for (const auto& s : scales)
    {
        SCOPED_TRACE (s.name);
        WholeEditor w (s.scale);
        w.open();
        auto& e = w.e();
        auto& p = w.p;
        e.stopTimer();

        // What the audio thread would have published, from fixed tables.
        for (int k = 0; k < LineEditorAudioProcessor::tableSize; ++k)
            p.waveDisplay[k] =
                0.5f + 0.45f * std::sin ((float) k * 0.07f) * std::exp (-(float) (k % 128) / 60.0f);
        for (int i = 0; i < 4; ++i)
            p.lineValue[i] = 0.2f + 0.2f * (float) i;
        p.linePhase[0] = 0.3f;
        p.isPlaying = true;

        const juce::Component* const aboutChildren[] = { &e.skinImage, &e.tooltipWindow, &e.aboutLabels[1],
                                                         &e.versionLabel };
        const auto shot = [&] (int view, const char* power)
        {
            e.ViewSelector (view);
            e.timerCallback();
            for (auto* child : e.getChildren())
            {
                const bool allowed =
                    view == 0 || std::find (std::begin (aboutChildren), std::end (aboutChildren), child) !=
                                     std::end (aboutChildren);
                EXPECT_TRUE (allowed || !child->isVisible())
                    << "a main-view child on the about view, power " << power;
            }
            const auto image = e.createComponentSnapshot (e.getLocalBounds(), true, 1.0f);
            EXPECT_EQ (image.getWidth(), s.width);
            EXPECT_EQ (image.getHeight(), s.height);
            EXPECT_TRUE (goldens.matches (image, juce::String ("whole_") + (view == 0 ? "main_" : "about_") +
                                                     s.name + "_" + power));
        };

        shot (0, "on");
        shot (1, "on");
        // Switched off while the about view shows.
        p.parameters.getParameter ("Power")->setValueNotifyingHost (0.0f);
        shot (1, "off");
        shot (0, "off");
    }
}
