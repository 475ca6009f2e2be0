#pragma once

#include <JuceHeader.h>

// One vertical bar meter; outline and background are the bar colour at lower alphas.
class LevelMeter : public juce::Component
{
public:
    LevelMeter();
    ~LevelMeter() override;

    void paint (juce::Graphics& g) override;
    void resized() override;

    float level = 0.0f;
    juce::Colour colour{ 0xFF83AEE2 };
    float scale = 2.0f;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (LevelMeter)
};
