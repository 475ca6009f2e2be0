// The refresh pass with the timer stopped: each flag reaches its widgets and is cleared, the live
// displays follow the power, the read-outs are exact, and curve edits become one undo step in
// the curve they were made on.

#include "OpenWindow.h"
#include "StateTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <thread>

using kalvo::test::OpenWindow;
using W = OpenWindow;

namespace
{
struct Row
{
    const char* name;
    std::function<void (W&)> before, after;
};

// Each row raises its flags, one pass runs, and the row checks the widgets and the flags.
void runRows (const std::vector<Row>& rows, bool freshWindow)
{
    std::unique_ptr<W> shared = freshWindow ? nullptr : std::make_unique<W>();
    for (const auto& row : rows)
    {
        SCOPED_TRACE (row.name);
        auto fresh = freshWindow ? std::make_unique<W>() : nullptr;
        W& w = freshWindow ? *fresh : *shared;
        row.before (w);
        w.pass();
        row.after (w);
        EXPECT_EQ (w.log.count (W::lineCh), 0);
    }
}

std::unique_ptr<LineEditor> loaded (const LETPoint* curve)
{
    auto model = std::make_unique<LineEditor>();
    model->setLinePoints (curve);
    return model;
}

bool sameCurve (const LETPoint* a, const LETPoint* b)
{
    return std::memcmp (a, b, sizeof (LETPoint) * LineEditorAudioProcessor::numCurvePoints) == 0;
}
} // namespace

