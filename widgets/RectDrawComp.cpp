#include "RectDrawComp.h"

RectDrawComp::RectDrawComp() = default;
RectDrawComp::~RectDrawComp() = default;

void RectDrawComp::resized() {}

namespace
{
juce::Rectangle<float> bar (float markerX, float scale, int height)
{
    return { markerX, 0.0f, juce::jmax (0.0f, 3.0f * scale), (float) height };
}
} // namespace

void RectDrawComp::paint (juce::Graphics& g)
{
    if (!std::isfinite (markerX) || !std::isfinite (scale))
        return;
    g.setColour (colour);
    g.fillRect (bar (markerX, scale, getHeight()));
}

juce::Rectangle<int> RectDrawComp::barBounds() const
{
    if (!std::isfinite (markerX) || !std::isfinite (scale))
        return {};
    const auto area = bar (markerX, scale, getHeight()).getIntersection (getLocalBounds().toFloat());
    return area.isEmpty() ? juce::Rectangle<int>() : area.getSmallestIntegerContainer();
}
