// The art generator: deterministic bytes, the JPEG form the program embeds, the committed files
// as a fresh run draws them, and what the layout needs from each picture.

#include "InterfaceArt.h"
#include "TestHome.h"

#include <gtest/gtest.h>

namespace
{
struct Frame
{
    int marker = 0, width = 0, height = 0, components = 0;
};

// The first start-of-frame segment of a JPEG.
Frame readFrame (const juce::MemoryBlock& data)
{
    const auto* b = static_cast<const juce::uint8*> (data.getData());
    const size_t size = data.getSize();
    for (size_t i = 2; i + 9 < size;)
    {
        if (b[i] != 0xFF)
            return {};
        const int marker = b[i + 1];
        const size_t length = (size_t) (b[i + 2] << 8 | b[i + 3]);
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
            return { marker, b[i + 7] << 8 | b[i + 8], b[i + 5] << 8 | b[i + 6], b[i + 9] };
        i += 2 + length;
    }
    return {};
}

juce::File freshFolder (const juce::String& name)
{
    auto folder = kalvo::test::temporaryHomeFolder().getChildFile (name);
    folder.deleteRecursively();
    folder.createDirectory();
    return folder;
}

// Share of pixels where some channel differs by more than 24.
double differingShare (const juce::Image& a, const juce::Image& b)
{
    int differing = 0;
    for (int y = 0; y < a.getHeight(); ++y)
        for (int x = 0; x < a.getWidth(); ++x)
        {
            const auto p = a.getPixelAt (x, y), q = b.getPixelAt (x, y);
            const int d =
                juce::jmax (std::abs (p.getRed() - q.getRed()), std::abs (p.getGreen() - q.getGreen()),
                            std::abs (p.getBlue() - q.getBlue()));
            differing += d > 24 ? 1 : 0;
        }
    return differing / (double) (a.getWidth() * a.getHeight());
}

int brightness (const juce::Image& image, int x, int y)
{
    const auto c = image.getPixelAt (x, y);
    return c.getRed() + c.getGreen() + c.getBlue();
}
} // namespace

TEST (InterfaceArt, DeterministicBaselineJpegsMatchingTheCommittedFiles)
{
    const auto first = freshFolder ("art1"), second = freshFolder ("art2");
    ASSERT_TRUE (InterfaceArt::writeAll (first, true));
    ASSERT_TRUE (InterfaceArt::writeAll (second, false));
    EXPECT_TRUE (first.getChildFile ("skin_outlined.png").existsAsFile());
    EXPECT_TRUE (first.getChildFile ("about_outlined.png").existsAsFile());

    const juce::File committed (KALVO_RESOURCES_DIR);
    for (auto* name : { InterfaceArt::skinFileName, InterfaceArt::aboutFileName })
    {
        juce::MemoryBlock a, b;
        ASSERT_TRUE (first.getChildFile (name).loadFileAsData (a));
        ASSERT_TRUE (second.getChildFile (name).loadFileAsData (b));
        EXPECT_EQ (a, b) << name;

        const auto frame = readFrame (a);
        EXPECT_EQ (frame.marker, 0xC0) << name; // baseline
        EXPECT_EQ (frame.width, 1184) << name;
        EXPECT_EQ (frame.height, 468) << name;
        EXPECT_EQ (frame.components, 3) << name;

        const auto fresh = juce::ImageFileFormat::loadFrom (first.getChildFile (name));
        const auto kept = juce::ImageFileFormat::loadFrom (committed.getChildFile (name));
        ASSERT_TRUE (fresh.isValid() && kept.isValid()) << name;
        ASSERT_EQ (kept.getBounds(), fresh.getBounds()) << name;
        EXPECT_LE (differingShare (fresh, kept), 0.005) << name;
    }
}

TEST (InterfaceArt, PicturesLeaveRoomForWhatTheChildrenDraw)
{
    const auto skin = InterfaceArt::drawSkin(), about = InterfaceArt::drawAbout();

    // The curve area is the darkest panel; the preset entry and the knobs sit in dark wells on a
    // lighter ground.
    const int ground = brightness (skin, 600, 462);
    EXPECT_LT (brightness (skin, 592, 234), ground);
    EXPECT_LT (brightness (skin, 592, 234), brightness (skin, 500, 36)); // curve area below the entry well
    EXPECT_LT (brightness (skin, 600, 36), ground);                      // preset-bar well
    EXPECT_LT (brightness (skin, 90, 146), ground);                      // glide well (45, 73)
    EXPECT_LT (brightness (skin, 1094, 152), ground);                    // high level well (547, 76)

    // The name lies inside its box, in the brand colour.
    int named = 0, stray = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 400; ++x)
        {
            const bool brand = skin.getPixelAt (x, y).getBlue() > 150;
            const bool inside = x >= 20 && x < 164 && y >= 12 && y < 36;
            (inside ? named : stray) += brand ? 1 : 0;
        }
    EXPECT_GT (named, 100);
    EXPECT_EQ (stray, 0);

    // The emblem fills its box and leaves the version text's box to the ground.
    EXPECT_GT (about.getPixelAt (440, 236).getBlue(), 150); // left edge of the outer ring
    for (int y = 426; y < 458; y += 4)
        for (int x = 770; x < 1170; x += 8)
            ASSERT_LT (brightness (about, x, y), 120) << x << "," << y;
}