// clang-format off
TEST (EditorRefresh, EachFlagReachesItsWidgetsAndIsCleared)
{
    runRows ({
        { "power off", [] (W& w) { w.p.powerValue = 0.0f; w.p.powerChanged = true; },
          [] (W& w) { EXPECT_FALSE (w.p.powerChanged); EXPECT_EQ (w.e.iconButtons[0].state, 2); } },
        { "power low but on", [] (W& w) { w.p.powerValue = 0.01f; w.p.powerChanged = true; },
          [] (W& w) { EXPECT_FALSE (w.p.powerChanged); EXPECT_EQ (w.e.iconButtons[0].state, 0); } },
        { "solo and mute", [] (W& w) { w.p.bandSolo[1] = true; w.p.soloChanged[1] = w.p.muteChanged[2] = true; },
          [] (W& w) { EXPECT_FALSE (w.p.soloChanged[1] || w.p.muteChanged[2]);
                      EXPECT_EQ (w.e.soloIcons[1].state, 0); EXPECT_EQ (w.e.muteIcons[2].state, 2); } },
        { "learn done", [] (W& w) { w.e.stateIcons[4].onColour = juce::Colour (0xFFD62400); w.p.midiLearnDone = true; },
          [] (W& w) { EXPECT_FALSE (w.p.midiLearnDone);
                      const auto& icon = w.e.stateIcons[4];
                      EXPECT_EQ (icon.onColour.getARGB(), 0xFF49A7E3u); EXPECT_EQ (icon.pressedColour.getARGB(), 0xFF364A55u);
                      EXPECT_EQ (icon.offColour.getARGB(), 0x7F49A7E3u); } },
        { "splits", [] (W& w) { w.p.lmFreq()[0] = 0.242f; w.p.hmFreq()[0] = 0.7627f; w.p.lmFreqChanged = w.p.hmFreqChanged = true; },
          [] (W& w) { EXPECT_FALSE (w.p.lmFreqChanged || w.p.hmFreqChanged);
                      EXPECT_EQ (w.e.splitLabels[0].getText(), "250Hz"); EXPECT_EQ (w.e.splitLabels[1].getText(), "2000Hz");
                      EXPECT_EQ (w.e.freqDisplay.lowSplit, 0.242f); EXPECT_EQ (w.e.freqDisplay.highSplit, 0.7627f); } },
        { "options", [] (W& w) { w.p.changeImmediately = true; w.p.linkMix = false; w.p.optionsChanged = true; },
          [] (W& w) { EXPECT_FALSE (w.p.optionsChanged);
                      EXPECT_EQ (w.e.iconButtons[20].state, 2); EXPECT_EQ (w.e.iconButtons[21].state, 2); } },
        { "a switch waiting for the cycle end",
          [] (W& w) { auto* state = w.p.parameters.getParameter ("State"); state->setValueNotifyingHost (state->convertTo0to1 (4.0f)); },
          [] (W& w) { EXPECT_TRUE (w.p.stateChangePending); // the audio block clears it
                      EXPECT_EQ (w.e.stateGraphs[4].colour.getARGB() & 0xFFFFFFu, 0x54C726u); } },
        { "state switched", [] (W& w) { w.switchTo (7); },
          [] (W& w) { EXPECT_FALSE (w.p.stateSwitched);
                      EXPECT_EQ (w.e.lineEditorUI1.loadedState, 7); EXPECT_EQ (w.e.lineEditorUI2.loadedState, 7); } },
        { "mixes and the preset name",
          [] (W& w) { w.e.mixSliders[1].setValue (0.25, juce::dontSendNotification); w.p.mixChanged[2] = true;
                      w.p.presetName() = "Pulse"; w.p.presetModified = true; w.p.presetNameChanged = true; },
          [] (W& w) { EXPECT_FALSE (w.p.mixChanged[2] || w.p.presetNameChanged);
                      EXPECT_EQ (w.e.mixLabels[1].getText(), "25"); EXPECT_EQ (w.e.iconButtons[3].text, "Pulse *"); } },
        { "sync", [] (W& w) { w.p.activeSync[3] = false; w.p.syncChanged[3] = true; },
          [] (W& w) { EXPECT_FALSE (w.p.syncChanged[3]); EXPECT_EQ (w.e.syncIcons[3].state, 2); } },
        { "snap from the second editor", [] (W& w) { w.e.lineEditorUI2.snapX = false; w.e.lineEditorUI2.snapChanged = true; },
          [] (W& w) { EXPECT_FALSE (w.e.lineEditorUI2.snapChanged); EXPECT_FALSE (w.p.snapX() || w.e.lineEditorUI1.snapX); } },
        { "stored points changed",
          [] (W& w) { w.p.linePoints2()[0][0][0].y = 0.125f; w.p.snapY() = false; w.p.linePoints2Changed = true; },
          [] (W& w) { EXPECT_FALSE (w.p.linePoints2Changed);
                      EXPECT_EQ (w.e.lineEditorUI2.points[0].y, 0.125f); EXPECT_FALSE (w.e.lineEditorUI2.snapY); } },
        { "line settings of the current state",
          [] (W& w) { w.p.lineLength()[2][0] = 0.25f; w.p.bandMix()[2][0] = 0.375f; w.p.bandGlide()[2][0] = 42.2f;
                      w.p.lineLengthChanged[2] = w.p.bandMixChanged[2] = w.p.bandGlideChanged[2] = true; },
          [] (W& w) { EXPECT_FALSE (w.p.lineLengthChanged[2] || w.p.bandMixChanged[2] || w.p.bandGlideChanged[2]);
                      EXPECT_EQ (w.e.lengthSliders[2].getValue(), 0.25);
                      EXPECT_EQ (w.e.mixSliders[2].getValue(), 0.375);
                      EXPECT_EQ (w.e.mixLabels[2].getText(), "38"); // 37.5, halves to even
                      EXPECT_EQ (w.e.glideSliders[2].getValue(), 42.2); // 0.2 plus whole milliseconds
                      EXPECT_EQ (w.e.glideLabels[2].getText(), "42"); } },
    }, true);
}

