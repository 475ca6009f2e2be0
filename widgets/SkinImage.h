#pragma once

#include <JuceHeader.h>

// The window's background picture (view 0) or the about panel's picture (view 1), scaled to the
// logical window size times `scale`. Both pictures are decoded from the embedded JPEGs when built.
class SkinImage : public juce::Component
{
public:
    static constexpr int logicalWidth = 592;
    static constexpr int logicalHeight = 234;

    SkinImage();
    ~SkinImage() override;

    void paint (juce::Graphics& g) override;
    void resized() override;

    float scale = 2.0f;
    int view = 0;
    juce::Image skin;
    juce::Image about;

private:
    // Each picture as last drawn at its window size: resampling the whole picture at every
    // repaint cost an idle window most of its time.
    struct Prepared
    {
        juce::Image source; // the picture it was made from (shares its pixels)
        juce::Image image;
    };
    Prepared prepared[2];

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SkinImage)
};
