// The window's children as they open: fields, texts, states and knob values taken from the
// processor, tooltips, double-click values, and knob moves reaching the processor.

#include "EditorTestSupport.h"
#include "KnobHandling.h"
#include "LineTools.h"
#include "ProcessorTestSupport.h"
#include "ScriptedModalSeam.h"
#include "StateDocument.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <functional>
#include <thread>
#include <vector>

using kalvo::test::OnFirstHostWrite;
using kalvo::test::openEditor;
using kalvo::test::perStateEntries;
using kalvo::test::TestHost;

namespace
{
void setParameter (LineEditorAudioProcessor& p, const char* id, float value)
{
    auto* parameter = p.parameters.getParameter (id);
    parameter->setValueNotifyingHost (parameter->convertTo0to1 (value));
}

void pumpMessages()
{
    juce::MessageManager::getInstance()->runDispatchLoopUntil (20);
}

bool isLit (const Icons& icon)
{
    return icon.state == 0;
}

// An edit in a window opened on the processor, between a pass that takes the flags raised so far
// and the pass that hands it to the model. Menus answer their second item.
std::function<void (LineEditorAudioProcessor&)>
inWindow (std::function<void (LineEditorAudioProcessorEditor&)> edit)
{
    return [edit] (LineEditorAudioProcessor& p)
    {
        kalvo::test::ScriptedModalSeam seam;
        seam.answers = { 2 };
        auto e = openEditor (p);
        e->stopTimer();
        e->modalSeam = &seam;
        e->timerCallback();
        edit (*e);
        e->timerCallback();
    };
}
} // namespace

TEST (EditorPanels, AWindowOpensOnTheProcessorsLineStageCategoryAndFlags)
{
    TestHost host;
    auto& p = *host.processor;
    p.currentLine = 2;
    p.editedStage[2] = 1;
    p.shapeCategory = 2;
    p.waveView = 0;
    p.activeSync[2] = false;
    setParameter (p, "LowSolo", 1.0f);
    setParameter (p, "HighMute", 1.0f);
    p.changeImmediately = true;
    p.linkMix = false;
    ASSERT_FALSE (p.lineClipboardFull() || p.stateClipboardFull());

    auto e = openEditor (p);
    EXPECT_TRUE (e->lineEditorUI2.isVisible());
    EXPECT_FALSE (e->lineEditorUI1.isVisible());
    for (int r = 0; r < 40; ++r)
        EXPECT_EQ (e->shapeGraphs[r].isVisible(), r / 10 == 2) << r;
    EXPECT_FALSE (e->waveformGraph.isVisible());

    for (int l = 0; l < 4; ++l)
    {
        for (juce::Component* c : std::initializer_list<juce::Component*>{
                 &e->lengthSliders[l], &e->lengthLabels[l], &e->lengthLabels[l + 4], &e->glideSliders[l],
                 &e->glideLabels[l], &e->glideLabels[l + 4], &e->mixSliders[l], &e->mixLabels[l],
                 &e->mixLabels[l + 4], &e->syncIcons[l] })
            EXPECT_EQ (c->isVisible(), l == 2) << l;
        EXPECT_EQ (e->lineIcons[l].state, l == 2 ? 0 : 2) << l;
    }
    EXPECT_EQ (e->syncIcons[2].state, 2);

    EXPECT_TRUE (isLit (e->soloIcons[0]));
    EXPECT_TRUE (isLit (e->muteIcons[2]));
    for (auto* icon : { &e->soloIcons[1], &e->soloIcons[2], &e->muteIcons[0], &e->muteIcons[1] })
        EXPECT_EQ (icon->state, 2);
    EXPECT_EQ (e->iconButtons[6].state, 2);
    EXPECT_EQ (e->iconButtons[7].state, 0);
    for (int k : { 11, 19, 20, 21 })
        EXPECT_EQ (e->iconButtons[k].state, 2) << k;
    EXPECT_EQ (e->categoryIcon.text, "Gate");
    EXPECT_EQ (e->iconButtons[3].text, p.presetName());

    // Only the two text glyphs carry captions.
    EXPECT_EQ (e->iconButtons[6].text, "L1");
    EXPECT_EQ (e->iconButtons[7].text, "L2");
    EXPECT_EQ (e->lineIcons[2].text, "Mid");
    EXPECT_EQ (e->soloIcons[0].text, "S");
    EXPECT_EQ (e->muteIcons[0].text, "M");
    EXPECT_EQ (e->syncIcons[0].text, "Sync");
    EXPECT_EQ (e->muteIcons[0].fontStyle, juce::Font::plain);
    bool self = true, children = true;
    e->iconButtons[5].getInterceptsMouseClicks (self, children);
    EXPECT_FALSE (self || children);
}