TEST (EditorRefresh, ReadOutsInSinglePrecision)
{
    const auto split = [] (float v, const char* text) {
        return Row { text, [v] (W& w) { w.p.lmFreq()[0] = v; w.p.lmFreqChanged = true; },
                     [text] (W& w) { EXPECT_EQ (w.e.splitLabels[0].getText(), text); } }; };
    const auto level = [] (float v, const char* text) {
        return Row { text, [v] (W& w) { w.e.midLevelSlider.setValue (v, juce::dontSendNotification); w.p.levelChanged[1] = true; },
                     [text] (W& w) { EXPECT_FALSE (w.p.levelChanged[1]); EXPECT_EQ (w.e.midLevelLabels[0].getText(), text); } }; };
    const auto master = [] (float v, const char* text) {
        return Row { text, [v] (W& w) { w.e.masterMixSlider.setValue (v, juce::dontSendNotification); w.p.mixChanged[0] = true; },
                     [text] (W& w) { EXPECT_FALSE (w.p.mixChanged[0]); EXPECT_EQ (w.e.masterMixLabel.getText(), text); } }; };
    const auto length = [] (float v, bool synced, const char* text) {
        return Row { text, [v, synced] (W& w) { w.p.activeLength[0] = v; w.p.activeSync[0] = synced; w.p.speedChanged[0] = true; },
                     [text] (W& w) { EXPECT_FALSE (w.p.speedChanged[0]); EXPECT_EQ (w.e.lengthLabels[0].getText(), text); } }; };
    // Stored glides and mixes read as the knob shows them, on its steps.
    const auto glide = [] (float ms, const char* text) {
        return Row { text, [ms] (W& w) { w.p.bandGlide()[1][0] = ms; w.p.bandGlideChanged[1] = true; },
                     [text] (W& w) { EXPECT_FALSE (w.p.bandGlideChanged[1]); EXPECT_EQ (w.e.glideLabels[1].getText(), text); } }; };
    const auto mix = [] (float v, const char* text) {
        return Row { text, [v] (W& w) { w.p.bandMix()[1][0] = v; w.p.bandMixChanged[1] = true; },
                     [text] (W& w) { EXPECT_FALSE (w.p.bandMixChanged[1]); EXPECT_EQ (w.e.mixLabels[1].getText(), text); } }; };
    runRows ({ split (0.0f, "30Hz"), split (0.242f, "250Hz"), split (0.5f, "700Hz"), split (0.7627f, "2000Hz"),
               split (1.0f, "16000Hz"), level (0.0f, "-inf"), level (0.25f, "-7.5"), level (0.5f, "0.0"),
               level (0.75f, "5.3"), level (1.0f, "10.0"), master (0.5f, "Master Mix: %50"),
               master (1.0f, "Master Mix: %100"),
               length (0.125f, false, "12"), // 12.5, halves to even
               length (0.375f, true, "1"),   // 4.5 of 12 rounds to 4
               length (0.63f, true, "1/4"), length (0.63f, false, "63"),
               glide (3.5f, "3"),    // the knob stands at 3.2
               glide (250.7f, "250"), // at 250.2
               mix (0.0149f, "2") }, false); // at 0.015
}

TEST (EditorRefresh, TheMeterSetsSnapDivisionsAndBeats)
{
    const auto meter = [] (int numerator, int denominator, int beats, float snap) {
        return Row { "meter",
                     [=] (W& w) { w.p.timeSigNumerator = numerator; w.p.timeSigDenominator = denominator;
                                  w.p.beatsPerBar = static_cast<float> (numerator * 4) / static_cast<float> (denominator);
                                  w.p.timeSigChanged = true; },
                     [=] (W& w) { SCOPED_TRACE (std::to_string (numerator) + "/" + std::to_string (denominator));
                                  EXPECT_FALSE (w.p.timeSigChanged);
                                  EXPECT_EQ (w.e.playMarker.beatCount, beats);
                                  EXPECT_EQ (w.e.playMarker.beatWidth, w.e.playMarker.getWidth() / beats);
                                  for (const auto* ui : { &w.e.lineEditorUI1, &w.e.lineEditorUI2 })
                                  {
                                      EXPECT_EQ (ui->xSnapDivisions, snap);
                                      EXPECT_EQ (ui->timeSigNumerator, numerator);
                                  } } }; };
    runRows ({ meter (4, 4, 4, 128.0f), meter (6, 8, 3, 72.0f), meter (7, 8, 4, 128.0f), meter (5, 8, 2, 128.0f),
               meter (9, 8, 4, 128.0f), meter (1, 8, 1, 128.0f), meter (3, 4, 3, 72.0f), meter (12, 8, 6, 72.0f),
               meter (5, 4, 5, 128.0f) }, false);
}

