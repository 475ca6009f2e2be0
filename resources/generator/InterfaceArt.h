#pragma once

#include <JuceHeader.h>

// The editor window's two pictures, skin (main view) and about panel, drawn from the window's
// layout at twice the logical size: dark wells and panels where the children sit, and no text
// that a child draws itself. Deterministic: the grain comes from a fixed seed, so two runs give
// the same pixels and the same JPEG bytes.
class InterfaceArt
{
public:
    static constexpr int width = 1184;
    static constexpr int height = 468;
    static constexpr float scale = 2.0f;

    static juce::Image drawSkin();
    static juce::Image drawAbout();

    // The picture with every child's box outlined, for checking the art against the layout.
    static juce::Image withOutlines (const juce::Image& picture);

    // Baseline JPEG (three components for an RGB image) into `file`; false when it cannot.
    static bool writeJpeg (const juce::Image& image, const juce::File& file);
    static bool writePng (const juce::Image& image, const juce::File& file);

    // Writes the two JPEGs under their embedded names into `folder`, and with `outlines` also a
    // PNG of each with the children's boxes drawn.
    static bool writeAll (const juce::File& folder, bool outlines);

    static constexpr const char* skinFileName = "resource_SkinImage_kalvo2Skin_9.jpg";
    static constexpr const char* aboutFileName = "resource_SkinImage_testingGui10_about.jpg";
};
