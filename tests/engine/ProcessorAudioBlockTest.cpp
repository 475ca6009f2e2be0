// The audio block: power, the mix regimes against an independent allpass reference, state
// switching (immediate and quantised), glides, MIDI triggers and learning, the waveform
// capture, odd channel counts, and the hand-over between the editor's and the audio thread.

#include "ProcessorTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <thread>

using kalvo::test::fillSignal;
using kalvo::test::installCurve;
using kalvo::test::noteOff;
using kalvo::test::noteOn;
using kalvo::test::setCurve;
using kalvo::test::TestHost;

namespace
{
// First-order allpass y[n] = a (y[n-1] - x[n]) + x[n-1] at frequency f, in double.
struct ReferenceAllpass
{
    ReferenceAllpass (double frequency, double rate)
    {
        const double w = (2.0 / rate) * frequency * 3.14159;
        a = std::cos (w) / (std::sin (w) + 1.0);
    }

    double process (double x)
    {
        const double y = a * (previousOut - x) + previousIn;
        previousIn = x;
        previousOut = y;
        return y;
    }

    double a, previousIn = 0.0, previousOut = 0.0;
};

double splitHz (double position)
{
    return position * 10699900.0 / (15300.0 - position * 14630.0) + 30.0;
}

// The input through the allpass at the low/mid split and then the one at the mid/high split.
juce::AudioBuffer<float> allpassCascade (const juce::AudioBuffer<float>& input, double rate)
{
    juce::AudioBuffer<float> out (input.getNumChannels(), input.getNumSamples());
    for (int ch = 0; ch < input.getNumChannels(); ++ch)
    {
        ReferenceAllpass first (splitHz (0.242), rate), second (splitHz (0.7627), rate);
        for (int n = 0; n < input.getNumSamples(); ++n)
            out.setSample (ch, n,
                           static_cast<float> (second.process (first.process (input.getSample (ch, n)))));
    }
    return out;
}

float largestDifference (const juce::AudioBuffer<float>& a, const juce::AudioBuffer<float>& b)
{
    float worst = 0.0f;
    for (int ch = 0; ch < a.getNumChannels(); ++ch)
        for (int n = 0; n < a.getNumSamples(); ++n)
            worst = std::max (worst, std::abs (a.getSample (ch, n) - b.getSample (ch, n)));
    return worst;
}

// Runs input through the host in blocks, returning the output.
juce::AudioBuffer<float> render (TestHost& host, const juce::AudioBuffer<float>& input, int blockSize)
{
    juce::AudioBuffer<float> output (input);
    for (int start = 0; start < output.getNumSamples(); start += blockSize)
    {
        const int n = std::min (blockSize, output.getNumSamples() - start);
        juce::AudioBuffer<float> block (output.getArrayOfWritePointers(), output.getNumChannels(), start, n);
        host.process (block);
    }
    return output;
}

juce::AudioBuffer<float> testSignal (int numSamples, double rate = 44100.0)
{
    juce::AudioBuffer<float> buffer (2, numSamples);
    fillSignal (buffer, 0, rate);
    return buffer;
}

void giveStatesModulation (LineEditorAudioProcessor& p)
{
    installCurve (p, 0, 0, { { 0.0f, 1.0f }, { 0.5f, 0.2f }, { 1.0f, 1.0f } });
    installCurve (p, 1, 0, { { 0.0f, 0.0f }, { 1.0f, 1.0f } });
    installCurve (p, 2, 0, { { 0.0f, 1.0f }, { 0.25f, 0.0f }, { 1.0f, 0.5f } });
    installCurve (p, 3, 0, { { 0.0f, 0.3f }, { 1.0f, 0.9f } });
}
} // namespace

TEST (ProcessorAudioBlock, PowerOffPassesAudioUnchangedWhileMidiStillWorks)
{
    TestHost host;
    auto& p = *host.processor;
    giveStatesModulation (p);
    host.setParameter ("Power", 0.0f);
    host.setTransport (120.0, false);
    p.stateMIDICon[3] = 1;

    auto input = testSignal (512);
    juce::AudioBuffer<float> buffer (input);
    auto midi = noteOn (63);
    host.process (buffer, midi);
    for (int ch = 0; ch < 2; ++ch)
        EXPECT_EQ (std::memcmp (buffer.getReadPointer (ch), input.getReadPointer (ch), 512 * sizeof (float)),
                   0);
    EXPECT_EQ (p.currentState.load(), 3);
    EXPECT_TRUE (p.stateNoteHeld[3].load());
    EXPECT_TRUE (p.stateSwitched.load());

    p.midiLearnTarget = 5;
    p.midiLearnActive = true;
    buffer.makeCopyOf (input);
    midi = noteOn (40);
    host.process (buffer, midi);
    EXPECT_EQ (p.stateMIDINote[5].load(), 40);
    EXPECT_EQ (p.stateMIDICon[5].load(), 1);
    EXPECT_TRUE (p.midiLearnDone.load());
    for (int ch = 0; ch < 2; ++ch)
        EXPECT_EQ (std::memcmp (buffer.getReadPointer (ch), input.getReadPointer (ch), 512 * sizeof (float)),
                   0);

    // Nothing was captured either.
    p.editorOpen = true;
    host.setTransport (120.0, true);
    buffer.makeCopyOf (input);
    host.process (buffer);
    EXPECT_EQ (p.waveWriteIndex, 0);
    EXPECT_EQ (p.waveDisplay[5], 0.5f);
}

