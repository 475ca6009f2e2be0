// Minutes of audio with everything moving at once: random automation, MIDI switching and
// learning, curves, per-state settings, tempo, meter and position jumps, and block sizes from 1
// to 8192 (also beyond the prepared size). The output must stay finite and bounded.

#include "ProcessorTestSupport.h"

#include <gtest/gtest.h>

using kalvo::test::installCurve;
using kalvo::test::TestHost;

namespace
{
void randomCurve (LineEditorAudioProcessor& p, juce::Random& rng, int line, int state)
{
    std::vector<std::pair<float, float>> points{ { 0.0f, rng.nextFloat() } };
    const int inner = rng.nextInt (8);
    float x = 0.0f;
    for (int i = 0; i < inner; ++i)
    {
        x += (1.0f - x) * rng.nextFloat() * 0.5f;
        points.emplace_back (x, rng.nextFloat());
    }
    points.emplace_back (1.0f, rng.nextFloat());
    installCurve (p, line, state, points);
}

void soak (double rate, int64_t seed, double seconds)
{
    TestHost host (rate, 512);
    auto& p = *host.processor;
    juce::Random rng (seed);
    p.editorOpen = true;

    for (int line = 0; line < 4; ++line)
        for (int state = 0; state < 12; state += 3)
            randomCurve (p, rng, line, state);

    const auto& parameters = p.getParameters();
    juce::AudioBuffer<float> buffer (2, 8192);
    const auto total = static_cast<int64_t> (seconds * rate);
    float peak = 0.0f;
    int64_t done = 0;
    int blocks = 0;

    while (done < total)
    {
        const int roll = rng.nextInt (100);
        int blockSize;
        if (roll < 10)
            blockSize = 1 + rng.nextInt (16);
        else if (roll < 90)
            blockSize = 16 + rng.nextInt (1024);
        else
            blockSize = 1024 + rng.nextInt (8192 - 1024 + 1);

        // Automation, as a host sends it between blocks.
        // Power (the first parameter) is off now and then, not half of the time.
        for (int i = rng.nextInt (4); --i >= 0;)
            parameters[1 + rng.nextInt (parameters.size() - 1)]->setValueNotifyingHost (rng.nextFloat());
        if (rng.nextInt (50) == 0)
            p.parameters.getParameter ("Power")->setValueNotifyingHost (rng.nextInt (4) == 0 ? 0.0f : 1.0f);

        // The editor's side.
        if (rng.nextInt (20) == 0)
        {
            const int line = rng.nextInt (4), state = rng.nextInt (12);
            p.lineLength()[line][state] = rng.nextFloat();
            p.lineSync()[line][state] = rng.nextBool();
            p.bandGlide()[line][state] = rng.nextFloat() * 500.0f;
            p.bandMix()[line][state] = rng.nextFloat();
            p.lmFreq()[state] = rng.nextFloat();
            p.hmFreq()[state] = rng.nextFloat();
            p.publishModel();
            p.stateMIDICon[state] = rng.nextBool() ? 1 : 0;
            p.stateMIDINote[state] = rng.nextInt (128);
            p.setMixTarget (rng.nextInt (5), rng.nextFloat());
            p.setGlideTime (line, rng.nextFloat() * 300.0f);
            p.setSplitFrequency (3 + rng.nextInt (2), 20.0f + rng.nextFloat() * 20000.0f);
            p.activeLength[line] = rng.nextFloat();
            p.CalculateSpeed();
            p.currentLine = rng.nextInt (4);
            p.waveLR = rng.nextInt (3);
            p.waveMainOnly = rng.nextBool();
            p.changeImmediately = rng.nextBool();
            p.linkMix = rng.nextBool();
        }
        if (rng.nextInt (40) == 0)
            randomCurve (p, rng, rng.nextInt (4), rng.nextInt (12));
        if (rng.nextInt (60) == 0)
            p.stateChangeNow = true;
        if (rng.nextInt (80) == 0)
        {
            p.midiLearnTarget = rng.nextInt (14) - 1;
            p.midiLearnActive = true;
        }

        // The host's side.
        if (rng.nextInt (30) == 0)
        {
            const int meters[][2] = { { 4, 4 }, { 3, 4 }, { 6, 8 }, { 7, 8 }, { 5, 4 }, { 3, 2 }, { 0, 4 } };
            const auto& meter = meters[rng.nextInt (7)];
            host.setTransport (20.0 + rng.nextFloat() * 280.0, rng.nextInt (5) != 0, meter[0], meter[1]);
        }
        if (rng.nextInt (50) == 0)
            host.setPosition (rng.nextFloat() * 1000.0 - 10.0);
        if (rng.nextInt (200) == 0)
            host.prepare (rate, 512);

        juce::MidiBuffer midi;
        for (int i = rng.nextInt (3); --i >= 0;)
        {
            const int note = 55 + rng.nextInt (25);
            const int position = rng.nextInt (blockSize);
            if (rng.nextBool())
                midi.addEvent (juce::MidiMessage::noteOn (1 + rng.nextInt (16), note,
                                                          static_cast<juce::uint8> (rng.nextInt (128))),
                               position);
            else
                midi.addEvent (juce::MidiMessage::noteOff (1, note), position);
        }

        buffer.setSize (2, blockSize, false, false, true);
        for (int ch = 0; ch < 2; ++ch)
            for (int n = 0; n < blockSize; ++n)
                buffer.setSample (ch, n, rng.nextFloat() * 2.0f - 1.0f);
        host.process (buffer, midi);

        for (int ch = 0; ch < 2; ++ch)
        {
            const auto range =
                juce::FloatVectorOperations::findMinAndMax (buffer.getReadPointer (ch), blockSize);
            ASSERT_TRUE (std::isfinite (range.getStart()) && std::isfinite (range.getEnd()))
                << "block " << blocks << " of " << blockSize << " samples";
            peak = std::max (peak, std::max (-range.getStart(), range.getEnd()));
        }
        ASSERT_LE (peak, 40.0f) << "block " << blocks;
        for (int line = 0; line < 4; ++line)
        {
            ASSERT_TRUE (std::isfinite (p.lineValue[line].load()));
            ASSERT_GE (p.linePhase[line].load(), 0.0f);
            ASSERT_LE (p.linePhase[line].load(), 1.0f);
        }
        ASSERT_GE (p.waveWriteIndex, 0);
        ASSERT_LT (p.waveWriteIndex, LineEditorAudioProcessor::waveBufferSize);

        done += blockSize;
        ++blocks;
    }
    EXPECT_GT (peak, 0.1f);
}
} // namespace

TEST (ProcessorSoak, OneMinuteAt44100)
{
    soak (44100.0, 1, 60.0);
}
TEST (ProcessorSoak, OneMinuteAt48000)
{
    soak (48000.0, 2, 60.0);
}
TEST (ProcessorSoak, OneMinuteAt96000)
{
    soak (96000.0, 3, 60.0);
}
