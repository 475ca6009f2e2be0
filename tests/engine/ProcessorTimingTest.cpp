// Loop timing: cycles per bar and cycle lengths, the phase of each line from the host
// position, what prepareToPlay resets, and how the block copes with odd host values.

#include "ProcessorTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

using kalvo::test::fillSignal;
using kalvo::test::installCurve;
using kalvo::test::makeProcessor;
using kalvo::test::TestHost;

namespace
{
const double syncTable[13] = { 0.25, 1.0 / 3.0, 0.5, 2.0 / 3.0, 1, 4.0 / 3.0, 2, 3, 4, 6, 8, 12, 16 };

// Samples per cycle from its definition: a bar of four quarter notes at the tempo.
double expectedSamplesPerCycle (double cycles, double rate, double tempo)
{
    return std::min (999998.0, 4.0 * 60.0 / tempo * rate / cycles);
}

void setAllLines (LineEditorAudioProcessor& p, float length, bool sync)
{
    for (int line = 0; line < 4; ++line)
    {
        p.activeLength[line] = length;
        p.activeSync[line] = sync;
    }
    p.CalculateSpeed();
}

// Sets the Main line to exactly one cycle per bar.
void oneCyclePerBar (LineEditorAudioProcessor& p)
{
    p.activeLength[0] = 4.0f / 12.0f;
    p.activeSync[0] = true;
    p.CalculateSpeed();
    ASSERT_EQ (p.cyclesPerBar[0].load(), 1.0f);
}
} // namespace

TEST (ProcessorTiming, SyncTableAndCycleLengths)
{
    TestHost host (48000.0);
    auto& p = *host.processor;
    for (int n = 0; n <= 12; ++n)
    {
        setAllLines (p, static_cast<float> (n) / 12.0f, true);
        EXPECT_NEAR (p.cyclesPerBar[0].load(), syncTable[n], 1e-6) << n;
        // The table holds 0.333333 and friends: relative agreement to a few millionths.
        const double expected = expectedSamplesPerCycle (syncTable[n], 48000.0, 120.0);
        EXPECT_NEAR (p.samplesPerCycle[2].load(), expected, expected * 2e-6) << n;
    }

    setAllLines (p, 0.63f, true);
    EXPECT_EQ (p.cyclesPerBar[1].load(), 4.0f);
    EXPECT_EQ (p.samplesPerCycle[1].load(), 24000.0f);

    // 12 x 0.125 = 1.5 rounds half to even: 2, half a cycle per bar.
    setAllLines (p, 0.125f, true);
    EXPECT_EQ (p.cyclesPerBar[3].load(), 0.5f);

    setAllLines (p, 0.0f, false);
    EXPECT_EQ (p.cyclesPerBar[0].load(), 0.25f);
    EXPECT_EQ (p.samplesPerCycle[0].load(), 384000.0f);

    setAllLines (p, 1.0f, false);
    EXPECT_EQ (p.cyclesPerBar[0].load(), 16.0f);
    setAllLines (p, 0.5f, false);
    EXPECT_FLOAT_EQ (p.cyclesPerBar[0].load(), 0.5f * 15.75f + 0.25f);

    // A length outside the slider's range with sync on is taken as the cycle count itself.
    setAllLines (p, 1.5f, true);
    EXPECT_EQ (p.cyclesPerBar[0].load(), 1.5f);
}

TEST (ProcessorTiming, LongCyclesAreLimited)
{
    TestHost host (48000.0);
    auto& p = *host.processor;
    setAllLines (p, 0.0f, false);
    host.setTransport (30.0, true);
    host.run (1);
    EXPECT_EQ (p.bpm.load(), 30.0f);
    EXPECT_EQ (p.samplesPerCycle[0].load(), 999998.0f); // 1,536,000 would overflow the capture
}

