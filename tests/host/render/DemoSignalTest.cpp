#include "DemoSignal.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

namespace
{
// The eight partials (Hz, left and right amplitude), as the built-in input describes them.
constexpr struct
{
    int64_t hz;
    double left, right;
} partials[] = { { 55, 0.20, 0.18 },  { 110, 0.08, 0.10 },  { 440, 0.10, 0.08 },  { 660, 0.07, 0.09 },
                 { 990, 0.05, 0.05 }, { 4500, 0.05, 0.06 }, { 7000, 0.04, 0.03 }, { 10500, 0.03, 0.03 } };

// Sample n in double precision, the phase reduced exactly in integers (rate a whole number of Hz).
void expected (int64_t rate, int64_t n, double& left, double& right)
{
    left = right = 0.0;
    for (const auto& p : partials)
    {
        const double s = std::sin (2.0 * M_PI * static_cast<double> ((p.hz * n) % rate) / static_cast<double> (rate));
        left += p.left * s;
        right += p.right * s;
    }
}
} // namespace

// The signal is the sum of its partials wherever a block starts: at the start, across the end of
// a period, and an hour in, whether replayed from one period or computed sample by sample.
TEST (DemoSignal, EveryBlockIsTheSumOfThePartials)
{
    for (int64_t rate : { 44100, 48000, 96000, 44101 })
    {
        const DemoSignal demo (static_cast<double> (rate));
        EXPECT_EQ (demo.getPeriod(), rate % 5 == 0 ? rate / 5 : rate);
        for (int64_t start : { int64_t{ 0 }, rate / 5 - 3, rate * 3600 + 17 })
        {
            juce::AudioBuffer<float> buffer (2, 64);
            demo.render (buffer, start, 64);
            for (int i = 0; i < 64; ++i)
            {
                double left, right;
                expected (rate, start + i, left, right);
                ASSERT_NEAR (buffer.getSample (0, i), left, 2e-6) << rate << " " << start + i;
                ASSERT_NEAR (buffer.getSample (1, i), right, 2e-6) << rate << " " << start + i;
            }
        }
    }

    // A rate that is no whole number makes every sample itself.
    const DemoSignal odd (44100.5);
    EXPECT_EQ (odd.getPeriod(), 0);
    juce::AudioBuffer<float> buffer (2, 8);
    odd.render (buffer, 1000, 8);
    EXPECT_GT (buffer.getMagnitude (0, 0, 8), 0.0f);
}