TEST (ProcessorAudioBlock, MasterMixZeroIsTheTwoAllpassCascade)
{
    TestHost host;
    auto& p = *host.processor;
    giveStatesModulation (p);
    host.setParameter ("MixMaster", 0.0f);
    host.setParameter ("LowSolo", 1.0f);
    host.setParameter ("MidMute", 1.0f);
    host.setParameter ("HighLevel", 0.9f);
    host.prepare (44100.0, 512);

    const auto input = testSignal (20000);
    const auto output = render (host, input, 512);
    EXPECT_LT (largestDifference (output, allpassCascade (input, 44100.0)), 2e-5f);
}

// A host's broken samples (NaN, infinite, absurdly large) in a modulated, capturing block: the
// output is what the same block with silence there gives, and stays finite.
TEST (ProcessorAudioBlock, BrokenInputSamplesAreHeardAsSilence)
{
    for (float bad : { std::numeric_limits<float>::quiet_NaN(), -std::numeric_limits<float>::infinity(), 3.0e38f })
    {
        TestHost host, reference;
        for (auto* h : { &host, &reference })
        {
            giveStatesModulation (*h->processor);
            h->processor->editorOpen = true;
            h->prepare (44100.0, 512);
        }
        auto input = testSignal (4096), silenced = input;
        for (int n : { 0, 700, 701, 2500 })
        {
            input.setSample (n % 2, n, bad);
            silenced.setSample (n % 2, n, 0.0f);
        }
        const auto output = render (host, input, 512), expected = render (reference, silenced, 512);
        for (int ch = 0; ch < 2; ++ch)
            EXPECT_EQ (std::memcmp (output.getReadPointer (ch), expected.getReadPointer (ch), 4096 * sizeof (float)),
                       0)
                << bad;
        EXPECT_TRUE (std::isfinite (output.getMagnitude (0, 4096)));
        EXPECT_EQ (std::memcmp (host.processor->waveBuffer, reference.processor->waveBuffer, 4096 * sizeof (float)), 0);
    }
}

TEST (ProcessorAudioBlock, FullMasterWithLineMixesOffIsTheCascadeAndMainAtZeroSilences)
{
    TestHost host;
    auto& p = *host.processor;
    giveStatesModulation (p);
    p.linkMix = false;
    for (auto* id : { "MixMain", "MixLow", "MixMid", "MixHigh" })
        host.setParameter (id, 0.0f);
    host.prepare (44100.0, 512);
    const auto input = testSignal (20000);
    EXPECT_LT (largestDifference (render (host, input, 256), allpassCascade (input, 44100.0)), 2e-5f);

    installCurve (p, 0, 0, { { 0.0f, 0.0f }, { 1.0f, 0.0f } });
    host.setParameter ("MixMain", 1.0f);
    host.prepare (44100.0, 512);
    const auto silent = render (host, input, 256);
    EXPECT_EQ (silent.getMagnitude (0, 0, 20000), 0.0f);
    EXPECT_EQ (silent.getMagnitude (1, 0, 20000), 0.0f);
}

TEST (ProcessorAudioBlock, QuantisedSwitchWaitsForTheCycleEndWhilePlaying)
{
    TestHost host;
    auto& p = *host.processor;
    p.activeLength[0] = 4.0f / 12.0f; // Main: one cycle per bar
    p.lineLength()[0][0] = 4.0f / 12.0f;
    p.CalculateSpeed();
    p.lineLength()[2][3] = 0.2f;
    p.lmFreq()[3] = 0.5f;
    p.publishModel();
    host.setTransport (120.0, true);
    host.setPosition (2.0); // Main phase 0.5

    host.setParameter ("State", 3.0f);
    const double quarterNotesPerBlock = 512.0 / 44100.0 * 2.0;
    int expectedBlock = -1;
    for (int k = 0; k < 400 && expectedBlock < 0; ++k)
    {
        const double x = (2.0 + k * quarterNotesPerBlock) / 4.0;
        const double phase = x - std::floor (x);
        if (phase <= 0.01 || phase > 0.99)
            expectedBlock = k;
    }
    ASSERT_EQ (expectedBlock, 85);

    for (int k = 0; k < expectedBlock; ++k)
    {
        host.run (512);
        ASSERT_EQ (p.currentState.load(), 0) << "block " << k;
        ASSERT_TRUE (p.stateChangePending.load());
    }
    host.run (512);
    EXPECT_EQ (p.currentState.load(), 3);
    EXPECT_FALSE (p.stateChangePending.load());
    EXPECT_TRUE (p.stateSwitched.load());
    EXPECT_EQ (p.activeLength[2].load(), 0.2f);
    EXPECT_NEAR (p.bandSplit.lowMidFreq, splitHz (0.5), 0.01);
    EXPECT_TRUE (p.lmFreqChanged.load());
    EXPECT_TRUE (p.speedChanged[2].load());
}

