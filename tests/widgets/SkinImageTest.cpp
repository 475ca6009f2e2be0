#include "SkinImage.h"
#include "KalvoResources.h"
#include "PixelProbe.h"

#include <gtest/gtest.h>

namespace
{
struct JpegFrame
{
    int marker = 0;
    int precision = 0;
    int height = 0;
    int width = 0;
    int components = 0;
};

// The first start-of-frame header of a JPEG stream, read from its markers.
JpegFrame readFrame (const char* data, int size)
{
    const auto* bytes = reinterpret_cast<const unsigned char*> (data);
    JpegFrame frame;
    if (size < 4 || bytes[0] != 0xFF || bytes[1] != 0xD8)
        return frame;

    int pos = 2;
    while (pos + 9 < size)
    {
        if (bytes[pos] != 0xFF)
            return frame;
        const int marker = bytes[pos + 1];
        const int length = (bytes[pos + 2] << 8) | bytes[pos + 3];
        const bool startOfFrame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (startOfFrame)
        {
            frame.marker = marker;
            frame.precision = bytes[pos + 4];
            frame.height = (bytes[pos + 5] << 8) | bytes[pos + 6];
            frame.width = (bytes[pos + 7] << 8) | bytes[pos + 8];
            frame.components = bytes[pos + 9];
            return frame;
        }
        pos += 2 + length;
    }
    return frame;
}

// The embedded picture's own colour where a window pixel at scale s lands.
juce::Colour pictureColour (const juce::Image& picture, int x, int y, float s = 2.0f)
{
    const float toPicture = 2.0f / s;
    return picture.getPixelAt (juce::jmin (picture.getWidth() - 1, (int) ((float) x * toPicture)),
                               juce::jmin (picture.getHeight() - 1, (int) ((float) y * toPicture)));
}
} // namespace

TEST (SkinImagePictures, EmbeddedAsBaselineThreeComponentJpegsOfTwiceTheWindowSize)
{
    for (const auto& [data, size] :
         { std::pair{ KalvoResources::resource_SkinImage_kalvo2Skin_9_jpg,
                      KalvoResources::resource_SkinImage_kalvo2Skin_9_jpgSize },
           std::pair{ KalvoResources::resource_SkinImage_testingGui10_about_jpg,
                      KalvoResources::resource_SkinImage_testingGui10_about_jpgSize } })
    {
        const auto frame = readFrame (data, size);
        EXPECT_EQ (frame.marker, 0xC0); // baseline DCT
        EXPECT_EQ (frame.precision, 8);
        EXPECT_EQ (frame.width, 1184);
        EXPECT_EQ (frame.height, 468);
        EXPECT_EQ (frame.components, 3);
    }
}

TEST (SkinImagePictures, DecodedWhenBuilt)
{
    SkinImage skinImage;
    EXPECT_FLOAT_EQ (skinImage.scale, 2.0f);
    EXPECT_EQ (skinImage.view, 0);
    EXPECT_EQ (skinImage.getWidth(), 1088);
    EXPECT_EQ (skinImage.getHeight(), 468);
    ASSERT_TRUE (skinImage.skin.isValid());
    ASSERT_TRUE (skinImage.about.isValid());
    EXPECT_EQ (skinImage.skin.getWidth(), 1184);
    EXPECT_EQ (skinImage.skin.getHeight(), 468);
    EXPECT_EQ (skinImage.about.getWidth(), 1184);
    EXPECT_EQ (skinImage.about.getHeight(), 468);
}

TEST (SkinImagePaint, ViewsSelectThePicture)
{
    SkinImage skinImage;
    skinImage.setSize (1184, 468);

    auto image = PixelProbe::paint (skinImage);
    EXPECT_TRUE (PixelProbe::colourNear (image, 600, 234, pictureColour (skinImage.skin, 600, 234), 4));
    EXPECT_TRUE (PixelProbe::colourNear (image, 1183, 467, pictureColour (skinImage.skin, 1183, 467), 4));

    skinImage.view = 1;
    image = PixelProbe::paint (skinImage);
    EXPECT_TRUE (PixelProbe::colourNear (image, 600, 234, pictureColour (skinImage.about, 600, 234), 4));

    for (int view : { 2, -1, 99 })
    {
        skinImage.view = view;
        image = PixelProbe::paint (skinImage);
        EXPECT_EQ (PixelProbe::countOpaque (image, image.getBounds()), 0) << view;
    }
}

TEST (SkinImagePaint, DrawnAtTheLogicalSizeTimesScale)
{
    SkinImage skinImage;
    skinImage.setSize (1184, 468);
    skinImage.scale = 1.0f;
    auto image = PixelProbe::paint (skinImage);
    EXPECT_TRUE (PixelProbe::colourNear (image, 591, 233, pictureColour (skinImage.skin, 591, 233, 1.0f), 4));
    EXPECT_TRUE (PixelProbe::isTransparent (image, 592, 100));
    EXPECT_TRUE (PixelProbe::isTransparent (image, 100, 234));

    skinImage.scale = 1.5f; // 888 x 351
    image = PixelProbe::paint (skinImage);
    EXPECT_TRUE (PixelProbe::colourNear (image, 887, 350, pictureColour (skinImage.skin, 887, 350, 1.5f), 4));
    EXPECT_TRUE (PixelProbe::isTransparent (image, 888, 100));
    EXPECT_TRUE (PixelProbe::isTransparent (image, 100, 351));

    // Every paint, the first and the ones after, gives exactly the picture drawn scaled into a
    // window of its size.
    for (const float s : { 1.0f, 1.5f, 2.0f, 1.37f })
    {
        const int width = juce::roundToInt (592 * s), height = juce::roundToInt (234 * s);
        skinImage.scale = s;
        skinImage.setSize (width, height);
        const auto scaled = PixelProbe::paint (
            width, height,
            [&] (juce::Graphics& g) { g.drawImage (skinImage.skin, 0, 0, width, height, 0, 0, 1184, 468); });
        for (int pass = 0; pass < 2; ++pass)
        {
            image = PixelProbe::paint (skinImage);
            int differing = 0;
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    differing += image.getPixelAt (x, y) != scaled.getPixelAt (x, y) ? 1 : 0;
            EXPECT_EQ (differing, 0) << s << " pass " << pass;
        }
    }
}

TEST (SkinImagePaint, DrawsAtFullOpacityWhateverTheContextHeld)
{
    SkinImage skinImage;
    skinImage.setSize (600, 240);
    skinImage.scale = 1.0f;
    const auto image = PixelProbe::paint (600, 240,
                                          [&] (juce::Graphics& g)
                                          {
                                              g.setColour (juce::Colours::white.withAlpha (0.1f));
                                              skinImage.paint (g);
                                          });
    EXPECT_TRUE (PixelProbe::colourNear (image, 300, 100, pictureColour (skinImage.skin, 300, 100, 1.0f), 4));
}

TEST (SkinImagePaint, NullPicturesAndBadScalesDrawNothing)
{
    SkinImage skinImage;
    skinImage.setSize (600, 240);
    skinImage.skin = juce::Image();
    auto image = PixelProbe::paint (skinImage);
    EXPECT_EQ (PixelProbe::countOpaque (image, image.getBounds()), 0);

    skinImage.view = 1;
    for (float s :
         { 0.0f, -2.0f, std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity() })
    {
        skinImage.scale = s;
        image = PixelProbe::paint (skinImage);
        EXPECT_EQ (PixelProbe::countOpaque (image, image.getBounds()), 0) << s;
    }
}
