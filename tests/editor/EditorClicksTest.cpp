// The click frame, line selection, band solo and mute, state selection, the state menu and MIDI
// learn, with the window's menus answered by a script.

#include "OpenWindow.h"
#include "StateTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using kalvo::test::OpenWindow;

namespace
{
float stateRequest (LineEditorAudioProcessor& p)
{
    return p.parameters.getParameter ("State")->getValue();
}
} // namespace

TEST (EditorClicks, PressesShowThePressedLookOnlyOnTheirIcons)
{
    OpenWindow w;
    auto& e = w.e;
    std::vector<Icons*> icons{ &e.categoryIcon };
    for (int k : { 0, 1, 2, 3, 4, 6, 7, 8, 9, 10, 11, 18, 19, 12, 13, 16, 17, 14, 15, 20, 21 })
        icons.push_back (&e.iconButtons[k]);
    for (auto* group : { e.soloIcons, e.muteIcons, e.stateIcons, e.lineIcons })
        for (int i = 0; i < (group == e.stateIcons ? 12 : group == e.lineIcons ? 4 : 3); ++i)
            icons.push_back (group + i);
    for (auto* icon : icons)
    {
        icon->state = 2;
        w.press (*icon, OpenWindow::right);
        EXPECT_EQ (icon->state, 1) << icon->text;
    }
    // The frame without action and the Sync icons get no pressed look.
    w.e.iconButtons[5].state = 2;
    w.press (w.e.iconButtons[5]);
    EXPECT_EQ (w.e.iconButtons[5].state, 2);
    w.press (w.e.syncIcons[1]);
    EXPECT_NE (w.e.syncIcons[1].state, 1);

    // A press on a state thumbnail lights the current line's thumbnail of that state.
    w.p.currentLine = 2;
    w.press (w.e.stateGraphs[4]);
    EXPECT_EQ (w.e.stateGraphs[2 * 12 + 4].colour.getARGB(), 0x90FFFFFFu);

    // The category remembers which button pressed it.
    w.press (w.e.categoryIcon, OpenWindow::left);
    EXPECT_TRUE (w.e.categoryLeftClick);
    w.press (w.e.categoryIcon, OpenWindow::right);
    EXPECT_FALSE (w.e.categoryLeftClick);
}

TEST (EditorClicks, SyncTogglesOnAnyPressAndPowerOnRelease)
{
    OpenWindow w;
    const bool before = w.p.lineSync()[2][0];
    w.press (w.e.syncIcons[2], OpenWindow::right);
    EXPECT_EQ (w.p.lineSync()[2][0], !before);
    EXPECT_EQ (w.p.activeSync[2].load(), !before);
    EXPECT_TRUE (w.p.syncChanged[2] && w.p.speedChanged[2]);
    EXPECT_EQ (w.e.syncIcons[2].state, before ? 2 : 0);
    w.press (w.e.syncIcons[2]);
    EXPECT_EQ (w.p.lineSync()[2][0], before);

    const float nan = std::numeric_limits<float>::quiet_NaN();
    const std::pair<float, float> power[] = { { 0.5f, 1.0f }, { 0.7f, 0.0f }, { nan, 1.0f } };
    for (const auto& [from, to] : power)
    {
        w.p.powerValue = from;
        w.log.changes.clear();
        w.click (w.e.iconButtons[0], OpenWindow::right);
        ASSERT_EQ (w.log.changes.size(), 1u);
        EXPECT_EQ (w.log.changes[0], std::make_pair (0, to));
        EXPECT_EQ (w.e.iconButtons[0].state, 1); // until the refresh sees the change
    }
}

