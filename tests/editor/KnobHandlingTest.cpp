#include "KnobHandling.h"
#include "EditorTestSupport.h"
#include "ProcessorTestSupport.h"
#include "SplitFrequency.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
using kalvo::test::perStateEntries;
using kalvo::test::TestHost;

} // namespace

TEST (KnobHandling, AMoveChangesOnlyThePlayingStatesEntryAndRaisesItsFlag)
{
    TestHost host;
    auto& p = *host.processor;
    p.currentState = 5;
    p.presetModified = false;

    struct Move
    {
        const char* name;
        std::function<void()> move;
        float* entry;
        float value;
    };
    const Move moves[] = {
        { "length", [&] { KnobHandling::length (p, 2, 0.25f); }, &p.lineLength[2][5], 0.25f },
        { "glide", [&] { KnobHandling::glide (p, 1, 42.2f); }, &p.bandGlide[1][5], 42.2f },
        { "mix", [&] { KnobHandling::mix (p, 3, 0.375f); }, &p.bandMix[3][5], 0.375f },
        { "split", [&] { KnobHandling::split (p, 0, 0.3f, 0.7627f); }, &p.lmFreq[5], 0.3f },
    };
    for (const auto& m : moves)
    {
        const auto before = perStateEntries (p);
        const float old = *m.entry;
        m.move();
        EXPECT_EQ (*m.entry, m.value) << m.name;
        *m.entry = old;
        EXPECT_EQ (perStateEntries (p), before) << m.name << " wrote another entry";
        *m.entry = m.value;
    }
    EXPECT_EQ (p.activeLength[2].load(), 0.25f);
    EXPECT_TRUE (p.speedChanged[2].load());
    EXPECT_TRUE (p.mixChanged[4].load());
    EXPECT_TRUE (p.lmFreqChanged.load());
    EXPECT_FALSE (p.hmFreqChanged.load());
    EXPECT_FALSE (p.presetModified.load());

    // The mix reaches its ramp and the crossover its frequency with the next block.
    host.run (512);
    EXPECT_EQ (p.mixRamp[4].getTargetValue(), 0.375f);
}

TEST (KnobHandling, GlideCoefficientsReachTheFilterWithTheNextBlock)
{
    struct Case
    {
        double rate;
        float milliseconds;
        float expected;
    };
    const Case cases[] = {
        { 44100.0, 0.2f, 0.4904758f }, { 44100.0, 10.2f, 0.9861289f }, { 44100.0, 500.0f, 0.9997151f },
        { 48000.0, 0.2f, 0.5197027f }, { 48000.0, 10.2f, 0.9872487f }, { 48000.0, 500.0f, 0.9997382f },
    };
    for (const auto& c : cases)
    {
        TestHost host (c.rate);
        auto& p = *host.processor;
        KnobHandling::glide (p, 2, c.milliseconds);
        host.run (64);
        const float independent =
            std::exp (-6.2831855f / (c.milliseconds * 0.001f * static_cast<float> (c.rate)));
        EXPECT_EQ (p.glideFilter[2].coeff, independent) << c.rate << " " << c.milliseconds;
        EXPECT_NEAR (p.glideFilter[2].coeff, c.expected, 1e-7f);
        EXPECT_EQ (p.glideFilter[2].oneMinusCoeff, 1.0f - independent);
    }
}

TEST (KnobHandling, ASplitMovedPastTheOtherTakesItAlongInTheSameState)
{
    struct Case
    {
        int moved;
        float low, high;
        float expectedLow, expectedHigh;
        bool pushed;
    };
    const Case cases[] = {
        { 0, 0.9f, 0.7627f, 0.9f, 0.9f, true }, // low-mid pushed up past mid-high
        { 1, 0.242f, 0.1f, 0.1f, 0.1f, true },  // mid-high pushed down past low-mid
        { 0, 0.5f, 0.5f, 0.5f, 0.5f, false },   // equal positions push nothing
        { 1, 0.242f, 1.0f, 0.242f, 1.0f, false },
    };
    for (const auto& c : cases)
    {
        TestHost host;
        auto& p = *host.processor;
        p.currentState = 3;
        const float otherLow = p.lmFreq[7], otherHigh = p.hmFreq[7];

        const auto result = KnobHandling::split (p, c.moved, c.low, c.high);
        EXPECT_EQ (result.pushed, c.pushed);
        EXPECT_EQ (result.low, c.expectedLow);
        EXPECT_EQ (result.high, c.expectedHigh);
        EXPECT_EQ (p.lmFreqChanged.load(), c.moved == 0 || c.pushed);
        EXPECT_EQ (p.hmFreqChanged.load(), c.moved == 1 || c.pushed);
        if (c.moved == 0 || c.pushed)
        {
            EXPECT_EQ (p.lmFreq[3], c.expectedLow);
        }
        if (c.moved == 1 || c.pushed)
        {
            EXPECT_EQ (p.hmFreq[3], c.expectedHigh);
        }
        EXPECT_LE (p.lmFreq[3], p.hmFreq[3]);

        // The audio thread switches state before the window catches up: the state left keeps its
        // ordered pair and the new state is untouched.
        p.changeImmediately = true;
        p.parameters.getParameter ("State")->setValueNotifyingHost (7.0f / 11.0f);
        host.run (512);
        EXPECT_EQ (p.currentState.load(), 7);
        EXPECT_EQ (p.lmFreq[7], otherLow);
        EXPECT_EQ (p.hmFreq[7], otherHigh);
        EXPECT_LE (p.lmFreq[3], p.hmFreq[3]);
    }
}
