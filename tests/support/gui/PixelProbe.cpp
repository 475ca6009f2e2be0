#include "PixelProbe.h"

juce::Image PixelProbe::paint (juce::Component& component, float scale)
{
    const auto width = juce::jmax (1, juce::roundToInt ((float) component.getWidth() * scale));
    const auto height = juce::jmax (1, juce::roundToInt ((float) component.getHeight() * scale));
    juce::Image image (juce::Image::ARGB, width, height, true, juce::SoftwareImageType());
    juce::Graphics g (image);
    g.addTransform (juce::AffineTransform::scale (scale));
    component.paintEntireComponent (g, true);
    return image;
}

juce::Image PixelProbe::paint (int width, int height, const std::function<void (juce::Graphics&)>& painter,
                               juce::Colour background)
{
    juce::Image image (juce::Image::ARGB, juce::jmax (1, width), juce::jmax (1, height), true,
                       juce::SoftwareImageType());
    juce::Graphics g (image);
    if (!background.isTransparent())
        g.fillAll (background);
    painter (g);
    return image;
}

int PixelProbe::difference (juce::Colour a, juce::Colour b)
{
    return juce::jmax (
        std::abs ((int) a.getAlpha() - (int) b.getAlpha()), std::abs ((int) a.getRed() - (int) b.getRed()),
        std::abs ((int) a.getGreen() - (int) b.getGreen()), std::abs ((int) a.getBlue() - (int) b.getBlue()));
}

testing::AssertionResult PixelProbe::colourNear (const juce::Image& image, int x, int y,
                                                 juce::Colour expected, int tolerance)
{
    if (!image.getBounds().contains (x, y))
        return testing::AssertionFailure() << "(" << x << ", " << y << ") lies outside the image";
    const auto actual = image.getPixelAt (x, y);
    if (difference (actual, expected) <= tolerance)
        return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << "pixel (" << x << ", " << y << ") is 0x" << actual.toDisplayString (true).toStdString()
           << ", expected 0x" << expected.toDisplayString (true).toStdString() << " within " << tolerance;
}

testing::AssertionResult PixelProbe::isTransparent (const juce::Image& image, int x, int y)
{
    if (!image.getBounds().contains (x, y))
        return testing::AssertionFailure() << "(" << x << ", " << y << ") lies outside the image";
    const auto actual = image.getPixelAt (x, y);
    if (actual.getAlpha() == 0)
        return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << "pixel (" << x << ", " << y << ") is 0x" << actual.toDisplayString (true).toStdString()
           << ", expected transparent";
}

int PixelProbe::countNear (const juce::Image& image, juce::Rectangle<int> area, juce::Colour colour,
                           int tolerance)
{
    int count = 0;
    const auto clipped = area.getIntersection (image.getBounds());
    for (int y = clipped.getY(); y < clipped.getBottom(); ++y)
        for (int x = clipped.getX(); x < clipped.getRight(); ++x)
            if (difference (image.getPixelAt (x, y), colour) <= tolerance)
                ++count;
    return count;
}

int PixelProbe::countOpaque (const juce::Image& image, juce::Rectangle<int> area, int alphaAbove)
{
    int count = 0;
    const auto clipped = area.getIntersection (image.getBounds());
    for (int y = clipped.getY(); y < clipped.getBottom(); ++y)
        for (int x = clipped.getX(); x < clipped.getRight(); ++x)
            if ((int) image.getPixelAt (x, y).getAlpha() > alphaAbove)
                ++count;
    return count;
}

juce::Rectangle<int> PixelProbe::opaqueBounds (const juce::Image& image, int alphaAbove)
{
    int left = image.getWidth(), top = image.getHeight(), right = -1, bottom = -1;
    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
            if ((int) image.getPixelAt (x, y).getAlpha() > alphaAbove)
            {
                left = juce::jmin (left, x);
                right = juce::jmax (right, x);
                top = juce::jmin (top, y);
                bottom = juce::jmax (bottom, y);
            }
    if (right < 0)
        return {};
    return { left, top, right - left + 1, bottom - top + 1 };
}

bool PixelProbe::savePng (const juce::Image& image, const juce::File& file)
{
    file.getParentDirectory().createDirectory();
    file.deleteFile();
    juce::FileOutputStream out (file);
    if (out.failedToOpen())
        return false;
    juce::PNGImageFormat png;
    return png.writeImageToStream (image, out);
}