TEST (ProcessorTiming, UnusableTempoIsIgnoredAndCyclesStayInRange)
{
    TestHost host;
    auto& p = *host.processor;
    for (double tempo :
         { 0.0, -120.0, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity() })
    {
        host.setTransport (tempo, true);
        host.run (64);
        EXPECT_EQ (p.bpm.load(), 120.0f) << tempo;
        EXPECT_EQ (p.samplesPerCycle[0].load(), 22050.0f);
    }

    host.setTransport (1.0e9, true);
    host.run (64);
    for (int line = 0; line < 4; ++line)
    {
        EXPECT_GE (p.samplesPerCycle[line].load(), 1.0f);
        EXPECT_LE (p.samplesPerCycle[line].load(), 999998.0f);
    }

    // Lengths that make no sense still give a usable cycle length.
    for (float length : { -3.0f, 0.0f, std::numeric_limits<float>::quiet_NaN(), 1.0e30f })
    {
        setAllLines (p, length, true);
        EXPECT_GE (p.samplesPerCycle[0].load(), 1.0f);
        EXPECT_LE (p.samplesPerCycle[0].load(), 999998.0f);
        setAllLines (p, length, false);
        EXPECT_GE (p.samplesPerCycle[0].load(), 1.0f);
        EXPECT_LE (p.samplesPerCycle[0].load(), 999998.0f);
    }
}

TEST (ProcessorTiming, PhaseFromHostPosition)
{
    TestHost host;
    auto& p = *host.processor;
    oneCyclePerBar (p);
    host.setTransport (120.0, false);

    const std::pair<double, float> cases[] = {
        { 2.0, 0.5f },  { 4.0, 0.0f },  { 8.0, 0.0f },  { 12.0, 0.0f },
        { 1.0, 0.25f }, { 5.0, 0.25f }, { 7.0, 0.75f }, { -1.0, 0.75f }
    };
    for (const auto& [ppq, phase] : cases)
    {
        host.setPosition (ppq);
        host.run (1);
        EXPECT_EQ (p.ppqPosition.load(), static_cast<float> (ppq));
        EXPECT_EQ (p.linePhase[0].load(), phase) << "position " << ppq;
        EXPECT_EQ (p.linePhase[1].load(), phase * 4.0f - std::floor (phase * 4.0f)) << "position " << ppq;
    }
}

TEST (ProcessorTiming, BarLengthFollowsTheMeter)
{
    TestHost host;
    auto& p = *host.processor;
    const std::tuple<int, int, float> meters[] = { { 4, 4, 4.0f },  { 3, 4, 3.0f },  { 7, 4, 7.0f },
                                                   { 6, 8, 3.0f },  { 12, 8, 6.0f }, { 3, 2, 6.0f },
                                                   { 5, 16, 1.25f } };
    for (const auto& [numerator, denominator, beats] : meters)
    {
        p.timeSigChanged = false;
        host.setTransport (120.0, false, numerator, denominator);
        host.run (1);
        EXPECT_EQ (p.timeSigNumerator.load(), numerator);
        EXPECT_EQ (p.timeSigDenominator.load(), denominator);
        EXPECT_EQ (p.beatsPerBar.load(), beats) << numerator << "/" << denominator;
        EXPECT_EQ (p.barsPerBeat.load(), 1.0f / beats);
    }

    // 6/8 at position 1.5 quarter notes with one cycle per bar (3 quarter notes): phase 0.5.
    oneCyclePerBar (p);
    host.setTransport (120.0, false, 6, 8);
    host.setPosition (1.5);
    host.run (1);
    EXPECT_EQ (p.linePhase[0].load(), 0.5f);
}

TEST (ProcessorTiming, MeterChangeClearsTheDisplayAndFlagsTheEditor)
{
    TestHost host;
    auto& p = *host.processor;
    host.run (1);
    std::fill (std::begin (p.waveDisplay), std::end (p.waveDisplay), 0.9f);
    p.timeSigChanged = false;
    host.run (1);
    EXPECT_FALSE (p.timeSigChanged.load());
    EXPECT_EQ (p.waveDisplay[100], 0.9f);

    host.setTransport (120.0, true, 3, 4);
    host.run (1);
    EXPECT_TRUE (p.timeSigChanged.load());
    for (float v : p.waveDisplay)
        ASSERT_EQ (v, 0.5f);
}

TEST (ProcessorTiming, ZeroOrNegativeMeterCountsAsFourFour)
{
    TestHost host;
    auto& p = *host.processor;
    host.setTransport (120.0, true, 3, 4);
    host.run (1);
    for (auto [numerator, denominator] : { std::pair{ 0, 4 }, { 3, 0 }, { -2, 4 }, { 0, 0 } })
    {
        host.setTransport (120.0, true, numerator, denominator);
        host.run (1);
        EXPECT_EQ (p.timeSigNumerator.load(), 4);
        EXPECT_EQ (p.timeSigDenominator.load(), 4);
        EXPECT_EQ (p.beatsPerBar.load(), 4.0f);
        EXPECT_TRUE (std::isfinite (p.linePhase[0].load()));
    }
}