TEST (ProcessorAudioBlock, SwitchIsImmediateWhenStoppedOrWhenAskedTo)
{
    TestHost host;
    auto& p = *host.processor;
    host.setTransport (120.0, true);
    host.setPosition (2.5); // Main phase 0.5
    p.changeImmediately = true;
    host.setParameter ("State", 4.0f);
    host.run (512);
    EXPECT_EQ (p.currentState.load(), 4);

    p.changeImmediately = false;
    host.setParameter ("State", 6.0f);
    host.run (512);
    EXPECT_EQ (p.currentState.load(), 4);
    host.setTransport (120.0, false);
    host.run (512);
    EXPECT_EQ (p.currentState.load(), 6);

    // Recording counts as playing.
    host.setTransport (120.0, false);
    host.playHead.info.setIsRecording (true);
    host.setPosition (2.5);
    host.setParameter ("State", 1.0f);
    host.run (512);
    EXPECT_EQ (p.currentState.load(), 6);
}

TEST (ProcessorAudioBlock, ImmediateSwitchRestartsGlidesAndPendingSwitchGlidesOn)
{
    TestHost host;
    auto& p = *host.processor;
    host.setTransport (120.0, false);
    host.run (44100);
    for (int line = 0; line < 4; ++line)
        ASSERT_GT (p.glideFilter[line].value, 0.999f);

    host.setParameter ("State", 1.0f);
    host.run (1);
    ASSERT_EQ (p.currentState.load(), 1);
    for (int line = 0; line < 4; ++line)
        EXPECT_GT (p.glideFilter[line].value, 0.999f);

    p.stateChangeNow = true;
    host.run (1);
    EXPECT_FALSE (p.stateChangeNow.load());
    EXPECT_TRUE (p.stateSwitched.load());
    for (int line = 0; line < 4; ++line)
    {
        // One step from 0 toward 1.
        EXPECT_EQ (p.glideFilter[line].value, p.glideFilter[line].oneMinusCoeff);
        EXPECT_EQ (p.lineValue[line].load(), p.glideFilter[line].oneMinusCoeff);
    }
}

TEST (ProcessorAudioBlock, SwitchAppliesTheStateSettings)
{
    TestHost host;
    auto& p = *host.processor;
    host.setTransport (120.0, false);
    p.lineSync()[1][2] = false;
    p.lineLength()[1][2] = 0.0f;
    p.bandGlide()[3][2] = 100.0f;
    p.bandMix()[0][2] = 0.4f;
    p.hmFreq()[2] = 0.9f;
    p.publishModel();
    host.setParameter ("State", 2.0f);
    host.run (1);
    EXPECT_FALSE (p.activeSync[1].load());
    EXPECT_EQ (p.cyclesPerBar[1].load(), 0.25f);
    EXPECT_FLOAT_EQ (p.glideFilter[3].coeff, static_cast<float> (std::exp (-2.0 * M_PI / 4410.0)));
    EXPECT_NEAR (p.mixRamp[1].getTargetValue(), 0.4f, 1e-7);
    EXPECT_NEAR (p.bandSplit.midHighFreq, splitHz (0.9), 0.05);
    for (int line = 0; line < 4; ++line)
    {
        EXPECT_TRUE (p.bandMixChanged[line].load());
        EXPECT_TRUE (p.syncChanged[line].load());
        EXPECT_TRUE (p.bandGlideChanged[line].load());
        EXPECT_TRUE (p.lineLengthChanged[line].load());
    }

    // With the mixes common to all states, a switch leaves the line mixes alone.
    p.linkMix = false;
    p.bandMix()[0][5] = 0.1f;
    p.publishModel();
    host.setParameter ("State", 5.0f);
    host.run (1);
    EXPECT_NEAR (p.mixRamp[1].getTargetValue(), 0.4f, 1e-7);
}

TEST (ProcessorAudioBlock, TriggerNotesSwitchStates)
{
    TestHost host;
    auto& p = *host.processor;
    host.setTransport (120.0, false);
    p.stateMIDICon[2] = 1;
    p.stateMIDICon[5] = 1;
    p.stateMIDINote[5] = 62;
    p.stateMIDICon[7] = 1;
    p.stateMIDINote[7] = 62;

    // Any channel; several states on one note: the highest is the last request.
    auto midi = noteOn (62, 90, 0, 10);
    juce::AudioBuffer<float> buffer (2, 64);
    buffer.clear();
    host.process (buffer, midi);
    EXPECT_EQ (p.currentState.load(), 7);
    EXPECT_TRUE (p.stateNoteHeld[2].load());
    EXPECT_TRUE (p.stateNoteHeld[5].load());
    EXPECT_TRUE (p.stateNoteHeld[7].load());
    EXPECT_TRUE (p.stateNoteEvent[7].load());

    // A note-on with velocity 0 is a note-off.
    p.stateNoteEvent[2] = false;
    midi = noteOn (62, 0);
    host.process (buffer, midi);
    EXPECT_FALSE (p.stateNoteHeld[2].load());
    EXPECT_FALSE (p.stateNoteHeld[7].load());
    EXPECT_TRUE (p.stateNoteEvent[2].load());

    // Note-offs reach states without a trigger note too; note-ons do not.
    p.stateNoteHeld[9] = true;
    midi = noteOff (69);
    host.process (buffer, midi);
    EXPECT_FALSE (p.stateNoteHeld[9].load());
    EXPECT_TRUE (p.stateNoteEvent[9].load());
    midi = noteOn (69);
    host.process (buffer, midi);
    EXPECT_FALSE (p.stateNoteHeld[9].load());
    EXPECT_EQ (p.currentState.load(), 7);

    // Other messages are ignored.
    juce::MidiBuffer other;
    other.addEvent (juce::MidiMessage::controllerEvent (1, 7, 100), 0);
    other.addEvent (juce::MidiMessage::programChange (1, 3), 1);
    host.process (buffer, other);
    EXPECT_EQ (p.currentState.load(), 7);
}