TEST (EditorPanels, CurveEditorsSnapToTheMeter)
{
    const struct
    {
        int numerator, denominator;
        float divisions;
    } meters[] = { { 3, 4, 72.0f }, { 6, 8, 72.0f }, { 12, 8, 72.0f }, { 4, 4, 128.0f }, { 7, 8, 128.0f } };
    for (const auto& m : meters)
    {
        auto p = kalvo::test::makeEditorProcessor();
        p->timeSigNumerator = m.numerator;
        p->timeSigDenominator = m.denominator;
        auto e = openEditor (*p);
        EXPECT_EQ (e->lineEditorUI1.xSnapDivisions, m.divisions) << m.numerator << "/" << m.denominator;
        EXPECT_EQ (e->lineEditorUI2.xSnapDivisions, m.divisions) << m.numerator << "/" << m.denominator;
        EXPECT_EQ (e->lineEditorUI1.timeSigNumerator, m.numerator);
    }
}

TEST (EditorPanels, TooltipsOfEveryIconAndKnob)
{
    auto p = kalvo::test::makeEditorProcessor();
    auto e = openEditor (*p);

    const std::pair<juce::SettableTooltipClient*, const char*> tips[] = {
        { &e->iconButtons[6], "Line 1" },
        { &e->iconButtons[7], "Line 2" },
        { &e->iconButtons[10], "Copy Line" },
        { &e->iconButtons[11], "Paste Line" },
        { &e->iconButtons[12], "Randomize Line" },
        { &e->iconButtons[13], "Reset Line" },
        { &e->iconButtons[14], "Reset State" },
        { &e->iconButtons[15], "Randomize State" },
        { &e->iconButtons[16], "Flip Line X" },
        { &e->iconButtons[17], "Flip Line Y" },
        { &e->iconButtons[18], "Copy State" },
        { &e->iconButtons[19], "Paste State" },
        { &e->iconButtons[20], "Quantize; Wait to finish a cycle when changing states" },
        { &e->iconButtons[21],
          "Store mix controls with states; Disables host automation. (master mix is not effected)" },
        { &e->masterMixSlider, "Dry/Wet Mix" },
        { &e->lowLevelSlider, "Low Level" },
        { &e->midLevelSlider, "Mid Level" },
        { &e->highLevelSlider, "High Level" },
        { &e->splitSliders[0], "Low-Mid Split Frequency" },
        { &e->splitSliders[1], "Mid-High Split Frequency" },
    };
    int count = 0;
    for (const auto& [client, text] : tips)
    {
        EXPECT_EQ (client->getTooltip(), juce::String (text));
        ++count;
    }
    for (int l = 0; l < 4; ++l)
    {
        EXPECT_EQ (e->syncIcons[l].getTooltip(), "Tempo Sync");
        EXPECT_EQ (e->lengthSliders[l].getTooltip(), "Loop Length (Bars)");
        EXPECT_EQ (e->glideSliders[l].getTooltip(), "Smooth Time (MS)");
        EXPECT_EQ (e->mixSliders[l].getTooltip(), "Dry/Wet Mix");
        count += 4;
    }
    for (int b = 0; b < 3; ++b)
    {
        EXPECT_EQ (e->soloIcons[b].getTooltip(), "Solo");
        EXPECT_EQ (e->muteIcons[b].getTooltip(), "Mute");
        count += 2;
    }
    EXPECT_EQ (count, 42);

    // The rest carry none.
    for (int k : { 0, 1, 2, 3, 4, 5 })
        EXPECT_TRUE (e->iconButtons[k].getTooltip().isEmpty()) << k;
    for (auto& icon : e->lineIcons)
        EXPECT_TRUE (icon.getTooltip().isEmpty());
    EXPECT_TRUE (e->categoryIcon.getTooltip().isEmpty());
    EXPECT_TRUE (e->stateIcons[0].getTooltip().isEmpty());
}

