#pragma once

#include <JuceHeader.h>

// One clickable symbol of the editor window: one of 19 vector glyphs in the colour of its state,
// drawn from the current size at every paint, optionally with a line of text. The owner writes the
// fields, repaints, sets the tooltip and listens to the clicks.
class Icons : public juce::Component, public juce::SettableTooltipClient
{
public:
    static constexpr int numGlyphs = 19;

    Icons();
    ~Icons() override;

    void paint (juce::Graphics& g) override;
    void resized() override;

    int iconType = 0;
    juce::Colour onColour{ 0xFF4ED36D };
    juce::Colour pressedColour{ 0xAA457250 };
    juce::Colour offColour{ 0xFF457250 };
    float scale = 2.0f;
    int state = 0;
    juce::String text{ "Text" };
    float fontHeight = 10.0f;
    int justification = juce::Justification::centred;
    int fontStyle = juce::Font::bold;

private:
    bool selectStateColour (juce::Graphics& g) const;
    void drawText (juce::Graphics& g) const;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Icons)
};
