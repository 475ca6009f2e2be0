#include "FreqDisplay.h"

namespace
{
float fraction (float v)
{
    return std::isfinite (v) ? juce::jlimit (0.0f, 1.0f, v) : 0.0f;
}
} // namespace

FreqDisplay::FreqDisplay() = default;
FreqDisplay::~FreqDisplay() = default;

void FreqDisplay::resized() {}

void FreqDisplay::paint (juce::Graphics& g)
{
    const float s = scale;
    if (!std::isfinite (s))
        return;
    const float innerWidth = juce::jmax (0.0f, (float) getWidth() - 2.0f * s);
    const float innerHeight = juce::jmax (0.0f, (float) getHeight() - 2.0f * s);
    const float corner = 2.0f * s;
    const float low = fraction (lowSplit);
    const float high = fraction (highSplit);

    // Drawn in this order so that a low split beyond the high one shows the high bar on top.
    g.setColour (midColour);
    g.fillRoundedRectangle (s, s, innerWidth, innerHeight, corner);
    g.setColour (lowColour);
    g.fillRoundedRectangle (s, s, low * innerWidth, innerHeight, corner);
    g.setColour (highColour);
    g.fillRoundedRectangle (s + high * innerWidth, s, (1.0f - high) * innerWidth, innerHeight, corner);
}