TEST (EditorPanels, KnobsOpenOnThePlayingStateWithoutWritingIt)
{
    auto p = kalvo::test::makeEditorProcessor();
    p->currentState = 4;
    p->currentLine = 1;
    p->bandGlide()[1][4] = 10.0f;
    p->bandMix()[1][4] = 1.0f;
    p->activeLength[1] = 0.5f;
    p->activeSync[1] = true;
    p->lineLength()[1][4] = 0.5f;
    p->lmFreq()[4] = 0.242f;
    p->hmFreq()[4] = 0.9999f;
    setParameter (*p, "MixMaster", 0.5f);
    setParameter (*p, "LowLevel", 0.25f);
    setParameter (*p, "MidLevel", 0.0f);
    p->presetModified = false;
    const auto before = perStateEntries (*p);

    auto e = openEditor (*p);
    EXPECT_EQ (perStateEntries (*p), before);
    EXPECT_FALSE (p->presetModified.load());

    EXPECT_DOUBLE_EQ (e->glideSliders[1].getValue(), 10.2); // 0.2 plus whole milliseconds
    EXPECT_DOUBLE_EQ (e->lengthSliders[1].getValue(), 0.5);
    const std::pair<juce::Label*, const char*> texts[] = {
        { &e->glideLabels[1], "10" },
        { &e->glideLabels[5], "Smooth" },
        { &e->mixLabels[1], "100" },
        { &e->mixLabels[5], "Mix" },
        { &e->lengthLabels[1], "1/2" },
        { &e->lengthLabels[5], "Length" },
        { &e->masterMixLabel, "Master Mix: %50" },
        { &e->lowLevelLabels[0], "-7.5" },
        { &e->lowLevelLabels[1], "Low" },
        { &e->midLevelLabels[0], "-inf" },
        { &e->highLevelLabels[0], "0.0" },
        { &e->highLevelLabels[1], "High" },
        { &e->splitLabels[0], "250Hz" },
        { &e->splitLabels[1], "15963Hz" },
    };
    for (const auto& [label, text] : texts)
        EXPECT_EQ (label->getText(), juce::String (text));
    EXPECT_EQ (e->freqDisplay.lowSplit, 0.242f);
    EXPECT_EQ (e->freqDisplay.highSplit, 0.9999f);

    const std::pair<juce::Slider*, double> doubleClick[] = {
        { &e->lengthSliders[0], 0.63 }, { &e->glideSliders[3], 10.0 },   { &e->mixSliders[2], 0.5 },
        { &e->splitSliders[0], 0.242 }, { &e->splitSliders[1], 0.7627 }, { &e->masterMixSlider, 1.0 },
        { &e->lowLevelSlider, 0.5 },    { &e->midLevelSlider, 0.5 },     { &e->highLevelSlider, 0.5 },
    };
    for (const auto& [knob, value] : doubleClick)
    {
        EXPECT_TRUE (knob->isDoubleClickReturnEnabled());
        EXPECT_NEAR (knob->getDoubleClickReturnValue(), value, 1e-6) << knob->getTooltip();
    }
}

TEST (EditorPanels, AKnobMoveWritesOnlyThePlayingStatesEntryAndRaisesItsFlag)
{
    TestHost host;
    auto& p = *host.processor;
    p.currentState = 5;
    auto e = openEditor (p);
    e->stopTimer();
    p.presetModified = false;

    const struct
    {
        juce::Slider& knob;
        double value;
        float* entry;
        std::atomic<bool>* flag;
    } moves[] = {
        { e->lengthSliders[2], 0.25, &p.lineLength()[2][5], &p.speedChanged[2] },
        { e->mixSliders[3], 0.375, &p.bandMix()[3][5], &p.mixChanged[4] },
        { e->glideSliders[1], 500.0, &p.bandGlide()[1][5], nullptr }, // its read-out is written at once
        { e->splitSliders[0], 0.3, &p.lmFreq()[5], &p.lmFreqChanged },
    };
    for (const auto& m : moves)
    {
        const auto before = perStateEntries (p);
        const float old = *m.entry;
        m.knob.setValue (m.value, juce::sendNotificationSync);
        EXPECT_EQ (*m.entry, static_cast<float> (m.value)) << m.knob.getTooltip();
        EXPECT_TRUE (m.flag == nullptr || m.flag->load()) << m.knob.getTooltip();
        *m.entry = old;
        EXPECT_EQ (perStateEntries (p), before) << m.knob.getTooltip() << " wrote another entry";
        *m.entry = static_cast<float> (m.value);
    }
    EXPECT_EQ (p.activeLength[2].load(), 0.25f);
    EXPECT_EQ (e->glideLabels[1].getText(), "500");
    EXPECT_FALSE (p.hmFreqChanged.load());
    EXPECT_FALSE (p.presetModified.load());

    // The mix reaches its ramp with the next block.
    host.run (512);
    EXPECT_EQ (p.mixRamp[4].getTargetValue(), 0.375f);
}

