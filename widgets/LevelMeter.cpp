#include "LevelMeter.h"

LevelMeter::LevelMeter() = default;
LevelMeter::~LevelMeter() = default;

void LevelMeter::resized() {}

void LevelMeter::paint (juce::Graphics& g)
{
    const float s = scale;
    if (!std::isfinite (s))
        return;
    const float corner = 2.0f * s;
    const auto bounds = getLocalBounds().toFloat();

    g.setColour (colour.withAlpha ((juce::uint8) 0x66));
    g.drawRoundedRectangle (bounds, corner, s);
    g.setColour (colour.withAlpha ((juce::uint8) 0x26));
    g.fillRoundedRectangle (bounds, corner);

    // The bar never leaves the meter, whatever level the owner writes.
    const float clamped = std::isfinite (level) ? juce::jlimit (0.0f, 1.0f, level) : 0.0f;
    const float barHeight = clamped * bounds.getHeight();
    g.setColour (colour);
    g.fillRoundedRectangle (0.0f, bounds.getHeight() - barHeight, bounds.getWidth(), barHeight, corner);
}
