#pragma once

#include <JuceHeader.h>
#include <gtest/gtest.h>

// Paints components into images without a display and reads pixels back.
class PixelProbe
{
public:
    // Paints the component (and its children) at its current size into a transparent ARGB image.
    static juce::Image paint (juce::Component& component, float scale = 1.0f);

    // Paints with a Graphics callback, for look-and-feel methods that take a Graphics directly.
    static juce::Image paint (int width, int height, const std::function<void (juce::Graphics&)>& painter,
                              juce::Colour background = juce::Colours::transparentBlack);

    // Largest difference of the four ARGB channels, unpremultiplied.
    static int difference (juce::Colour a, juce::Colour b);

    static testing::AssertionResult colourNear (const juce::Image& image, int x, int y, juce::Colour expected,
                                                int tolerance = 2);
    static testing::AssertionResult isTransparent (const juce::Image& image, int x, int y);

    // Number of pixels within the area whose colour is within tolerance of the given colour.
    static int countNear (const juce::Image& image, juce::Rectangle<int> area, juce::Colour colour,
                          int tolerance = 2);
    // Number of pixels within the area whose alpha is above the given value.
    static int countOpaque (const juce::Image& image, juce::Rectangle<int> area, int alphaAbove = 0);
    // Smallest rectangle holding every pixel with alpha above the given value (empty when none).
    static juce::Rectangle<int> opaqueBounds (const juce::Image& image, int alphaAbove = 0);

    static bool savePng (const juce::Image& image, const juce::File& file);
};
