#pragma once

#include <JuceHeader.h>

// A thick polyline of 100 or 512 values: the waveform, the curve preview and the thumbnails.
// The owner feeds values with setPoint after every change of values, size or inset.
class GraphDraw : public juce::Component
{
public:
    static constexpr int maxPoints = 1024;

    GraphDraw();
    ~GraphDraw() override;

    void paint (juce::Graphics& g) override;
    void resized() override;

    // Mode 0 reads 100 values, modes 1 and 2 read 512; repaints in every mode.
    void setPoint (const float* values);

    juce::Point<float> screenPoints[maxPoints];
    float thickness = 2.0f;
    juce::Colour colour{ 0xFF7EC4EA };
    int inset = 8;
    int mode = 0;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GraphDraw)
};