TEST (EditorPanels, AnEditWhileAHostRestoresLosesToTheRestoredDocument)
{
    // The document plays state 5 and has state 0 at random; the processor it is restored into
    // plays state 0.
    TestHost source;
    source.processor->RandomizeState (0);
    source.processor->stateMIDICon[7] = 1;
    setParameter (*source.processor, "State", 5.0f);
    juce::MemoryBlock document;
    source.processor->getStateInformation (document);

    using Turn = std::function<void (LineEditorAudioProcessor&)>;
    const std::pair<const char*, Turn> turns[] = {
        { "length", [] (LineEditorAudioProcessor& p) { KnobHandling::length (p, 1, 0.25f); } },
        { "glide", [] (LineEditorAudioProcessor& p) { KnobHandling::glide (p, 1, 500.0f); } },
        { "sync", [] (LineEditorAudioProcessor& p) { KnobHandling::toggleSync (p, 1); } },
        { "mix", [] (LineEditorAudioProcessor& p) { KnobHandling::mix (p, 1, 0.55f); } },
        { "split", [] (LineEditorAudioProcessor& p) { KnobHandling::split (p, 0, 0.5f); } },
        { "reset line", [] (LineEditorAudioProcessor& p) { LineTools::resetLine (p); } },
        { "paste line", [] (LineEditorAudioProcessor& p) { LineTools::pasteLine (p); } },
        { "undo", [] (LineEditorAudioProcessor& p) { LineTools::undo (p); } },
        { "redo", [] (LineEditorAudioProcessor& p) { LineTools::redo (p); } },
        { "flip", [] (LineEditorAudioProcessor& p) { p.flipLine (true); } },
        { "quantize", [] (LineEditorAudioProcessor& p) { LineTools::toggleQuantize (p); } },
        { "link mixes", [] (LineEditorAudioProcessor& p) { LineTools::toggleLinkMix (p); } },
        { "reset preset", [] (LineEditorAudioProcessor& p) { p.resetPreset(); } },
        { "paste state", [] (LineEditorAudioProcessor& p) { p.PasteState (0); } },
        { "reset state", [] (LineEditorAudioProcessor& p) { p.ResetState (0); } },
        { "randomize state", [] (LineEditorAudioProcessor& p) { p.RandomizeState (0); } },
        { "curve", inWindow ([] (auto& e)
                             { e.lineEditorUI1.points[0].y = 0.6f, e.lineEditorUI1.lineChanged = true; }) },
        { "snap",
          inWindow ([] (auto& e) { e.lineEditorUI1.snapX = false, e.lineEditorUI1.snapChanged = true; }) },
        { "unlearn",
          inWindow ([] (auto& e) { e.stateIconReleased (7, juce::ModifierKeys::leftButtonModifier); }) },
    };
    for (const auto& [name, turn] : turns)
    {
        TestHost host;
        auto& p = *host.processor;
        // A step to undo, one to redo, and both clipboards full.
        LineTools::resetLine (p);
        LineTools::resetLine (p);
        LineTools::undo (p);
        LineTools::copyLine (p);
        p.CopyState (0);
        kalvo::test::InsideRestore inside (p, [&] { turn (p); });
        p.setStateInformation (document.getData(), static_cast<int> (document.getSize()));
        ASSERT_TRUE (inside.ran()) << name;
        juce::MemoryBlock saved;
        p.getStateInformation (saved);
        EXPECT_TRUE (saved == document) << name;
    }
}

// A host whose parameter callback throws once in the middle of a restore: the restore is over
// when the exception has left it, and the knobs work again.
TEST (EditorPanels, ARestoreThatAHostCallbackBreaksOffLeavesTheKnobsWorking)
{
    TestHost source;
    setParameter (*source.processor, "State", 5.0f);
    juce::MemoryBlock document;
    source.processor->getStateInformation (document);

    TestHost host;
    auto& p = *host.processor;
    {
        OnFirstHostWrite throwing (p, [] { throw std::runtime_error ("host callback failed"); });
        EXPECT_THROW (p.setStateInformation (document.getData(), (int) document.getSize()), std::runtime_error);
    }
    KnobHandling::mix (p, 1, 0.55f);
    EXPECT_EQ (p.bandMix()[1][p.currentState], 0.55f);
}