TEST (EditorClicks, SoloAndMuteReachTheHostInOrder)
{
    using Changes = std::vector<std::pair<int, float>>;
    // Parameter indices: LowSolo 9, LowMute 10, MidSolo 11, MidMute 12.
    struct Row
    {
        const char* name;
        std::vector<std::pair<const char*, float>> before;
        bool solo;
        int band;
        Changes expected;
    } rows[] = {
        { "solo Low with Mid soloed", { { "MidSolo", 1.0f } }, true, 0, { { 9, 1.0f }, { 11, 0.0f } } },
        { "solo a muted band", { { "LowMute", 1.0f } }, true, 0, { { 9, 1.0f }, { 10, 0.0f } } },
        { "mute a soloed band", { { "LowSolo", 1.0f } }, false, 0, { { 10, 1.0f } } },
        { "unsolo", { { "LowSolo", 1.0f }, { "MidMute", 1.0f } }, true, 0, { { 9, 0.0f } } },
        { "unmute", { { "MidMute", 1.0f } }, false, 1, { { 12, 0.0f } } },
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE (row.name);
        OpenWindow w;
        for (const auto& [id, value] : row.before)
            statetest::setParameter (w.p, id, value);
        w.log.changes.clear();
        w.click (row.solo ? static_cast<juce::Component&> (w.e.soloIcons[row.band])
                          : w.e.muteIcons[row.band]);
        EXPECT_EQ (w.log.changes, row.expected);
    }
}

TEST (EditorClicks, ChoosingALineShowsItsEditedStageAndHistory)
{
    OpenWindow w;
    w.p.editedStage[0] = 0;
    w.p.editedStage[1] = 1;
    w.p.lineEditor2().undoCount[1][0] = 3;
    for (auto& v : w.p.waveDisplay)
        v = 0.9f;
    w.p.linePoints2()[1][0][0].y = 0.2f;

    w.click (w.e.lineIcons[1]);

    EXPECT_EQ (w.p.currentLine.load(), 1);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ (w.e.lineIcons[i].state, i == 1 ? 0 : 2);
    EXPECT_FALSE (w.e.lineEditorUI1.isVisible());
    EXPECT_TRUE (w.e.lineEditorUI2.isVisible());
    EXPECT_EQ (w.e.iconButtons[6].state, 2);
    EXPECT_EQ (w.e.iconButtons[7].state, 0);
    EXPECT_EQ (w.e.lineEditorUI2.points[0].y, 0.2f);
    EXPECT_EQ (w.e.lineEditorUI2.loadedLine, 1);
    EXPECT_EQ (w.p.modelLine(), 1); // undo now acts on Low's history
    EXPECT_EQ (w.e.iconButtons[8].getTooltip(), "Line Undo (3)");
    for (int k = 0; k < 512; ++k)
        ASSERT_EQ (w.p.modulationArray()[1][0][k], w.p.lineArray1()[1][0][k] * w.p.lineArray2()[1][0][k]);
    for (float v : w.p.waveDisplay)
        ASSERT_EQ (v, 0.5f);
    EXPECT_EQ (w.log.changes.size(), 0u);

    // The audio thread refills its capture buffer at its next block.
    EXPECT_TRUE (w.p.waveRestartRequested);
    w.p.waveBuffer[1234] = 0.9f;
    w.p.prepareToPlay (48000.0, 256);
    juce::AudioBuffer<float> audio (2, 256);
    audio.clear();
    juce::MidiBuffer midi;
    w.p.processBlock (audio, midi);
    EXPECT_EQ (w.p.waveBuffer[1234], 0.5f);

    // The line already chosen only relights the icons.
    w.e.lineIcons[1].state = 1;
    w.p.waveDisplay[0] = 0.9f;
    w.click (w.e.lineIcons[1]);
    EXPECT_EQ (w.e.lineIcons[1].state, 0);
    EXPECT_EQ (w.p.waveDisplay[0], 0.9f);
}

