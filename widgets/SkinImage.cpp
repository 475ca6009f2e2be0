#include "SkinImage.h"

#include "KalvoResources.h"

namespace
{
// Decoded here and held by the component rather than through juce::ImageCache: the cache's
// timer would outlive the window and be destroyed, still running, when the plug-in unloads.
juce::Image decode (const char* data, int size)
{
    return juce::ImageFileFormat::loadFrom (data, static_cast<size_t> (size));
}
} // namespace

SkinImage::SkinImage()
{
    skin = decode (KalvoResources::resource_SkinImage_kalvo2Skin_9_jpg,
                   KalvoResources::resource_SkinImage_kalvo2Skin_9_jpgSize);
    about = decode (KalvoResources::resource_SkinImage_testingGui10_about_jpg,
                    KalvoResources::resource_SkinImage_testingGui10_about_jpgSize);
    setSize (1088, 468);
}

SkinImage::~SkinImage() = default;

void SkinImage::resized() {}

void SkinImage::paint (juce::Graphics& g)
{
    const juce::Image* picture = view == 0 ? &skin : (view == 1 ? &about : nullptr);
    if (picture == nullptr || !picture->isValid() || !std::isfinite (scale) || scale > 100.0f)
        return;

    // Opaque black, so the picture is drawn at full opacity whatever colour the context held.
    const auto width = juce::roundToInt ((float) logicalWidth * scale);
    const auto height = juce::roundToInt ((float) logicalHeight * scale);
    if (width <= 0 || height <= 0)
        return;

    g.setColour (juce::Colours::black);
    const auto drawScaled = [&] (juce::Graphics& target)
    { target.drawImage (*picture, 0, 0, width, height, 0, 0, picture->getWidth(), picture->getHeight()); };

    // A context that scales (a high-density display, a scaled snapshot) resamples the picture
    // itself; copying a prepared image there would resample it twice.
    if (g.getInternalContext().getPhysicalPixelScaleFactor() != 1.0f)
    {
        drawScaled (g);
        return;
    }

    // The prepared image is the picture drawn once exactly as above, so copying it gives the
    // same pixels.
    auto& slot = prepared[view];
    if (slot.source != *picture || slot.image.getWidth() != width || slot.image.getHeight() != height)
    {
        slot.source = *picture;
        slot.image = juce::Image (juce::Image::ARGB, width, height, true);
        juce::Graphics preparing (slot.image);
        preparing.setColour (juce::Colours::black);
        drawScaled (preparing);
    }
    g.drawImageAt (slot.image, 0, 0);
}