// With the line mixes common to all states, the line-mix parameter owns each line's mix: what the
// knob sets, what a switch keeps, what a save stores and what every reload plays, whatever the
// instance's parameters were; a reload keeps the mix each state stored. Rows are host (false) or
// preset file (true) saves, a host save perhaps rewritten as an older writer stored it.
TEST (EditorPanels, UnlinkedMixesPlayTheSameAfterASaveAndReload)
{
    // The last of 16 blocks of the test signal, when glides, ramps and filters have settled.
    const auto settled = [] (TestHost& host)
    {
        juce::AudioBuffer<float> buffer (2, 512);
        for (int64_t start = 0; start < 16 * 512; start += 512)
        {
            kalvo::test::fillSignal (buffer, start, host.sampleRate);
            host.process (buffer);
        }
        return buffer;
    };
    const auto difference = [] (const juce::AudioBuffer<float>& a, const juce::AudioBuffer<float>& b)
    {
        float d = 0.0f;
        for (int c = 0; c < 2; ++c)
            for (int n = 0; n < 512; ++n)
                d = std::max (d, std::abs (a.getSample (c, n) - b.getSample (c, n)));
        return d;
    };
    using Editor = LineEditorAudioProcessorEditor;
    const auto knob = [] (Editor& e, int line, double value)
    { e.mixSliders[line].setValue (value, juce::sendNotificationSync); };
    const auto hostSwitch = [] (TestHost& host, int state)
    {
        host.setParameter ("State", (float) state);
        host.run (1);
    };
    const auto midiSwitch = [] (TestHost& host, int state)
    {
        host.processor->stateMIDICon[state] = 1;
        host.processor->stateMIDINote[state] = 40 + state;
        juce::AudioBuffer<float> buffer (2, 1);
        auto midi = kalvo::test::noteOn (40 + state);
        host.process (buffer, midi);
    };
    // Low 0.3, High 0.6 in state 0; 0.8 and 0.1 in state 3, which plays.
    const auto perState = [&] (TestHost& host, Editor& e)
    {
        knob (e, 1, 0.3), knob (e, 3, 0.6);
        hostSwitch (host, 3);
        knob (e, 1, 0.8), knob (e, 3, 0.1);
    };
    const auto lowPerState = [&] (TestHost& h, Editor& e) // ends in state 4
    { knob (e, 1, 0.2), hostSwitch (h, 4), knob (e, 1, 0.8), hostSwitch (h, 7), knob (e, 1, 0.5), hostSwitch (h, 4); };
    const std::vector<std::pair<int, float>> ownLow = { { 0, 0.2f }, { 4, 0.8f }, { 7, 0.5f } };
    const struct
    {
        const char* name;
        bool linked; // while the row sets its mixes; the link is off before the save
        bool toFile;
        float low;   // the Low mix that plays at the save
        std::function<void (TestHost&, Editor&)> set;
        std::function<void (juce::XmlElement&)> aged = nullptr;
        bool revert = false; // loaded into the instance that saved
        std::vector<std::pair<int, float>> relinked = {}; // a state and its Low mix, the link on again
    } rows[] = {
        { "knob turned while unlinked", false, false, 0.2f,
          [&] (TestHost& h, Editor& e) { hostSwitch (h, 7), knob (e, 1, 0.35), hostSwitch (h, 4), knob (e, 1, 0.2); } },
        { "set per state, then unlinked", true, false, 0.2f,
          [&] (TestHost& h, Editor& e) { hostSwitch (h, 7), knob (e, 1, 0.35), hostSwitch (h, 4), knob (e, 1, 0.2); } },
        { "knob, then a host switch", false, false, 0.3f,
          [&] (TestHost& h, Editor& e) { knob (e, 1, 0.3), hostSwitch (h, 4); } },
        { "knob, then a switch, to a file", false, true, 0.3f,
          [&] (TestHost& h, Editor& e) { knob (e, 1, 0.3), hostSwitch (h, 4); } },
        { "knob per state, then a MIDI switch", false, false, 0.8f,
          [&] (TestHost& h, Editor& e) { perState (h, e), midiSwitch (h, 0); } },
        { "set per state, unlinked, then a MIDI switch", true, false, 0.8f,
          [&] (TestHost& h, Editor& e) { perState (h, e), LineTools::toggleLinkMix (*h.processor), midiSwitch (h, 0); } },
        { "host mix, a refresh, then the knob", false, false, 0.3f,
          [&] (TestHost& h, Editor& e) { h.setParameter ("MixLow", 0.5f), e.timerCallback(), knob (e, 1, 0.3); } },
        { "host mix and the knob in one refresh", false, false, 0.3f,
          [&] (TestHost& h, Editor& e) { h.setParameter ("MixLow", 0.5f), knob (e, 1, 0.3); } },
        { "knob, to a file", false, true, 0.3f, [&] (TestHost&, Editor& e) { knob (e, 1, 0.3); } },
        { "set per state, unlinked, then a state pasted over the playing one", true, false, 0.8f,
          [&] (TestHost& h, Editor& e)
          { perState (h, e), h.processor->CopyState (0), LineTools::toggleLinkMix (*h.processor), e.timerCallback(), h.processor->PasteState (3); } },
        { "an older writer's document: the parameter at its default, the state's own mix", true, false, 0.3f,
          [&] (TestHost& h, Editor& e) { hostSwitch (h, 4), knob (e, 1, 0.3); },
          [] (juce::XmlElement& document)
          {
              document.getChildByAttribute ("id", "MixLow")->setAttribute ("value", 1.0);
              for (int s = 0; s < 12; ++s)
                  if (s != 4)
                      document.getChildByName (StateDocument::elementName (1, 1, s))
                          ->setAttribute ("BandMix", 1.0);
          } },
        { "Low per state, unlinked", true, false, 0.8f, lowPerState, nullptr, false, ownLow },
        { "Low per state, unlinked, to a file", true, true, 0.8f, lowPerState, nullptr, false, ownLow },
        { "Low per state, unlinked, reverted", true, false, 0.8f, lowPerState, nullptr, true, ownLow },
        { "Low per state, state 0 pasted into 7 unlinked", true, false, 0.8f, [&] (TestHost& h, Editor& e)
          { lowPerState (h, e), h.processor->CopyState (0), LineTools::toggleLinkMix (*h.processor), h.processor->PasteState (7); },
          nullptr, false, { { 0, 0.2f }, { 4, 0.8f }, { 7, 0.2f } } },
        { "the same after a host's Low", true, false, 0.6f, [&] (TestHost& h, Editor& e)
          { lowPerState (h, e), h.processor->CopyState (0), LineTools::toggleLinkMix (*h.processor), h.setParameter ("MixLow", 0.6f), h.processor->PasteState (7); },
          nullptr, false, { { 0, 0.6f }, { 4, 0.6f }, { 7, 0.2f } } },
        { "a Low mix just under 1.0 by hand", false, false, 1.0f, [] (TestHost&, Editor&) {}, [] (juce::XmlElement& d)
          { d.getChildByAttribute ("id", "MixLow")->setAttribute ("value", 0.9999),
            d.getChildByName (StateDocument::elementName (1, 1, 0))->setAttribute ("BandMix", 0.3); } },
    };
    const juce::TemporaryFile preset (".kvp");
    for (const auto& row : rows)
    {
        SCOPED_TRACE (row.name);
        TestHost source;
        auto& p = *source.processor;
        source.setTransport (120.0, false);
        for (int s = 0; s < 12; ++s) // the wet Low and High bands are silent: their mixes are heard in full
            for (const int line : { 1, 3 })
                kalvo::test::installCurve (p, line, s, { { 0.0f, 0.0f }, { 1.0f, 0.0f } });
        p.linkMix = row.linked;
        auto e = openEditor (p);
        e->stopTimer();
        row.set (source, *e);
        if (p.linkMix)
            LineTools::toggleLinkMix (p);
        ASSERT_FALSE (p.linkMix.load());
        source.run (1);
        e->timerCallback();
        EXPECT_NEAR (p.mixRamp[2].getTargetValue(), row.low, 1e-6f);
        for (int line = 0; line < 4; ++line)
            EXPECT_NEAR (e->mixSliders[line].getValue(), p.mixRamp[line + 1].getTargetValue(), 1e-6) << line;

        juce::MemoryBlock saved;
        if (row.toFile)
            ASSERT_TRUE (p.saveStateToFile (preset.getFile()));
        else
            p.getStateInformation (saved);
        if (row.aged != nullptr)
        {
            auto document = juce::AudioProcessor::getXmlFromBinary (saved.getData(), (int) saved.getSize());
            row.aged (*document);
            juce::AudioProcessor::copyXmlToBinary (*document, saved);
        }
        const auto document =
            row.toFile ? juce::parseXML (preset.getFile())
                       : juce::AudioProcessor::getXmlFromBinary (saved.getData(), (int) saved.getSize());
        const auto before = settled (source);

        // A fresh instance, then the same one again after the host moved a line mix.
        TestHost fresh;
        auto& reloaded = row.revert ? source : fresh;
        reloaded.setTransport (120.0, false);
        const auto load = [&]
        {
            if (row.toFile)
                return reloaded.processor->getStateFromFile (preset.getFile());
            reloaded.processor->setStateInformation (saved.getData(), (int) saved.getSize());
            return true;
        };
        ASSERT_TRUE (load());
        const auto after = settled (reloaded);
        EXPECT_LT (difference (after, before), 1e-4f);
        for (int line = 0; line < 4; ++line)
            for (int s = 0; s < 12; ++s)
                EXPECT_EQ (reloaded.processor->bandMix()[line][s],
                           (float) document->getChildByName (StateDocument::elementName (line, 1, s))
                               ->getDoubleAttribute ("BandMix"))
                    << line << " " << s;
        reloaded.setParameter ("MixLow", 0.5f);
        ASSERT_TRUE (load());
        EXPECT_LT (difference (settled (reloaded), after), 1e-4f);
        LineTools::toggleLinkMix (*reloaded.processor); // on again
        for (const auto& [state, low] : row.relinked)
        {
            hostSwitch (reloaded, state);
            EXPECT_NEAR (reloaded.processor->mixRamp[2].getTargetValue(), low, 1e-6f) << state;
        }
    }
}

