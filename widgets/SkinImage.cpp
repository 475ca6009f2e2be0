#include "SkinImage.h"

#include "KalvoResources.h"

SkinImage::SkinImage()
{
    skin = juce::ImageCache::getFromMemory (KalvoResources::resource_SkinImage_kalvo2Skin_9_jpg,
                                            KalvoResources::resource_SkinImage_kalvo2Skin_9_jpgSize);
    about = juce::ImageCache::getFromMemory (KalvoResources::resource_SkinImage_testingGui10_about_jpg,
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
    g.drawImage (*picture, 0, 0, width, height, 0, 0, picture->getWidth(), picture->getHeight());
}
