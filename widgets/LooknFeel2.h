#pragma once

#include <JuceHeader.h>

// For knobs that are seen only through the skin picture beneath them: a rotary slider paints
// nothing, yet stays fully operable. Everything else is drawn by LookAndFeel_V3.
class LooknFeel2 : public juce::LookAndFeel_V3
{
public:
    LooknFeel2();
    ~LooknFeel2() override;

    void drawRotarySlider (juce::Graphics& g, int x, int y, int width, int height, float sliderPos,
                           float startAngle, float endAngle, juce::Slider& slider) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (LooknFeel2)
};
