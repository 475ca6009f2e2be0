#pragma once

#include <JuceHeader.h>

// The three crossover bands as coloured bars under the split knobs.
class FreqDisplay : public juce::Component
{
public:
    FreqDisplay();
    ~FreqDisplay() override;

    void paint (juce::Graphics& g) override;
    void resized() override;

    float lowSplit = 0.31642f;
    float highSplit = 0.74411f;
    juce::Colour lowColour{ 0xFFE95555 };
    juce::Colour midColour{ 0xFFE9E053 };
    juce::Colour highColour{ 0xFF92E97A };
    float scale = 2.0f;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (FreqDisplay)
};