TEST (ProcessorAudioBlock, MidiLearnStoresTheNoteAndTheNextNoteSwitches)
{
    TestHost host;
    auto& p = *host.processor;
    host.setTransport (120.0, false);
    const float lineChBefore = host.parameterValue ("LineCH");
    p.midiLearnTarget = 4;
    p.midiLearnActive = true;

    juce::AudioBuffer<float> buffer (2, 64);
    buffer.clear();
    auto midi = noteOn (50);
    host.process (buffer, midi);
    EXPECT_EQ (p.stateMIDINote[4].load(), 50);
    EXPECT_EQ (p.stateMIDICon[4].load(), 1);
    EXPECT_EQ (p.midiLearnTarget.load(), -1);
    EXPECT_FALSE (p.midiLearnActive.load());
    EXPECT_TRUE (p.midiLearnDone.load());
    EXPECT_NE (host.parameterValue ("LineCH"), lineChBefore);
    EXPECT_EQ (p.currentState.load(), 0);
    EXPECT_FALSE (p.stateChangePending.load());

    host.process (buffer, midi);
    EXPECT_EQ (p.currentState.load(), 4);
}

TEST (ProcessorAudioBlock, LearnTargetOutsideTheStatesStaysArmed)
{
    TestHost host;
    auto& p = *host.processor;
    juce::AudioBuffer<float> buffer (2, 64);
    buffer.clear();
    for (int target : { 12, -1, -7, 1000 })
    {
        const float lineCh = host.parameterValue ("LineCH");
        p.midiLearnTarget = target;
        p.midiLearnActive = true;
        p.midiLearnDone = false;
        auto midi = noteOn (61);
        host.process (buffer, midi);
        EXPECT_TRUE (p.midiLearnActive.load()) << target;
        EXPECT_EQ (p.midiLearnTarget.load(), target);
        EXPECT_FALSE (p.midiLearnDone.load());
        EXPECT_EQ (host.parameterValue ("LineCH"), lineCh);
        for (int s = 0; s < 12; ++s)
        {
            EXPECT_EQ (p.stateMIDICon[s].load(), 0);
            EXPECT_EQ (p.stateMIDINote[s].load(), 60 + s);
        }
    }
}

TEST (ProcessorAudioBlock, EveryLearnGivesLineChANewValue)
{
    TestHost host;
    auto& p = *host.processor;
    juce::AudioBuffer<float> buffer (2, 8);
    buffer.clear();
    for (int i = 0; i < 400; ++i)
    {
        const float before = host.parameterValue ("LineCH");
        p.midiLearnTarget = i % 12;
        p.midiLearnActive = true;
        auto midi = noteOn (30 + i % 50);
        host.process (buffer, midi);
        ASSERT_NE (host.parameterValue ("LineCH"), before) << "learn " << i;
    }
    // The audio thread draws from a generator of its own: the editor's sequence is untouched.
    p.random.setSeed (1234);
    p.midiLearnTarget = 3;
    p.midiLearnActive = true;
    auto midi = noteOn (77);
    host.process (buffer, midi);
    ASSERT_TRUE (p.midiLearnDone.load());
    juce::Random reference (1234);
    EXPECT_EQ (p.random.nextInt(), reference.nextInt());

    for (int i = 0; i < 400; ++i)
    {
        const float before = host.parameterValue ("LineCH");
        p.sendLineChangeToHost();
        ASSERT_NE (host.parameterValue ("LineCH"), before) << "edit " << i;
    }
}

TEST (ProcessorAudioBlock, CaptureRunsOnlyInFourFourWithEditorOpenPlayingAndViewShown)
{
    TestHost host;
    auto& p = *host.processor;
    const auto input = testSignal (2048);
    host.setPosition (1.5); // away from the cycle start of every line

    auto expectNoCapture = [&] (const char* why)
    {
        std::fill (std::begin (p.waveDisplay), std::end (p.waveDisplay), 0.3f);
        const int index = p.waveWriteIndex;
        render (host, input, 512);
        EXPECT_EQ (p.waveWriteIndex, index) << why;
        EXPECT_EQ (p.waveDisplay[0], 0.3f) << why;
        EXPECT_EQ (p.waveDisplay[511], 0.3f) << why;
    };

    expectNoCapture ("editor closed");
    p.editorOpen = true;
    p.waveView = 0;
    expectNoCapture ("view hidden");
    p.waveView = 1;
    host.setTransport (120.0, false);
    expectNoCapture ("stopped");
    host.setTransport (120.0, true, 3, 4);
    render (host, input, 512);
    expectNoCapture ("3/4");

    host.setTransport (120.0, true, 4, 4);
    host.setPosition (0.5);
    p.waveWriteIndex = 100;
    juce::AudioBuffer<float> buffer (input);
    buffer.setSize (2, 512, true);
    host.process (buffer);
    EXPECT_EQ (p.waveWriteIndex, 612);
    for (int n = 0; n < 512; ++n)
        ASSERT_EQ (p.waveBuffer[100 + n], (buffer.getSample (0, n) + buffer.getSample (1, n) + 2.0f) * 0.25f);
    // The display resamples one cycle: element k shows buffer index round(k * 22050 / 512).
    EXPECT_EQ (p.waveDisplay[3], p.waveBuffer[juce::roundToInt (3.0f * 22050.0f / 512.0f)]);
    EXPECT_EQ (p.waveDisplay[0], p.waveBuffer[0]);

    // Left only, right only, and a band of the current line.
    p.waveLR = 1;
    host.process (buffer);
    EXPECT_EQ (p.waveBuffer[612 + 511], (buffer.getSample (0, 511) + 1.0f) * 0.5f);
    p.waveLR = 2;
    host.process (buffer);
    EXPECT_EQ (p.waveBuffer[1124 + 511], (buffer.getSample (1, 511) + 1.0f) * 0.5f);
    p.waveLR = 0;
    p.currentLine = 2;
    p.waveMainOnly = false;
    host.process (buffer);
    EXPECT_EQ (p.waveBuffer[1636 + 511],
               (p.bandSplit.bandOut[1][0] + p.bandSplit.bandOut[1][1] + 2.0f) * 0.25f);

    // An unknown channel choice writes nothing but the index moves on.
    p.waveLR = 7;
    p.waveBuffer[2148] = 0.123f;
    host.process (buffer);
    EXPECT_EQ (p.waveBuffer[2148], 0.123f);
    EXPECT_EQ (p.waveWriteIndex, 2148 + 512);

    // While the editor copies the display, the block leaves it alone but keeps capturing.
    p.waveDisplayLock = true;
    p.waveDisplay[7] = 0.77f;
    host.process (buffer);
    EXPECT_EQ (p.waveDisplay[7], 0.77f);
    EXPECT_EQ (p.waveWriteIndex, 2148 + 1024);
}