TEST (ProcessorTiming, NoPlayHeadMeansStoppedWithTheLastValues)
{
    TestHost host;
    auto& p = *host.processor;
    host.setTransport (90.0, true, 3, 4);
    host.setPosition (6.5);
    host.run (64);
    ASSERT_TRUE (p.isPlaying.load());

    p.setPlayHead (nullptr);
    host.run (64);
    EXPECT_FALSE (p.isPlaying.load());
    EXPECT_EQ (p.bpm.load(), 90.0f);
    EXPECT_EQ (p.timeSigNumerator.load(), 3);
    EXPECT_EQ (p.ppqPosition.load(), 6.5f);

    // A play head without a position is the same.
    p.setPlayHead (&host.playHead);
    host.playHead.present = false;
    host.run (64);
    EXPECT_FALSE (p.isPlaying.load());
    EXPECT_EQ (p.bpm.load(), 90.0f);

    // A stopped block switches at once.
    host.setParameter ("State", 2.0f);
    host.run (64);
    EXPECT_EQ (p.currentState.load(), 2);
}

TEST (ProcessorTiming, PositionWithoutFieldsIsStoppedAndKeepsTheLast)
{
    TestHost host;
    auto& p = *host.processor;
    host.setTransport (100.0, true, 7, 8);
    host.setPosition (3.0);
    host.run (64);

    host.playHead.info = juce::AudioPlayHead::PositionInfo{};
    host.playHead.info.setIsPlaying (true);
    juce::AudioBuffer<float> buffer (2, 64);
    buffer.clear();
    juce::MidiBuffer midi;
    p.processBlock (buffer, midi);
    EXPECT_FALSE (p.isPlaying.load());
    EXPECT_EQ (p.bpm.load(), 100.0f);
    EXPECT_EQ (p.timeSigNumerator.load(), 7);
    EXPECT_EQ (p.timeSigDenominator.load(), 8);
    EXPECT_EQ (p.ppqPosition.load(), 3.0f);
}

TEST (ProcessorTiming, NonFinitePositionKeepsTheLast)
{
    TestHost host;
    auto& p = *host.processor;
    host.setTransport (120.0, true);
    host.setPosition (10.25);
    host.run (16);
    for (double bad : { std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                        -std::numeric_limits<double>::infinity(), 1.0e300 })
    {
        host.setPosition (bad);
        host.run (16);
        EXPECT_EQ (p.ppqPosition.load(), 10.25f) << bad;
        for (int line = 0; line < 4; ++line)
        {
            EXPECT_GE (p.linePhase[line].load(), 0.0f);
            EXPECT_LE (p.linePhase[line].load(), 1.0f);
        }
    }
}

TEST (ProcessorTiming, PrepareToPlayResetsRampsGlidesAndCycleLength)
{
    TestHost host (44100.0);
    auto& p = *host.processor;
    host.setParameter ("MixMaster", 0.0f);
    host.setParameter ("LowLevel", 1.0f);
    host.run (4);
    ASSERT_TRUE (p.mixRamp[0].isSmoothing());
    ASSERT_GT (p.glideFilter[0].value, 0.0f);

    p.timeSigChanged = false;
    std::fill (std::begin (p.waveDisplay), std::end (p.waveDisplay), 0.2f);
    host.prepare (48000.0, 256);

    EXPECT_EQ (p.sampleRate.load(), 48000.0f);
    EXPECT_TRUE (p.timeSigChanged.load());
    EXPECT_EQ (p.waveDisplay[0], 0.5f);
    EXPECT_EQ (p.waveDisplay[511], 0.5f);
    EXPECT_EQ (p.bandSplit.sampleRate, 48000.0);
    for (int line = 0; line < 4; ++line)
    {
        EXPECT_EQ (p.glideFilter[line].value, 0.0f);
        EXPECT_FLOAT_EQ (p.glideFilter[line].coeff, static_cast<float> (std::exp (-2.0 * M_PI / 480.0)));
        // The cycle length follows the new rate at once.
        EXPECT_EQ (p.samplesPerCycle[line].load(), 24000.0f);
    }

    // Ramps stand at their targets, with 48 and 479 steps at 48 kHz.
    EXPECT_FALSE (p.mixRamp[0].isSmoothing());
    EXPECT_EQ (p.mixRamp[0].getCurrentValue(), 0.0f);
    EXPECT_FALSE (p.levelRamp[0].isSmoothing());
    EXPECT_NEAR (p.levelRamp[0].getCurrentValue(), 3.16228f, 1e-5);

    auto mix = p.mixRamp[1];
    mix.setTargetValue (0.5f);
    for (int i = 0; i < 47; ++i)
        mix.getNextValue();
    EXPECT_TRUE (mix.isSmoothing());
    mix.getNextValue();
    EXPECT_FALSE (mix.isSmoothing());

    auto level = p.levelRamp[2];
    level.setTargetValue (0.0f);
    for (int i = 0; i < 478; ++i)
        level.getNextValue();
    EXPECT_TRUE (level.isSmoothing());
    level.getNextValue();
    EXPECT_FALSE (level.isSmoothing());
}

