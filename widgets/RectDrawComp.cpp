#include "RectDrawComp.h"

RectDrawComp::RectDrawComp() = default;
RectDrawComp::~RectDrawComp() = default;

void RectDrawComp::resized() {}

void RectDrawComp::paint (juce::Graphics& g)
{
    if (!std::isfinite (markerX) || !std::isfinite (scale))
        return;
    g.setColour (colour);
    g.fillRect (juce::Rectangle<float> (markerX, 0.0f, juce::jmax (0.0f, 3.0f * scale), (float) getHeight()));
}