// The link turned off and on again plays each state's own mixes: the states keep them while the
// line-mix parameters play, apart from a mix the knob sets meanwhile, which every state takes; an
// older writer's unlinked document, which stored a mix per state, keeps them for the link too.
TEST (EditorPanels, TheLinkTurnedOnAgainPlaysEachStatesOwnMixes)
{
    const auto stored = [] (int line, int state)
    { return 0.1f + 0.2f * (float) line + 0.01f * (float) state; };
    const auto setStored = [&] (LineEditorAudioProcessor& p)
    {
        const ModelLock::Hold hold (p.curveModelLock);
        for (int line = 0; line < 4; ++line)
            for (int s = 0; s < 12; ++s)
                p.bandMix()[line][s] = stored (line, s);
        p.publishModel();
    };
    const auto hostSwitch = [] (TestHost& host, int state)
    {
        host.setParameter ("State", (float) state);
        host.run (1);
    };
    const struct
    {
        const char* name;
        bool fromDocument; // unlinked by a load instead of the toggle
        float knobbedLow;  // set with the knob while unlinked; none when negative
        bool savedInside = false; // the host saves from the load's first parameter change
        int switchedTo = -1;      // a state switched to while unlinked
        bool betweenSteps = false; // that switch by MIDI, from the toggle's last host write
    } rows[] = {
        { "off and on", false, -1.0f },
        { "off, the knob, on", false, 0.5f },
        { "an older writer's unlinked document, then on", true, -1.0f },
        { "the same, saved from inside its load", true, -1.0f, true },
        { "off, a switch, on", false, -1.0f, false, 7 },
        { "off with a MIDI switch between its steps, on", false, -1.0f, false, 7, true },
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE (row.name);
        TestHost host;
        auto& p = *host.processor;
        host.setTransport (120.0, false);
        setStored (p);
        hostSwitch (host, 4);
        auto e = openEditor (p);
        e->stopTimer();
        if (row.fromDocument)
        {
            TestHost source;
            setStored (*source.processor);
            source.processor->linkMix = false;
            hostSwitch (source, 4);
            juce::MemoryBlock block;
            source.processor->getStateInformation (block);
            // That writer stored each state's own mix, and the line-mix parameters at their default.
            auto document = juce::AudioProcessor::getXmlFromBinary (block.getData(), (int) block.getSize());
            for (int line = 0; line < 4; ++line)
                for (int s = 0; s < 12; ++s)
                    document->getChildByName (StateDocument::elementName (line, 1, s))
                        ->setAttribute ("BandMix", stored (line, s));
            juce::AudioProcessor::copyXmlToBinary (*document, block);
            OnFirstHostWrite save (p,
                                   [&p, saving = row.savedInside]
                                   {
                                       juce::MemoryBlock saved;
                                       if (saving)
                                           p.getStateInformation (saved);
                                   });
            p.setStateInformation (block.getData(), (int) block.getSize());
            ASSERT_TRUE (save.ran());
        }
        else
        {
            kalvo::test::OnHostWrite between (p, row.betweenSteps ? 3 : -1,
                                              [&]
                                              {
                                                  p.stateMIDICon[row.switchedTo] = 1;
                                                  juce::AudioBuffer<float> buffer (2, 1);
                                                  auto midi = kalvo::test::noteOn (p.stateMIDINote[row.switchedTo]);
                                                  host.process (buffer, midi);
                                              });
            LineTools::toggleLinkMix (p);
            ASSERT_EQ (between.ran(), row.betweenSteps);
        }
        ASSERT_FALSE (p.linkMix.load());
        host.run (1);
        e->timerCallback();
        for (int line = 0; line < 4; ++line)
        {
            EXPECT_NEAR (p.mixRamp[line + 1].getTargetValue(), stored (line, 4), 1e-3f) << line;
            EXPECT_NEAR (e->mixSliders[line].getValue(), p.mixRamp[line + 1].getTargetValue(), 1e-6) << line;
        }
        if (row.knobbedLow >= 0.0f)
            e->mixSliders[1].setValue (row.knobbedLow, juce::sendNotificationSync);
        if (row.switchedTo >= 0 && !row.betweenSteps)
            hostSwitch (host, row.switchedTo);

        LineTools::toggleLinkMix (p);
        ASSERT_TRUE (p.linkMix.load());
        host.run (1);
        for (int line = 0; line < 4; ++line)
            EXPECT_NEAR (p.mixRamp[line + 1].getTargetValue(),
                         line == 1 && row.knobbedLow >= 0.0f ? row.knobbedLow : stored (line, p.currentState), 1e-6f)
                << line;
        for (int s = 0; s < 12; ++s)
        {
            hostSwitch (host, s);
            for (int line = 0; line < 4; ++line)
            {
                const float expected =
                    line == 1 && row.knobbedLow >= 0.0f ? row.knobbedLow : stored (line, s);
                EXPECT_NEAR (p.bandMix()[line][s], expected, 1e-6f) << line << " " << s;
                EXPECT_NEAR (p.mixRamp[line + 1].getTargetValue(), expected, 1e-6f) << line << " " << s;
            }
        }
    }
}