TEST (ProcessorTiming, RampStepsAtFortyFourPointOneKilohertz)
{
    TestHost host (44100.0);
    auto& p = *host.processor;

    // Through the audio block: a mix ramp is 44 samples long, a level ramp 440.
    host.setParameter ("MixMaster", 0.0f);
    host.setParameter ("HighMute", 1.0f);
    host.run (43);
    EXPECT_TRUE (p.mixRamp[0].isSmoothing());
    EXPECT_GT (p.mixRamp[0].getCurrentValue(), 0.0f);
    host.run (1);
    EXPECT_FALSE (p.mixRamp[0].isSmoothing());
    EXPECT_EQ (p.mixRamp[0].getCurrentValue(), 0.0f);
    host.run (440 - 44 - 1);
    EXPECT_TRUE (p.levelRamp[2].isSmoothing());
    host.run (1);
    EXPECT_FALSE (p.levelRamp[2].isSmoothing());
    EXPECT_EQ (p.levelRamp[2].getCurrentValue(), 0.0f);
}

TEST (ProcessorTiming, SampleRateOfTheBlockUpdatesTheCycleLength)
{
    TestHost host (44100.0);
    auto& p = *host.processor;
    // A host that changes the rate without preparing again.
    p.setRateAndBufferSizeDetails (96000.0, 512);
    host.run (8);
    EXPECT_EQ (p.sampleRate.load(), 96000.0f);
    EXPECT_EQ (p.samplesPerCycle[0].load(), 48000.0f);
}

TEST (ProcessorTiming, StoppedPhaseStandsStill)
{
    TestHost host;
    auto& p = *host.processor;
    oneCyclePerBar (p);
    installCurve (p, 0, 0, { { 0.0f, 0.0f }, { 1.0f, 1.0f } });
    host.setTransport (120.0, false);
    host.setPosition (1.0); // phase 0.25
    host.run (44100, 512);
    const float expected = p.modulationArray()[0][0][juce::roundToInt (0.25f * 511.0f)];
    EXPECT_NEAR (p.lineValue[0].load(), expected, 0.0006f);
    EXPECT_EQ (p.linePhase[0].load(), 0.25f);
}

TEST (ProcessorTiming, GlideStopsNearItsTargetWithoutSnapping)
{
    TestHost host;
    auto& p = *host.processor;
    host.setTransport (120.0, false);
    // Main target 1.0 from value 0: the glide approaches and stops inside 0.0005.
    host.run (44100);
    const float value = p.glideFilter[0].value;
    EXPECT_LT (value, 1.0f);
    EXPECT_GE (value, 1.0f - 0.0005f);
    host.run (4410);
    EXPECT_EQ (p.glideFilter[0].value, value);
}

