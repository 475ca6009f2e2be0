#include "DemoSignal.h"
#include <algorithm>
#include <cmath>

namespace
{
struct Partial
{
    double hz;
    float left, right;
};

// Low: 55 and 110 Hz; mid: 440, 660 and 990 Hz; high: 4.5, 7 and 10.5 kHz. The channels differ a
// little so the stereo image is audible too. Amplitudes sum to below 0.9.
constexpr Partial partials[] = {
    { 55.0, 0.20f, 0.18f },  { 110.0, 0.08f, 0.10f },  { 440.0, 0.10f, 0.08f },  { 660.0, 0.07f, 0.09f },
    { 990.0, 0.05f, 0.05f }, { 4500.0, 0.05f, 0.06f }, { 7000.0, 0.04f, 0.03f }, { 10500.0, 0.03f, 0.03f },
};
} // namespace

// Every partial is a whole multiple of 5 Hz, so the signal repeats every fifth of a second: at a
// whole-numbered rate R after R / gcd (R, 5) samples. One period is computed once and then
// replayed, which spares eight sines per sample; a rate that is no whole number, or whose period
// would be very long, computes every sample.
constexpr double longestPeriod = 400000.0;

DemoSignal::DemoSignal (double rate) : sampleRate (rate)
{
    if (!(rate >= 1.0 && rate <= longestPeriod) || rate != std::floor (rate))
        return;
    const auto wholeRate = static_cast<int> (rate);
    const int period = wholeRate % 5 == 0 ? wholeRate / 5 : wholeRate;
    periodLeft.resize (static_cast<size_t> (period));
    periodRight.resize (static_cast<size_t> (period));
    for (int n = 0; n < period; ++n)
        compute (rate, n, periodLeft[static_cast<size_t> (n)], periodRight[static_cast<size_t> (n)]);
}

void DemoSignal::compute (double rate, juce::int64 index, float& left, float& right)
{
    const auto t = static_cast<double> (index) / rate;
    float l = 0.0f, r = 0.0f;

    for (const auto& p : partials)
    {
        // Phase reduced to one cycle in double precision, so hours of signal stay clean.
        const auto cycles = p.hz * t;
        const auto phase = static_cast<float> (juce::MathConstants<double>::twoPi * (cycles - std::floor (cycles)));
        const auto s = std::sin (phase);
        l += p.left * s;
        r += p.right * s;
    }

    left = l;
    right = r;
}

void DemoSignal::render (juce::AudioBuffer<float>& buffer, juce::int64 firstSample, int numSamples) const
{
    auto* left = buffer.getWritePointer (0);
    auto* right = buffer.getWritePointer (1);

    const auto period = static_cast<juce::int64> (periodLeft.size());
    if (period == 0)
    {
        for (int i = 0; i < numSamples; ++i)
            compute (sampleRate, firstSample + i, left[i], right[i]);
        return;
    }

    auto position = static_cast<int> (((firstSample % period) + period) % period);
    for (int i = 0; i < numSamples;)
    {
        const int count = std::min (numSamples - i, static_cast<int> (period) - position);
        std::copy_n (periodLeft.data() + position, count, left + i);
        std::copy_n (periodRight.data() + position, count, right + i);
        i += count;
        position = 0;
    }
}