TEST (EditorPanels, GlideCoefficientsReachTheFilterWithTheNextBlock)
{
    const struct
    {
        double rate;
        double knob;
        float expected;
    } cases[] = {
        { 44100.0, 0.2, 0.4904758f }, { 44100.0, 10.2, 0.9861289f }, { 44100.0, 500.0, 0.9997151f },
        { 48000.0, 0.2, 0.5197027f }, { 48000.0, 10.2, 0.9872487f }, { 48000.0, 500.0, 0.9997382f },
    };
    for (const auto& c : cases)
    {
        TestHost host (c.rate);
        auto& p = *host.processor;
        auto e = openEditor (p);
        e->stopTimer();
        e->glideSliders[2].setValue (250.0, juce::dontSendNotification);
        e->glideSliders[2].setValue (c.knob, juce::sendNotificationSync);
        host.run (64);
        const float ms = static_cast<float> (c.knob);
        const float independent = std::exp (-6.2831855f / (ms * 0.001f * static_cast<float> (c.rate)));
        EXPECT_EQ (p.glideFilter[2].coeff, independent) << c.rate << " " << c.knob;
        EXPECT_NEAR (p.glideFilter[2].coeff, c.expected, 1e-7f);
        EXPECT_EQ (p.glideFilter[2].oneMinusCoeff, 1.0f - independent);
    }
}

