#include "DemoSignal.h"
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

DemoSignal::DemoSignal (double rate) : sampleRate (rate) {}

void DemoSignal::render (juce::AudioBuffer<float>& buffer, juce::int64 firstSample, int numSamples) const
{
    auto* left = buffer.getWritePointer (0);
    auto* right = buffer.getWritePointer (1);

    for (int i = 0; i < numSamples; ++i)
    {
        const auto t = static_cast<double> (firstSample + i) / sampleRate;
        float l = 0.0f, r = 0.0f;

        for (const auto& p : partials)
        {
            // Phase reduced to one cycle in double precision, so hours of signal stay clean.
            const auto cycles = p.hz * t;
            const auto phase =
                static_cast<float> (juce::MathConstants<double>::twoPi * (cycles - std::floor (cycles)));
            const auto s = std::sin (phase);
            l += p.left * s;
            r += p.right * s;
        }

        left[i] = l;
        right[i] = r;
    }
}