TEST (EditorClicks, ThumbnailsAndStateIconsSelectStates)
{
    OpenWindow w;
    w.click (w.e.stateGraphs[5]);
    EXPECT_FLOAT_EQ (stateRequest (w.p), 5.0f / 11.0f);
    EXPECT_TRUE (w.seam.shown.empty());

    // The current state's thumbnail sends nothing; its icon, right-clicked, sends it anyway.
    w.log.changes.clear();
    w.click (w.e.stateGraphs[0]);
    EXPECT_TRUE (w.log.changes.empty());
    w.click (w.e.stateIcons[0], OpenWindow::right);
    ASSERT_EQ (w.log.changes.size(), 1u);
    EXPECT_EQ (w.log.changes[0], std::make_pair (15, 0.0f));
    EXPECT_EQ (w.e.stateIcons[0].state, 0);

    // The middle button selects nothing and leaves no pressed look or highlight behind.
    w.log.changes.clear();
    const auto colour = w.e.stateGraphs[3].colour;
    w.click (w.e.stateGraphs[3], juce::ModifierKeys::middleButtonModifier);
    w.click (w.e.stateIcons[3], juce::ModifierKeys::middleButtonModifier);
    EXPECT_EQ (w.e.stateGraphs[3].colour, colour);
    EXPECT_EQ (w.e.stateIcons[3].state, 2);
    EXPECT_TRUE (w.log.changes.empty());

    // Both buttons down: the right button's selection, not the learn menu.
    w.click (w.e.stateIcons[3], OpenWindow::left | OpenWindow::right);
    EXPECT_TRUE (w.seam.shown.empty());
    EXPECT_FLOAT_EQ (stateRequest (w.p), 3.0f / 11.0f);
}

TEST (EditorClicks, TheStateMenuActsOnTheClickedState)
{
    OpenWindow w;
    // State 2 plays; the switch to 5 is still waiting for the end of the cycle.
    w.switchTo (2);
    w.pass();
    w.p.lineLength()[1][5] = 0.9f;
    w.p.lineLength()[1][2] = 0.8f;

    w.seam.answers = { 4 };
    w.click (w.e.stateGraphs[5], OpenWindow::right);
    EXPECT_FLOAT_EQ (stateRequest (w.p), 5.0f / 11.0f);
    EXPECT_EQ (w.seam.lastMenu(), juce::StringArray ({ "Cut", "Copy", "Paste (off)", "Reset", "Randomize" }));
    EXPECT_EQ (w.seam.shown.back().lookAndFeel, &w.e.lookAndFeels[8]);

    EXPECT_EQ (w.p.lineLength()[1][5], StateDefaults::length);
    EXPECT_EQ (w.p.lineLength()[1][2], 0.8f);
    EXPECT_EQ (w.p.currentState.load(), 2);

    w.seam.answers = { 2 };
    w.click (w.e.stateGraphs[5], OpenWindow::right);
    w.click (w.e.stateGraphs[5], OpenWindow::right);
    EXPECT_EQ (w.seam.lastMenu()[2], "Paste");
}

TEST (EditorClicks, LearnMenuArmsCancelsAndRemoves)
{
    OpenWindow w;
    w.click (w.e.stateIcons[3]);
    EXPECT_EQ (w.seam.lastMenu(), juce::StringArray ({ "Midi Learn" }));
    EXPECT_EQ (w.e.stateIcons[3].state, 2);

    w.seam.answers = { 1 };
    w.click (w.e.stateIcons[5]);
    EXPECT_TRUE (w.p.midiLearnActive);
    EXPECT_EQ (w.p.midiLearnTarget.load(), 5);
    EXPECT_EQ (w.e.stateIcons[5].onColour.getARGB(), 0xFFD62400u);
    EXPECT_EQ (w.e.stateIcons[5].offColour.getARGB(), 0xFFD62400u);
    EXPECT_EQ (w.e.stateIcons[5].text, "Waiting");

    // Opening another learn menu cancels the armed learn before anything is chosen, whatever line.
    w.p.currentLine = 2;
    w.seam.during = [&w] { EXPECT_FALSE (w.p.midiLearnActive); };
    w.click (w.e.stateIcons[3]);
    w.seam.during = nullptr;
    EXPECT_EQ (w.p.midiLearnTarget.load(), -1);
    EXPECT_EQ (w.e.stateIcons[5].onColour.getARGB(), 0xFF49A7E3u);
    EXPECT_EQ (w.e.stateIcons[5].pressedColour.getARGB(), 0xFF364A55u);
    EXPECT_EQ (w.e.stateIcons[5].offColour.getARGB(), 0x7F49A7E3u);

    w.p.stateMIDICon[7] = 1;
    w.p.stateMIDINote[7] = 40;
    w.seam.answers = { 2 };
    w.click (w.e.stateIcons[7]);
    EXPECT_EQ (w.seam.lastMenu(), juce::StringArray ({ "Midi Learn", "Remove MIDI Connection" }));
    EXPECT_EQ (w.p.stateMIDICon[7].load(), 0);
    EXPECT_EQ (w.p.stateMIDINote[7].load(), 67);
    EXPECT_EQ (w.e.stateIcons[7].text, "--");
}