TEST (EditorPanels, ASplitPushedPastTheOtherStaysInItsState)
{
    TestHost host;
    auto& p = *host.processor;
    p.changeImmediately = true;
    auto e = openEditor (p);
    e->stopTimer();

    // Pushes both ways, and moves that push nothing. The pushed knob follows silently; then the
    // state switches before the message loop runs: the state left keeps its ordered pair and
    // the new state is untouched.
    const struct
    {
        int moved;
        double to;
        float low, high;
    } moves[] = {
        { 0, 0.9, 0.9f, 0.9f },
        { 1, 0.1, 0.1f, 0.1f },
        { 0, 0.7627, 0.7627f, 0.7627f }, // equal positions push nothing
        { 1, 1.0, 0.242f, 1.0f },
    };
    for (const auto& m : moves)
    {
        p.currentState = 3;
        p.lmFreq()[3] = 0.242f;
        p.hmFreq()[3] = 0.7627f;
        p.lmFreqChanged = p.hmFreqChanged = false;
        e->splitSliders[0].setValue (0.242, juce::dontSendNotification);
        e->splitSliders[1].setValue (0.7627, juce::dontSendNotification);
        const float otherLow = p.lmFreq()[8], otherHigh = p.hmFreq()[8];
        const bool pushed = m.moved == 0 ? m.to > 0.7627 : m.to < 0.242;

        e->splitSliders[m.moved].setValue (m.to, juce::sendNotificationSync);
        if (m.moved == 0 || pushed)
        {
            EXPECT_EQ (p.lmFreq()[3], m.low);
        }
        if (m.moved == 1 || pushed)
        {
            EXPECT_EQ (p.hmFreq()[3], m.high);
        }
        EXPECT_EQ (p.lmFreqChanged.load(), m.moved == 0 || pushed);
        EXPECT_EQ (p.hmFreqChanged.load(), m.moved == 1 || pushed);
        EXPECT_EQ (static_cast<float> (e->splitSliders[0].getValue()), m.low);
        EXPECT_EQ (static_cast<float> (e->splitSliders[1].getValue()), m.high);

        setParameter (p, "State", 8.0f);
        host.run (512);
        ASSERT_EQ (p.currentState.load(), 8);
        pumpMessages();
        EXPECT_EQ (p.lmFreq()[8], otherLow);
        EXPECT_EQ (p.hmFreq()[8], otherHigh);
        EXPECT_LE (p.lmFreq()[3], p.hmFreq()[3]);
        setParameter (p, "State", 3.0f);
        host.run (512);
    }
}

TEST (EditorPanels, ASplitMovedBeforeTheKnobsCaughtUpWithAStateSwitchKeepsThatStatesPairInOrder)
{
    TestHost host;
    auto& p = *host.processor;
    p.changeImmediately = true;
    p.currentState = 3;
    p.lmFreq()[3] = 0.242f;
    p.hmFreq()[3] = 0.9f;
    p.lmFreq()[8] = 0.242f;
    p.hmFreq()[8] = 0.3f;
    auto e = openEditor (p);
    e->stopTimer();
    setParameter (p, "State", 8.0f);
    host.run (512);
    ASSERT_EQ (p.currentState.load(), 8);

    // The knobs still show state 3's pair when the low one is moved above state 8's high split.
    e->splitSliders[0].setValue (0.5, juce::sendNotificationSync);
    EXPECT_EQ (p.lmFreq()[8], 0.5f);
    EXPECT_EQ (p.hmFreq()[8], 0.5f);
    EXPECT_EQ (p.lmFreq()[3], 0.242f);
    EXPECT_EQ (p.hmFreq()[3], 0.9f);
    e->timerCallback();
    EXPECT_EQ (static_cast<float> (e->splitSliders[1].getValue()), 0.5f);
}

TEST (EditorPanels, AParameterSetOnAnotherThreadReachesItsKnob)
{
    auto p = kalvo::test::makeEditorProcessor();
    auto e = openEditor (*p);
    std::thread worker ([&] { setParameter (*p, "HighLevel", 0.75f); });
    worker.join();
    pumpMessages();
    EXPECT_NEAR (e->highLevelSlider.getValue(), 0.75, 1e-6);
}