TEST (ProcessorAudioBlock, CaptureIndexStaysInsideOneCycle)
{
    TestHost host;
    auto& p = *host.processor;
    p.editorOpen = true;
    const auto input = testSignal (100000);
    int largest = 0;
    juce::AudioBuffer<float> output (input);
    for (int start = 0; start + 441 <= 100000; start += 441)
    {
        juce::AudioBuffer<float> block (output.getArrayOfWritePointers(), 2, start, 441);
        host.process (block);
        largest = std::max (largest, p.waveWriteIndex);
    }
    EXPECT_GT (largest, 20000);
    EXPECT_LE (largest, 22050);

    // A cycle as long as the buffer allows still keeps the index inside the buffer.
    p.activeLength[0] = 0.0f;
    p.activeSync[0] = false;
    host.setTransport (1.0, true);
    host.run (1);
    ASSERT_EQ (p.samplesPerCycle[0].load(), 999998.0f);
    p.waveWriteIndex = 999990;
    host.run (64);
    EXPECT_LT (p.waveWriteIndex, 64);
}

TEST (ProcessorAudioBlock, MonoSilentAndWideBuffersAreHandled)
{
    TestHost host;
    auto& p = *host.processor;
    giveStatesModulation (p);
    p.editorOpen = true;

    juce::AudioBuffer<float> mono (1, 1024);
    fillSignal (mono, 0, 44100.0);
    host.process (mono);
    EXPECT_TRUE (std::isfinite (mono.getMagnitude (0, 0, 1024)));
    EXPECT_GT (mono.getMagnitude (0, 0, 1024), 0.0f);

    juce::AudioBuffer<float> none (0, 256);
    p.stateMIDICon[1] = 1;
    host.setTransport (120.0, false);
    auto midi = noteOn (61);
    host.process (none, midi);
    EXPECT_EQ (p.currentState.load(), 1);

    juce::AudioBuffer<float> empty (2, 0);
    host.process (empty);

    juce::AudioBuffer<float> wide (4, 256);
    for (int ch = 0; ch < 4; ++ch)
        juce::FloatVectorOperations::fill (wide.getWritePointer (ch), 0.25f, 256);
    host.process (wide);
    EXPECT_EQ (wide.getMagnitude (2, 0, 256), 0.0f);
    EXPECT_EQ (wide.getMagnitude (3, 0, 256), 0.0f);
    EXPECT_GT (wide.getMagnitude (0, 0, 256), 0.0f);
}

TEST (ProcessorAudioBlock, MessageSideValuesReachTheAudioThreadAtTheNextBlock)
{
    TestHost host;
    auto& p = *host.processor;
    p.setMixTarget (2, 0.25f);
    p.setGlideTime (1, 200.0f);
    p.setSplitFrequency (3, 500.0f);
    p.setSplitFrequency (4, 5000.0f);
    EXPECT_EQ (p.mixRamp[2].getTargetValue(), 1.0f);
    EXPECT_FLOAT_EQ (p.glideFilter[1].coeff, static_cast<float> (std::exp (-2.0 * M_PI / 441.0)));
    EXPECT_NEAR (p.bandSplit.lowMidFreq, 250.19, 0.01);

    host.run (1);
    EXPECT_EQ (p.mixRamp[2].getTargetValue(), 0.25f);
    EXPECT_FLOAT_EQ (p.glideFilter[1].coeff, static_cast<float> (std::exp (-2.0 * M_PI / 8820.0)));
    EXPECT_FLOAT_EQ (p.glideFilter[1].oneMinusCoeff, 1.0f - p.glideFilter[1].coeff);
    EXPECT_EQ (p.bandSplit.lowMidFreq, 500.0f);
    EXPECT_EQ (p.bandSplit.midHighFreq, 5000.0f);

    // Out-of-range requests are refused or clamped.
    p.setMixTarget (9, 0.5f);
    p.setMixTarget (0, 7.0f);
    p.setSplitFrequency (2, 100.0f);
    p.setSplitFrequency (3, std::numeric_limits<float>::quiet_NaN());
    p.setGlideTime (0, -5.0f);
    host.run (1);
    EXPECT_EQ (p.mixRamp[0].getTargetValue(), 1.0f);
    EXPECT_EQ (p.bandSplit.lowMidFreq, 500.0f);
    EXPECT_EQ (p.glideFilter[0].coeff, 0.0f);
}