// While the host plays, every sample has its own position: the same render in blocks of 32,
// 512 and 4096 samples comes out the same.
void expectSameRenderAtEveryBlockSize (double startPosition)
{
    constexpr double rate = 44100.0;
    constexpr int total = 3 * 44100;
    juce::AudioBuffer<float> input (2, total);
    fillSignal (input, 0, rate);

    std::vector<juce::AudioBuffer<float>> outputs;
    for (int blockSize : { 32, 512, 4096 })
    {
        TestHost host (rate, blockSize);
        auto& p = *host.processor;
        // A 1/16 bar gate on Main and moving curves on the bands.
        p.activeLength[0] = 1.0f;
        p.activeLength[1] = 0.5f;
        p.activeSync[2] = false;
        p.activeLength[2] = 0.37f;
        p.CalculateSpeed();
        installCurve (p, 0, 0, { { 0.0f, 1.0f }, { 0.5f, 1.0f }, { 0.501f, 0.0f }, { 1.0f, 0.0f } });
        installCurve (p, 1, 0, { { 0.0f, 0.0f }, { 1.0f, 1.0f } });
        installCurve (p, 2, 0, { { 0.0f, 1.0f }, { 0.3f, 0.1f }, { 1.0f, 0.8f } });
        installCurve (p, 3, 0, { { 0.0f, 0.2f }, { 0.7f, 1.0f }, { 1.0f, 0.2f } });
        host.setTransport (120.0, true);
        host.setPosition (startPosition);

        juce::AudioBuffer<float> output (input);
        for (int start = 0; start < total; start += blockSize)
        {
            const int n = std::min (blockSize, total - start);
            juce::AudioBuffer<float> block (output.getArrayOfWritePointers(), 2, start, n);
            host.process (block);
        }
        outputs.push_back (output);
    }

    float peak = 0.0f;
    for (int ch = 0; ch < 2; ++ch)
        peak = std::max (peak, outputs[0].getMagnitude (ch, 0, total));
    ASSERT_GT (peak, 0.1f);

    for (size_t k = 1; k < outputs.size(); ++k)
    {
        float worst = 0.0f;
        for (int ch = 0; ch < 2; ++ch)
            for (int n = 0; n < total; ++n)
                worst =
                    std::max (worst, std::abs (outputs[k].getSample (ch, n) - outputs[0].getSample (ch, n)));
        EXPECT_LE (worst, 1e-4f) << "block size set " << k << " from position " << startPosition;
    }
}

TEST (ProcessorTiming, RenderDoesNotDependOnTheHostBlockSize)
{
    expectSameRenderAtEveryBlockSize (0.3);
}

// Far into the timeline the cycle count passes 2^31 during the render (at different blocks for
// different block sizes): the lookup must not change on the way.
TEST (ProcessorTiming, RenderDoesNotDependOnTheHostBlockSizeFarIntoTheTimeline)
{
    expectSameRenderAtEveryBlockSize (536870911.0);
}

// A block of one sample reads its table entry on its own, a longer block by runs of equal entries:
// both give the same output bit for bit. Every line moves through several entries per 64 samples
// (every entry a different gain, no glide), from the start of the timeline, through a host's
// pre-roll, and where the cycle count passes 2^31.
TEST (ProcessorTiming, BlocksReadTheSameEntriesAsSingleSamples)
{
    constexpr int total = 6000;
    juce::AudioBuffer<float> input (2, total);
    fillSignal (input, 0, 44100.0);
    for (double start : { 0.3, -0.2, 536870911.8 })
    {
        std::vector<juce::AudioBuffer<float>> outputs;
        for (int blockSize : { 1, 61, 4096 })
        {
            TestHost host (44100.0, 512);
            auto& p = *host.processor;
            for (int line = 0; line < 4; ++line)
            {
                kalvo::test::setTable (p, line, 0,
                                       [line] (int k)
                                       { return static_cast<float> ((k * (line + 3)) % 512) / 511.0f; });
                p.bandGlide()[line][0] = 0.0f;
                p.activeSync[line] = false;
                p.activeLength[line] = 1.0f - 0.17f * static_cast<float> (line);
            }
            p.publishModel();
            p.CalculateSpeed();
            host.prepare (44100.0, 512);
            host.setTransport (127.0, true);
            host.setPosition (start);

            juce::AudioBuffer<float> output (input);
            for (int done = 0; done < total; done += blockSize)
            {
                juce::AudioBuffer<float> block (output.getArrayOfWritePointers(), 2, done,
                                                std::min (blockSize, total - done));
                host.process (block);
            }
            outputs.push_back (output);
        }
        for (size_t k = 1; k < outputs.size(); ++k)
            for (int ch = 0; ch < 2; ++ch)
                EXPECT_EQ (std::memcmp (outputs[k].getReadPointer (ch), outputs[0].getReadPointer (ch),
                                        total * sizeof (float)),
                           0)
                    << "from " << start << ", block size set " << k;
    }
}