TEST (EditorRefresh, NoteEventsColourTheStateIcons)
{
    const auto note = [] (float power, bool held, juce::uint32 on, juce::uint32 pressed, juce::uint32 off) {
        return Row { "note",
                     [=] (W& w) { w.p.powerValue = power; w.p.stateNoteHeld[9] = held; w.p.stateNoteEvent[9] = true; },
                     [=] (W& w) { EXPECT_FALSE (w.p.stateNoteEvent[9]);
                                  const auto& icon = w.e.stateIcons[9];
                                  EXPECT_EQ (icon.onColour.getARGB(), on); EXPECT_EQ (icon.pressedColour.getARGB(), pressed);
                                  EXPECT_EQ (icon.offColour.getARGB(), off); } }; };
    runRows ({ note (0.5f, false, 0xFF49A7E3, 0xFF364A55, 0x7F49A7E3), note (0.4f, false, 0x7F49A7E3, 0x7F364A55, 0x3349A7E3),
               note (1.0f, true, 0xFFE34949, 0xFF553333, 0xFFE34949) }, false);
}
// clang-format on

TEST (EditorRefresh, LiveDisplaysFollowOnlyValidValuesWhilePowered)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct
    {
        float power, value;
        bool moves;
    } rows[] = { { 1.0f, 0.7f, true }, { 1.0f, 1.2f, false },    { 1.0f, -0.1f, false },
                 { 1.0f, nan, false }, { 1.0f, 0.5005f, false }, { 0.5f, 0.7f, false },
                 { 0.0f, 0.7f, false } };
    for (const auto& row : rows)
    {
        SCOPED_TRACE (juce::String (row.power) + " " + juce::String (row.value));
        W w;
        w.e.levelMeters[2].level = 0.5f;
        w.e.playMarker.markerX = -1.0f;
        w.p.lineValue[2] = row.value;
        w.p.linePhase[0] = 0.5f;
        w.p.powerValue = row.power;
        w.pass();
        EXPECT_EQ (w.e.levelMeters[2].level, row.moves ? row.value : 0.5f);
        const auto& marker = w.e.playMarker;
        EXPECT_EQ (marker.markerX, row.power > 0.5f
                                       ? static_cast<float> ((marker.beatWidth + 1) * marker.beatCount) * 0.5f
                                       : -1.0f);
    }
}

namespace
{
// What the window would repaint, in its own coordinates.
struct RepaintRecord final : juce::CachedComponentImage
{
    void paint (juce::Graphics&) override {}
    bool invalidateAll() override
    {
        areas.add ({ 0, 0, 1 << 20, 1 << 20 });
        return false;
    }
    bool invalidate (const juce::Rectangle<int>& area) override
    {
        areas.add (area);
        return false;
    }
    void releaseResources() override {}
    juce::RectangleList<int> areas;
};
} // namespace