TEST (ProcessorAudioBlock, AudioThreadNeverTouchesTheCurveModels)
{
    TestHost host;
    auto& p = *host.processor;
    host.setTransport (120.0, false);
    setCurve (p.linePoints1()[0][3], { { 0.0f, 0.5f }, { 1.0f, 0.25f } });

    std::vector<char> before1 (sizeof (LineEditor)), before2 (sizeof (LineEditor));
    std::memcpy (before1.data(), &p.lineEditor1(), sizeof (LineEditor));
    std::memcpy (before2.data(), &p.lineEditor2(), sizeof (LineEditor));

    p.stateChangeNow = true;
    host.setParameter ("State", 3.0f);
    host.run (64);
    ASSERT_EQ (p.currentState.load(), 3);
    EXPECT_EQ (std::memcmp (before1.data(), &p.lineEditor1(), sizeof (LineEditor)), 0);
    EXPECT_EQ (std::memcmp (before2.data(), &p.lineEditor2(), sizeof (LineEditor)), 0);
    EXPECT_TRUE (p.curveModelsStale.load());

    // The message side brings the models to the current line and state before it uses them.
    p.syncCurveModels();
    EXPECT_FALSE (p.curveModelsStale.load());
    EXPECT_EQ (p.modelLine(), 0);
    EXPECT_EQ (p.modelState(), 3);
    EXPECT_EQ (p.lineEditor1().numPoints, 2);
    EXPECT_EQ (p.lineEditor1().points[0].y, 0.5f);
    EXPECT_EQ (p.lineEditor1().points[1].y, 0.25f);
    EXPECT_EQ (p.lineEditor1().undoHistory[0][3][0][0].y, 0.5f); // the current-curve slot
    EXPECT_EQ (p.lineEditor2().points[0].y, 1.0f);

    // A line change is picked up the same way.
    setCurve (p.linePoints2()[2][3], { { 0.0f, 0.1f }, { 0.5f, 0.2f }, { 1.0f, 0.3f } });
    p.currentLine = 2;
    p.syncCurveModels();
    EXPECT_EQ (p.modelLine(), 2);
    EXPECT_EQ (p.lineEditor2().numPoints, 3);
}

// The editor records undo steps while MIDI switches states on the audio thread: every step
// must land in the history of the state whose curve it holds.
TEST (ProcessorAudioBlock, EditsDuringStateSwitchesStayInTheirOwnState)
{
    TestHost host;
    auto& p = *host.processor;
    host.setTransport (120.0, false);
    for (int s = 0; s < 12; ++s)
    {
        p.stateMIDICon[s] = 1;
        setCurve (p.linePoints1()[0][s], { { 0.0f, static_cast<float> (s) / 16.0f }, { 1.0f, 1.0f } });
    }
    p.curveModelsStale = true;

    std::atomic<bool> done{ false };
    std::thread audio (
        [&]
        {
            juce::AudioBuffer<float> buffer (2, 32);
            juce::Random rng (7);
            for (int i = 0; i < 3000; ++i)
            {
                buffer.clear();
                auto midi = noteOn (60 + rng.nextInt (12));
                host.process (buffer, midi);
            }
            done = true;
        });

    int edits = 0, foreign = 0;
    while (!done || edits < 50)
    {
        const ModelLock::Hold hold (p.curveModelLock);
        p.syncCurveModels();
        const int line = p.modelLine(), state = p.modelState();
        if (p.lineEditor1().points[0].y != static_cast<float> (state) / 16.0f)
            ++foreign;
        p.lineEditor1().startNewChange (line, state);
        LETPoint edited[50];
        std::memcpy (edited, p.lineEditor1().points, sizeof (edited));
        edited[1].y = 0.5f + 0.001f * static_cast<float> (edits % 100);
        p.lineEditor1().setLinePoints (edited);
        std::memcpy (p.linePoints1()[line][state], p.lineEditor1().points, sizeof (edited));
        ++edits;
    }
    audio.join();

    EXPECT_EQ (foreign, 0);
    for (int s = 0; s < 12; ++s)
        for (int k = 0; k < p.lineEditor1().undoCount[0][s]; ++k)
            ASSERT_EQ (p.lineEditor1().undoHistory[0][s][k][0].y, static_cast<float> (s) / 16.0f)
                << "state " << s << " step " << k;
}