// The gate must open and close many times per cycle at any block size: count gate edges.
TEST (ProcessorTiming, ShortLoopMovesWithinOneLargeBlock)
{
    TestHost host (44100.0, 4096);
    auto& p = *host.processor;
    p.activeLength[0] = 1.0f; // 16 cycles per bar: 5512.5 samples per cycle at 120 bpm
    p.CalculateSpeed();
    installCurve (p, 0, 0, { { 0.0f, 1.0f }, { 0.5f, 1.0f }, { 0.501f, 0.0f }, { 1.0f, 0.0f } });
    host.setTransport (120.0, true);

    juce::AudioBuffer<float> buffer (2, 4096);
    for (int ch = 0; ch < 2; ++ch)
        juce::FloatVectorOperations::fill (buffer.getWritePointer (ch), 0.5f, 4096);
    host.process (buffer);
    // The Main curve moved inside the block: the value ends near the gate state of the last
    // sample (4095 / 5512.5 = 0.743 of a cycle, in the closed half), not of the first.
    EXPECT_LT (p.lineValue[0].load(), 0.5f);
}

// While the host plays, sample n of a block reads the curve at the host position of that sample:
// block start + n quarter notes x tempo / 60 / rate. The Main table holds its own index (k / 511)
// and every other gain is 1, so with a steady DC input each output sample tells which table
// entry it used. Blocks of uneven sizes, a position jump and two meters.
TEST (ProcessorTiming, EverySampleReadsTheCurveAtItsOwnHostPosition)
{
    for (const auto& [numerator, denominator] : { std::pair{ 4, 4 }, std::pair{ 6, 8 } })
    {
        constexpr double rate = 44100.0, tempo = 97.0;
        TestHost host (rate, 4096);
        auto& p = *host.processor;
        p.linkMix = false;
        for (auto* id : { "MixLow", "MixMid", "MixHigh" })
            host.setParameter (id, 0.0f);
        kalvo::test::setTable (p, 0, 0, [] (int k) { return static_cast<float> (k) / 511.0f; });
        for (int line = 0; line < 4; ++line)
            p.bandGlide()[line][0] = 0.0f;
        p.publishModel();
        p.activeLength[0] = 1.0f; // 16 cycles per bar
        p.CalculateSpeed();
        host.prepare (rate, 4096);

        // The crossover settles on the DC input while the transport stands.
        host.setTransport (tempo, false, numerator, denominator);
        juce::AudioBuffer<float> buffer (2, 8192);
        for (int ch = 0; ch < 2; ++ch)
            juce::FloatVectorOperations::fill (buffer.getWritePointer (ch), 0.5f, 8192);
        host.process (buffer);

        host.setTransport (tempo, true, numerator, denominator);
        host.setPosition (13.37);
        // Bars per quarter note, held in single precision like the processor's barsPerBeat.
        const auto barsPerQuarter = static_cast<double> (
            1.0f / (static_cast<float> (numerator) * 4.0f / static_cast<float> (denominator)));
        int checked = 0, mismatches = 0;
        const int blockSizes[] = { 4096, 1000, 37, 1, 2500, 700, 4096, 3 };
        for (int b = 0; b < 8; ++b)
        {
            if (b == 5)
                host.setPosition (2.0); // the host jumps back (a loop)
            const int size = blockSizes[b];
            const double start = host.currentPosition();
            juce::AudioBuffer<float> block (2, size);
            for (int ch = 0; ch < 2; ++ch)
                juce::FloatVectorOperations::fill (block.getWritePointer (ch), 0.5f, size);
            host.process (block);

            for (int n = 0; n < size; ++n)
            {
                const double position = start + n * tempo / 60.0 / rate;
                const double x = position * barsPerQuarter * 16.0;
                const double entry = (x - std::floor (x)) * 511.0;
                if (std::abs (entry - std::floor (entry) - 0.5) < 1e-4)
                    continue;                             // too close to a rounding boundary to decide here
                const long expected = std::lrint (entry); // halves to even
                for (int ch = 0; ch < 2; ++ch)
                {
                    const long used = std::lrint (block.getSample (ch, n) / 0.5f * 511.0f);
                    ++checked;
                    if (used != expected)
                        ++mismatches;
                    ASSERT_LE (mismatches, 0)
                        << numerator << "/" << denominator << " block " << b << " sample " << n << ": entry "
                        << used << ", expected " << expected;
                }
            }
        }
        EXPECT_GT (checked, 20000);
    }
}