// A pass repaints where the marker bar was and is, a meter that moved and a waveform that
// changed, and nothing while nothing moves.
TEST (EditorRefresh, APassRepaintsOnlyWhatMoved)
{
    W w;
    w.p.scaling = 1.5f;
    w.e.setElementSizes();
    w.p.isPlaying = true;
    w.p.linePhase[0] = 0.25f;
    w.p.lineValue[1] = 0.5f;
    w.pass();
    w.e.setVisible (true);
    auto* record = new RepaintRecord();
    w.e.setCachedComponentImage (record); // the window owns it

    const auto inWindow = [&] (juce::Component& child, juce::Rectangle<int> area)
    { return w.e.getLocalArea (&child, area); };
    const auto barNow = [&] { return inWindow (w.e.playMarker, w.e.playMarker.barBounds()); };

    const struct
    {
        const char* name;
        std::function<void()> change;
        std::function<juce::RectangleList<int>()> allowed; // computed before the pass
    } rows[] = {
        { "nothing moved", [] {}, [] { return juce::RectangleList<int>(); } },
        { "the marker moved", [&] { w.p.linePhase[0] = 0.5f; },
          [&]
          {
              juce::RectangleList<int> bars (barNow());
              const float saved = w.e.playMarker.markerX;
              w.e.playMarker.markerX =
                  static_cast<float> ((w.e.playMarker.beatWidth + 1) * w.e.playMarker.beatCount) * 0.5f;
              bars.add (barNow());
              w.e.playMarker.markerX = saved;
              return bars;
          } },
        { "a meter moved", [&] { w.p.lineValue[1] = 0.7f; },
          [&] { return juce::RectangleList<int> (w.e.levelMeters[1].getBoundsInParent()); } },
        { "the waveform changed", [&] { w.p.waveDisplay[100] = 0.9f; },
          [&] { return juce::RectangleList<int> (w.e.waveformGraph.getBoundsInParent()); } },
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE (row.name);
        row.change();
        const auto allowed = row.allowed();
        record->areas.clear();
        w.pass();
        for (const auto& area : record->areas)
            EXPECT_TRUE (allowed.containsRectangle (area)) << area.toString();
        EXPECT_EQ (record->areas.isEmpty(), allowed.isEmpty());
    }
    w.e.setCachedComponentImage (nullptr);
}

// Main, stage 2, state 3: one undo step for (0, 3), the store and tables, thumbnail 3 and one
// "LineCH" change.
TEST (EditorRefresh, AFinishedEditBecomesOneUndoStep)
{
    W w;
    w.p.editedStage[0] = 1;
    w.switchTo (3);
    w.pass();
    const int undoBefore = w.p.lineEditor2().undoCount[0][3];
    const int otherStage = w.p.lineEditor1().undoCount[0][3];

    const statetest::LockProbe probe (w.p);
    w.e.lineEditorUI2.points[0].y = 0.25f;
    w.e.lineEditorUI2.lineChanged = true;
    w.pass();
    EXPECT_EQ (probe.heard, 1);
    EXPECT_EQ (probe.underLock, 0); // the host hears of it once the pass let go of the model

    EXPECT_FALSE (w.e.lineEditorUI2.lineChanged);
    EXPECT_EQ (w.p.linePoints2()[0][3][0].y, 0.25f);
    EXPECT_EQ (w.p.lineEditor2().undoCount[0][3], undoBefore + 1);
    EXPECT_EQ (w.p.lineEditor1().undoCount[0][3], otherStage);
    EXPECT_EQ (w.log.count (W::lineCh), 1);

    // The stage table is the edited curve rendered anew; the product is formed element by element.
    float table[512];
    loaded (w.e.lineEditorUI2.points)->getLineArray (table);
    for (int k = 0; k < 512; ++k)
    {
        ASSERT_EQ (w.p.lineArray2()[0][3][k], table[k]) << k;
        ASSERT_EQ (w.p.modulationArray()[0][3][k], w.p.lineArray1()[0][3][k] * table[k]) << k;
    }
    GraphDraw expected;
    expected.setBounds (w.e.stateGraphs[3].getBounds());
    expected.inset = w.e.stateGraphs[3].inset;
    expected.mode = 2;
    expected.setPoint (w.p.modulationArray()[0][3]);
    EXPECT_EQ (
        std::memcmp (expected.screenPoints, w.e.stateGraphs[3].screenPoints, sizeof (expected.screenPoints)),
        0);
}

