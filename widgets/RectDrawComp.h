#pragma once

#include <JuceHeader.h>

// The play-position bar over the curve editors; beatCount and beatWidth are kept here for the
// owner's marker arithmetic.
class RectDrawComp : public juce::Component
{
public:
    RectDrawComp();
    ~RectDrawComp() override;

    void paint (juce::Graphics& g) override;
    void resized() override;

    // The pixels the bar covers at markerX (empty when it lies outside the component), for an
    // owner that repaints only where the bar moved.
    juce::Rectangle<int> barBounds() const;

    float markerX = 0.0f;
    int beatCount = 4;
    int beatWidth = 0;
    float scale = 2.0f;
    juce::Colour colour{ 0xFF4ED36D };

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (RectDrawComp)
};