// Lengths, tempi and positions far outside what the controls produce: the curve lookup stays
// inside the tables (every table here is 0..1, so every line value must be too).
TEST (ProcessorAudioBlock, CurveLookupStaysInRangeWhateverTheTiming)
{
    TestHost host;
    auto& p = *host.processor;
    giveStatesModulation (p);
    // What lies just before the product tables gets values no curve can have.
    for (float& v : p.lineArray2()[3][11])
        v = 1.0e6f;
    const float lengths[] = { std::numeric_limits<float>::quiet_NaN(), 1.0e30f, -3.0f, -1.0e-7f, 0.0f, 1.0f };
    const double positions[] = { 0.0, -1.0e6, 1.0e9, 1.0e15, -0.25, 3.999999999 };
    const double tempi[] = { 120.0, 1.0e-3, 1.0e6, 999.0 };
    juce::AudioBuffer<float> buffer (2, 700);
    for (float length : lengths)
        for (bool sync : { true, false })
            for (double position : positions)
                for (double tempo : tempi)
                {
                    for (int line = 0; line < 4; ++line)
                    {
                        p.activeLength[line] = length;
                        p.activeSync[line] = sync;
                    }
                    p.CalculateSpeed();
                    host.setTransport (tempo, true);
                    host.setPosition (position);
                    kalvo::test::fillSignal (buffer, 0, 44100.0);
                    host.process (buffer);
                    for (int line = 0; line < 4; ++line)
                    {
                        ASSERT_GE (p.lineValue[line].load(), 0.0f);
                        ASSERT_LE (p.lineValue[line].load(), 1.0f);
                        ASSERT_GE (p.linePhase[line].load(), 0.0f);
                        ASSERT_LE (p.linePhase[line].load(), 1.0f);
                    }
                    for (int ch = 0; ch < 2; ++ch)
                        ASSERT_TRUE (std::isfinite (buffer.getMagnitude (ch, 0, 700)));
                }
}

// The editor, the host and the audio thread all at once, through the hand-over paths: the
// output stays finite and every request arrives.
TEST (ProcessorAudioBlock, EditorHostAndAudioThreadsTogether)
{
    TestHost host;
    auto& p = *host.processor;
    giveStatesModulation (p);
    p.editorOpen = true;
    for (int s = 0; s < 12; ++s)
        p.stateMIDICon[s] = 1;

    std::atomic<bool> stop{ false };
    std::atomic<int> blocks{ 0 };
    std::atomic<bool> finite{ true };
    std::thread audio (
        [&]
        {
            juce::AudioBuffer<float> buffer (2, 128);
            juce::Random rng (3);
            while (!stop)
            {
                fillSignal (buffer, 0, 44100.0);
                auto midi = rng.nextInt (4) == 0 ? noteOn (60 + rng.nextInt (12)) : juce::MidiBuffer();
                host.process (buffer, midi);
                if (!std::isfinite (buffer.getMagnitude (0, 0, 128)))
                    finite = false;
                ++blocks;
            }
        });
    std::thread automation (
        [&]
        {
            juce::Random rng (4);
            const char* ids[] = { "MixMaster", "LowLevel", "MidSolo", "HighMute", "State", "MixLow" };
            while (!stop)
                p.parameters.getParameter (ids[rng.nextInt (6)])->setValueNotifyingHost (rng.nextFloat());
        });

    juce::Random rng (5);
    for (int i = 0; i < 3000 || blocks < 200; ++i)
    {
        p.setMixTarget (rng.nextInt (5), rng.nextFloat());
        p.setGlideTime (rng.nextInt (4), 1.0f + 100.0f * rng.nextFloat());
        p.setSplitFrequency (3 + rng.nextInt (2), 100.0f + 5000.0f * rng.nextFloat());
        p.activeLength[rng.nextInt (4)] = rng.nextFloat();
        p.CalculateSpeed();
        if (i % 50 == 0)
        {
            const ModelLock::Hold hold (p.curveModelLock);
            p.currentLine = rng.nextInt (4);
            p.syncCurveModels();
            p.lineEditor1().startNewChange (p.modelLine(), p.modelState());
        }
        if (i % 100 == 0)
            p.stateChangeNow = true;
        float copy[512];
        p.copyWaveDisplay (copy);
        p.stateSwitched = false;
        p.speedChanged[rng.nextInt (4)] = false;
        juce::ignoreUnused (p.lineValue[0].load(), p.linePhase[1].load(), copy[0]);
    }
    stop = true;
    audio.join();
    automation.join();
    EXPECT_TRUE (finite.load());

    // The last requests of each side are in force after the next block.
    host.setParameter ("State", 9.0f);
    host.setTransport (120.0, false);
    host.run (1);
    EXPECT_EQ (p.currentState.load(), 9);
    p.setMixTarget (3, 0.125f);
    p.setSplitFrequency (4, 4321.0f);
    host.run (1);
    EXPECT_EQ (p.mixRamp[3].getTargetValue(), 0.125f);
    EXPECT_EQ (p.bandSplit.midHighFreq, 4321.0f);
}

TEST (ProcessorAudioBlock, WaveDisplayHandOver)
{
    TestHost host;
    auto& p = *host.processor;
    p.editorOpen = true;
    host.setPosition (0.5);
    render (host, testSignal (2048), 512);
    float copy[512];
    p.copyWaveDisplay (copy);
    EXPECT_FALSE (p.waveDisplayLock.load());
    EXPECT_EQ (std::memcmp (copy, p.waveDisplay, sizeof (copy)), 0);
    EXPECT_NE (copy[10], 0.5f);

    // A meter change while the editor copies: the reset waits for the copy to end.
    p.waveDisplayLock = true;
    host.setTransport (120.0, true, 3, 4);
    host.run (64);
    EXPECT_TRUE (p.timeSigChanged.load());
    EXPECT_EQ (p.waveDisplay[10], copy[10]);
    p.waveDisplayLock = false;
    host.run (64);
    for (float v : p.waveDisplay)
        ASSERT_EQ (v, 0.5f);
}