// The audio thread switches from state 2 to 5 between the release and the next pass: the edit
// still belongs to state 2.
TEST (EditorRefresh, AnEditMadeBeforeAStateSwitchLandsInItsOwnState)
{
    W w;
    w.switchTo (2);
    w.pass();
    const int undo2 = w.p.lineEditor1().undoCount[0][2];
    const int undo5 = w.p.lineEditor1().undoCount[0][5];
    LETPoint state5[50];
    std::copy (w.p.linePoints1()[0][5], w.p.linePoints1()[0][5] + 50, state5);

    w.e.lineEditorUI1.points[0].y = 0.3f;
    w.e.lineEditorUI1.lineChanged = true;
    w.switchTo (5);
    w.pass();

    EXPECT_EQ (w.p.linePoints1()[0][2][0].y, 0.3f);
    EXPECT_EQ (w.p.lineEditor1().undoCount[0][2], undo2 + 1);
    EXPECT_TRUE (sameCurve (w.p.linePoints1()[0][5], state5));
    EXPECT_EQ (w.p.lineEditor1().undoCount[0][5], undo5);
    EXPECT_EQ (w.log.count (W::lineCh), 1);
    EXPECT_EQ (w.e.lineEditorUI1.loadedState, 5);
    EXPECT_EQ (w.e.lineEditorUI1.points[0].y, w.p.linePoints1()[0][5][0].y);
    // The models are back on the playing state: the next undo step records state 5's curve.
    EXPECT_EQ (w.p.modelState(), 5);
    EXPECT_TRUE (sameCurve (w.p.lineEditor1().points, loaded (w.p.linePoints1()[0][5])->points));
}

TEST (EditorRefresh, PendingEditsAreCommittedOrDroppedBeforeAnythingReloads)
{
    const struct
    {
        const char* name;
        std::function<void (W&)> meanwhile;
        bool kept;
    } rows[] = {
        { "a drag still in progress when the state switches",
          [] (W& w)
          {
              w.e.lineEditorUI1.dragging = true;
              w.switchTo (5);
          },
          true },
        { "a line click", [] (W& w) { w.click (w.e.lineIcons[1]); }, true },
        { "a state click", [] (W& w) { w.click (w.e.stateGraphs[4]); }, true },
        { "a load", [] (W& w) { w.p.linePoints1Changed = true; }, false },
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE (row.name);
        W w;
        const int undo = w.p.lineEditor1().undoCount[0][0];
        w.e.lineEditorUI1.points[0].y = 0.6f;
        w.e.lineEditorUI1.lineChanged = !juce::String (row.name).startsWith ("a drag");
        row.meanwhile (w);
        w.pass();

        EXPECT_EQ (w.p.linePoints1()[0][0][0].y == 0.6f, row.kept);
        EXPECT_EQ (w.p.lineEditor1().undoCount[0][0], undo + (row.kept ? 1 : 0));
        EXPECT_NE (w.p.linePoints1()[0][5][0].y, 0.6f); // the edit lands only where it was made
        EXPECT_EQ (w.log.count (W::lineCh), row.kept ? 1 : 0);
        EXPECT_FALSE (w.e.lineEditorUI1.dragging || w.e.lineEditorUI1.lineChanged);
    }
}

// A host restores on its own thread while a drag is still held, and the window closes or a line
// icon is clicked while the restore holds the model lock (its parameter tree tells the host of
// Master Mix, and the host takes its time): the restored curve wins over the drag.
TEST (EditorRefresh, AHeldDragNeverLandsInACurveTheHostRestoredMeanwhile)
{
    struct SlowHost final : juce::AudioProcessorParameter::Listener
    {
        juce::WaitableEvent inside, go;
        void parameterValueChanged (int, float) override
        {
            inside.signal();
            go.wait (300);
        }
        void parameterGestureChanged (int, bool) override {}
    };
    for (const bool close : { true, false })
    {
        SCOPED_TRACE (close ? "close" : "line icon");
        W w;
        juce::MemoryBlock restore;
        w.p.getStateInformation (restore);
        const float stored = w.p.linePoints1()[0][0][0].y;
        w.p.parameters.getParameter ("MixMaster")->setValueNotifyingHost (0.5f);
        SlowHost host;
        w.p.parameters.getParameter ("MixMaster")->addListener (&host);

        w.e.lineEditorUI1.points[0].y = 0.6f;
        w.e.lineEditorUI1.dragging = true;
        std::thread restorer ([&] { w.p.setStateInformation (restore.getData(), (int) restore.getSize()); });
        host.inside.wait (5000);
        if (close)
            w.editor.reset();
        else
            w.click (w.e.lineIcons[1]);
        host.go.signal();
        restorer.join();
        w.p.parameters.getParameter ("MixMaster")->removeListener (&host);

        EXPECT_EQ (w.p.linePoints1()[0][0][0].y, stored);
    }
}