// The host closes the window while a menu is open: the handler returns without touching it.
TEST (EditorClicks, AWindowClosedInsideAMenuIsLeftAlone)
{
    for (const bool learn : { false, true })
    {
        OpenWindow w;
        auto& child = learn ? static_cast<juce::Component&> (w.e.stateIcons[4]) : w.e.stateGraphs[4];
        w.seam.answers = { 1 };
        w.seam.during = [&w] { w.editor.reset(); };
        w.release (child, learn ? OpenWindow::left : OpenWindow::right);
        EXPECT_EQ (w.editor, nullptr);
        EXPECT_FALSE (w.p.midiLearnActive);
        EXPECT_FALSE (w.p.stateClipboardFull());
    }
}

TEST (EditorClicks, PointMenusGoThroughTheSeam)
{
    OpenWindow w;
    auto& ui = w.e.lineEditorUI1;
    const auto g = ui.geometry();
    const juce::Point<int> first (juce::roundToInt (CurveEdits::screenX (g, ui.points[0].x)),
                                  juce::roundToInt (CurveEdits::screenY (g, ui.points[0].y)));
    ui.mouseDown (OpenWindow::event (ui, juce::ModifierKeys (OpenWindow::right)).withNewPosition (first));
    ASSERT_EQ (w.seam.shown.size(), 1u);
    EXPECT_EQ (w.seam.shown[0].lookAndFeel, &ui.menuLookAndFeel);
    EXPECT_EQ (w.seam.shown[0].items[0].text, "Delete");
}

// The window paints only black behind its children, and leaves the first palette colour set.
TEST (EditorClicks, PaintFillsBlackAndLeavesTheFirstPaletteColour)
{
    OpenWindow w;
    juce::Image image (juce::Image::ARGB, 4, 4, true, juce::SoftwareImageType());
    juce::Graphics g (image);
    w.e.paint (g);
    EXPECT_EQ (image.getPixelAt (1, 1).getARGB(), 0xFF000000u);
    g.fillRect (0, 0, 1, 1);
    EXPECT_EQ (image.getPixelAt (0, 0).getARGB(), 0xFF4ED36Du);
}

// Power from the host while the about view shows: the recolouring shows no main-view child.
TEST (EditorClicks, PowerOnTheAboutViewShowsNoKnobs)
{
    OpenWindow w;
    w.click (w.e.aboutLabels[0]);
    EXPECT_EQ (w.p.currentView, 1);
    w.p.powerValue = 0.0f;
    w.p.powerChanged = true;
    w.pass();
    for (auto* child : w.e.getChildren())
    {
        if (child != &w.e.skinImage && child != &w.e.tooltipWindow && child != &w.e.aboutLabels[1] &&
            child != &w.e.versionLabel)
        {
            EXPECT_FALSE (child->isVisible()) << child->getName();
        }
    }
    w.click (w.e.aboutLabels[1]);
    EXPECT_EQ (w.p.currentView, 0);
    EXPECT_TRUE (w.e.lengthSliders[0].isVisible());
}