// However the blocks fall (one sample, a few, many, across the cycle's restart) and whatever
// changes between them (the loop length, the line shown, a copy in progress, a restart of the
// waveform), after every block the display is the captured cycle resampled whole.
TEST (ProcessorAudioBlock, DisplayIsTheWholeCycleResampledAfterEveryBlock)
{
    TestHost host;
    auto& p = *host.processor;
    p.editorOpen = true;
    const auto input = testSignal (8192);
    const int sizes[] = { 1, 7, 64, 441, 4096, 3, 1, 1 };

    const std::function<void (int)> changes[] = {
        [&] (int) {},
        [&] (int) { p.currentLine = 2; },
        [&] (int)
        {
            p.activeLength[2] = 0.35f;
            p.CalculateSpeed();
        },
        [&] (int block) { p.waveDisplayLock = block % 5 == 0; },
        [&] (int block)
        {
            if (block % 9 == 0)
                p.restartWaveform();
        },
    };
    for (const auto& change : changes)
    {
        int block = 0;
        for (int done = 0; done < 30000; done += sizes[block % 8], ++block)
        {
            change (block);
            const int size = sizes[block % 8];
            juce::AudioBuffer<float> buffer (2, size);
            for (int ch = 0; ch < 2; ++ch)
                buffer.copyFrom (ch, 0, input, ch, done % (8192 - 4096), size);
            host.process (buffer);
            if (p.waveDisplayLock)
                continue;
            const float cycle = p.samplesPerCycle[p.currentLine];
            for (int k = 0; k < 512; ++k)
                ASSERT_EQ (p.waveDisplay[k],
                           p.waveBuffer[juce::roundToInt (static_cast<float> (k) * cycle * 0.001953125f)])
                    << "block " << block << " element " << k;
        }
        p.waveDisplayLock = false;
    }
}

TEST (ProcessorAudioBlock, SwitchedOffInputGivesSilence)
{
    TestHost host;
    auto& p = *host.processor;
    ASSERT_TRUE (p.setChannelLayoutOfBus (true, 0, juce::AudioChannelSet::disabled()));
    EXPECT_EQ (p.getTotalNumInputChannels(), 0);
    juce::AudioBuffer<float> buffer (2, 256);
    fillSignal (buffer, 0, 44100.0);
    host.process (buffer);
    EXPECT_EQ (buffer.getMagnitude (0, 0, 256), 0.0f);
    EXPECT_EQ (buffer.getMagnitude (1, 0, 256), 0.0f);
}

// Every mix and level at a value of its own, constant curves and no glide: the block must weight
// the crossover's bands by the three gains of the mix law, computed here from its definition.
TEST (ProcessorAudioBlock, BandGainsFollowTheMixAndLevelLaw)
{
    TestHost host;
    auto& p = *host.processor;
    host.setTransport (120.0, false);
    p.linkMix = false;
    const float curve[4] = { 0.8f, 0.25f, 0.6f, 0.9f };
    for (int line = 0; line < 4; ++line)
    {
        kalvo::test::setTable (p, line, 0, [&] (int) { return curve[line]; });
        p.bandGlide()[line][0] = 0.0f; // no glide: each line value is its table value at once
    }
    p.publishModel();
    host.setParameter ("MixMaster", 0.7f);
    host.setParameter ("MixMain", 0.6f);
    host.setParameter ("MixLow", 0.3f);
    host.setParameter ("MixMid", 0.45f);
    host.setParameter ("MixHigh", 0.9f);
    host.setParameter ("LowLevel", 0.3f);
    host.setParameter ("MidLevel", 0.6f);
    host.setParameter ("HighLevel", 0.8f);
    host.prepare (44100.0, 4096); // every ramp stands at its target

    const double m = 0.7, mainMix = 0.6, lowMix = 0.3, midMix = 0.45, highMix = 0.9;
    const auto level = [] (double v) { return (3.16228 * v) / (2.16228 - 1.1622801 * v); };
    const double dry = 1.0 - m;
    const double g0 = ((1.0 - mainMix) + curve[0] * mainMix) * m + dry;
    const double gLow = dry + m * g0 * level (0.3) * ((1.0 - lowMix) + curve[1] * lowMix);
    const double gMid = dry + m * g0 * level (0.6) * ((1.0 - midMix) + curve[2] * midMix);
    const double gHigh = level (0.8) * ((1.0 - highMix) + curve[3] * highMix) * g0 * m + dry;

    // The same crossover, run by hand with those gains.
    EQBandSplit3 reference;
    reference.sampleRate = 44100.0;
    reference.lowMidFreq = 250.19362f;
    reference.midHighFreq = 2000.4028f;
    reference.InitiateVars();

    const auto input = testSignal (4096);
    juce::AudioBuffer<float> output (input);
    host.process (output);
    float worst = 0.0f;
    for (int n = 0; n < 4096; ++n)
    {
        float left = input.getSample (0, n), right = input.getSample (1, n);
        reference.processSample (left, right, static_cast<float> (gLow), static_cast<float> (gMid),
                                 static_cast<float> (gHigh));
        worst = std::max (
            { worst, std::abs (output.getSample (0, n) - left), std::abs (output.getSample (1, n) - right) });
    }
    EXPECT_LT (worst, 2e-6f);
    for (int line = 0; line < 4; ++line)
        EXPECT_EQ (p.lineValue[line].load(), curve[line]);
}
