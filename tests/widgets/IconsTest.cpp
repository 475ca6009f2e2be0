#include "Icons.h"
#include "PixelProbe.h"

#include <gtest/gtest.h>

namespace
{
juce::Image paintIcon (Icons& icon, int width, int height)
{
    icon.setSize (width, height);
    return PixelProbe::paint (icon);
}
} // namespace

TEST (IconsDefaults, FieldsHoldTheirStartingValues)
{
    Icons icon;
    EXPECT_EQ (icon.iconType, 0);
    EXPECT_EQ (icon.onColour.getARGB(), 0xFF4ED36Du);
    EXPECT_EQ (icon.pressedColour.getARGB(), 0xAA457250u);
    EXPECT_EQ (icon.offColour.getARGB(), 0xFF457250u);
    EXPECT_FLOAT_EQ (icon.scale, 2.0f);
    EXPECT_EQ (icon.state, 0);
    EXPECT_EQ (icon.text, "Text");
    EXPECT_FLOAT_EQ (icon.fontHeight, 10.0f);
    EXPECT_EQ (icon.justification, 36);
    EXPECT_EQ (icon.fontStyle, 1);
    EXPECT_FALSE (icon.isOpaque());
    EXPECT_TRUE (icon.getTooltip().isEmpty());
    icon.setTooltip ("Line Undo (0)");
    EXPECT_EQ (icon.getTooltip(), "Line Undo (0)");
}

TEST (IconsColours, ANewIconIsTheMenuButtonInGreenWithBlackBars)
{
    Icons icon;
    const auto image = paintIcon (icon, 40, 30);
    // Fill (4, 4, 32, 22); bars at y = 4 + k * 22 / 7, 22 / 7 high, x from 4 + 32 / 12.
    EXPECT_TRUE (PixelProbe::colourNear (image, 20, 5, juce::Colour (0xFF4ED36D)));
    EXPECT_TRUE (PixelProbe::colourNear (image, 20, 8, juce::Colours::black));
    EXPECT_TRUE (PixelProbe::colourNear (image, 20, 12, juce::Colour (0xFF4ED36D)));
    EXPECT_TRUE (PixelProbe::colourNear (image, 20, 15, juce::Colours::black));
    EXPECT_TRUE (PixelProbe::colourNear (image, 20, 21, juce::Colours::black));
    EXPECT_TRUE (PixelProbe::colourNear (image, 5, 8, juce::Colour (0xFF4ED36D)));
    EXPECT_TRUE (PixelProbe::isTransparent (image, 2, 15));
    EXPECT_TRUE (PixelProbe::isTransparent (image, 20, 27));
}

TEST (IconsColours, EachStateDrawsInItsOwnColourWithItsOwnAlpha)
{
    Icons icon;
    icon.iconType = 5; // thick frame: outline 2s thick at (2s, 2s)
    icon.scale = 2.0f;

    const auto probe = [&] (int state)
    {
        icon.state = state;
        return paintIcon (icon, 40, 30).getPixelAt (20, 4);
    };
    EXPECT_LE (PixelProbe::difference (probe (0), juce::Colour (0xFF4ED36D)), 2);
    EXPECT_LE (PixelProbe::difference (probe (1), juce::Colour (0xAA457250)), 3);
    EXPECT_LE (PixelProbe::difference (probe (2), juce::Colour (0xFF457250)), 2);

    icon.onColour = juce::Colour (0x7F49A7E3);
    EXPECT_LE (PixelProbe::difference (probe (0), juce::Colour (0x7F49A7E3)), 3);
}

TEST (IconsColours, StatesOutsideTheThreeDrawNothing)
{
    Icons icon;
    for (int state : { 3, -1, 1000 })
    {
        icon.state = state;
        const auto image = paintIcon (icon, 40, 30);
        EXPECT_EQ (PixelProbe::countOpaque (image, image.getBounds()), 0) << state;
    }
}

TEST (IconsGlyphs, TypesOutsideTheTableDrawNothing)
{
    Icons icon;
    for (int type : { 19, -1, 255, std::numeric_limits<int>::max(), std::numeric_limits<int>::min() })
    {
        icon.iconType = type;
        const auto image = paintIcon (icon, 40, 30);
        EXPECT_EQ (PixelProbe::countOpaque (image, image.getBounds()), 0) << type;
    }
}

TEST (IconsGlyphs, EveryGlyphDrawsSomethingAndOnlyTheFirstDieUsesTheFullBounds)
{
    Icons icon;
    icon.scale = 1.0f;
    for (int type = 0; type < Icons::numGlyphs; ++type)
    {
        icon.iconType = type;
        const auto image = paintIcon (icon, 32, 24);
        EXPECT_GT (PixelProbe::countOpaque (image, image.getBounds(), 16), 10) << type;
        // Everything but the filled die, the power ring, the text and the arrows (whose heads are as
        // wide as the icon) keeps off the outermost pixel row.
        if (type != 1 && type != 14 && type != 4 && type != 13 && type != 2 && type != 3 && type != 11 &&
            type != 12)
        {
            EXPECT_EQ (PixelProbe::countOpaque (image, { 0, 0, 32, 1 }, 16), 0) << type;
        }
    }
}

TEST (IconsGlyphs, PowerRingUsesTheWidthForBothAxes)
{
    Icons icon;
    icon.iconType = 14;
    icon.scale = 1.0f;
    const auto image = paintIcon (icon, 20, 30);
    // Ring of outer radius 10 and inner radius 8 around (10, 10), open by 90 degrees at the top;
    // upright stroke (9, 0, 2, 8).
    const juce::Colour on (0xFF4ED36D);
    EXPECT_TRUE (PixelProbe::colourNear (image, 1, 10, on));  // left
    EXPECT_TRUE (PixelProbe::colourNear (image, 18, 10, on)); // right
    EXPECT_TRUE (PixelProbe::colourNear (image, 10, 18, on)); // bottom
    EXPECT_TRUE (PixelProbe::colourNear (image, 17, 5, on));  // 60 degrees, past the gap
    EXPECT_TRUE (PixelProbe::isTransparent (image, 10, 10));  // centre
    EXPECT_TRUE (PixelProbe::isTransparent (image, 4, 10));   // inside the inner radius
    EXPECT_TRUE (PixelProbe::colourNear (image, 9, 3, on));   // the upright stroke
    EXPECT_TRUE (PixelProbe::colourNear (image, 10, 7, on));
    EXPECT_TRUE (PixelProbe::isTransparent (image, 10, 8));           // the stroke ends at 8s
    EXPECT_TRUE (PixelProbe::isTransparent (image, 14, 2));           // the gap at the top, 30 degrees right
    EXPECT_TRUE (PixelProbe::isTransparent (image, 5, 2));            // and 30 degrees left
    EXPECT_EQ (PixelProbe::countOpaque (image, { 0, 21, 20, 9 }), 0); // nothing below the W x W square

    icon.scale = 2.0f; // stroke (10 - 2, 0, 4, 16)
    const auto image2 = paintIcon (icon, 20, 30);
    EXPECT_TRUE (PixelProbe::colourNear (image2, 8, 2, on));
    EXPECT_TRUE (PixelProbe::colourNear (image2, 11, 2, on));
    EXPECT_TRUE (PixelProbe::colourNear (image2, 10, 15, on));
    EXPECT_TRUE (PixelProbe::isTransparent (image2, 7, 2));
    EXPECT_TRUE (PixelProbe::isTransparent (image2, 12, 2));
}

TEST (IconsGlyphs, TrianglesPointWhereTheirTipsAre)
{
    Icons icon;
    icon.scale = 1.0f;
    icon.iconType = 2;
    const auto left = PixelProbe::opaqueBounds (paintIcon (icon, 40, 30), 64);
    EXPECT_NEAR (left.getX(), 2, 1); // tip at 2s
    icon.iconType = 3;
    const auto right = PixelProbe::opaqueBounds (paintIcon (icon, 40, 30), 64);
    EXPECT_NEAR (right.getRight(), 36, 1); // tip at W - 4s
}

TEST (IconsGlyphs, TwoSheetsAndClipboardHaveBlackInsides)
{
    Icons icon;
    icon.scale = 2.0f;
    icon.iconType = 7;
    const auto sheets = paintIcon (icon, 40, 40);
    EXPECT_TRUE (PixelProbe::colourNear (sheets, 20, 20, juce::Colours::black));
    EXPECT_TRUE (PixelProbe::colourNear (sheets, 20, 4, juce::Colour (0xFF4ED36D), 40)); // front outline top
    icon.iconType = 8;
    const auto clip = paintIcon (icon, 40, 40);
    EXPECT_TRUE (PixelProbe::colourNear (clip, 20, 6, juce::Colours::black));
    EXPECT_TRUE (PixelProbe::isTransparent (clip, 20, 20));
}

TEST (IconsGlyphs, SameProportionsAtScaleOneAndTwo)
{
    Icons icon;
    for (int type : { 0, 5, 9, 10, 11, 14, 15, 16, 17, 18 })
    {
        icon.iconType = type;
        icon.scale = 1.0f;
        const auto small = PixelProbe::opaqueBounds (paintIcon (icon, 30, 24), 40);
        icon.scale = 2.0f;
        const auto large = PixelProbe::opaqueBounds (paintIcon (icon, 60, 48), 40);
        EXPECT_NEAR (large.getX(), 2 * small.getX(), 2) << type;
        EXPECT_NEAR (large.getY(), 2 * small.getY(), 2) << type;
        EXPECT_NEAR (large.getWidth(), 2 * small.getWidth(), 2) << type;
        EXPECT_NEAR (large.getHeight(), 2 * small.getHeight(), 2) << type;
    }
}

TEST (IconsText, LeftJustifiedTextStartsAtTheComponentEdge)
{
    Icons icon;
    icon.iconType = 4;
    icon.scale = 1.0f;
    icon.text = "Main";
    icon.justification = juce::Justification::centredLeft; // 33
    const auto left = paintIcon (icon, 100, 20);
    EXPECT_GT (PixelProbe::countOpaque (left, { 0, 4, 1, 12 }, 32), 0); // over the frame's left side

    icon.justification = juce::Justification::centred;
    const auto centred = paintIcon (icon, 100, 20);
    EXPECT_EQ (PixelProbe::countOpaque (centred, { 0, 0, 1, 20 }), 0);
}

TEST (IconsText, FontFollowsHeightScaleAndStyle)
{
    Icons icon;
    icon.iconType = 13;
    icon.text = "H";
    icon.scale = 1.0f;
    const auto small = PixelProbe::opaqueBounds (paintIcon (icon, 60, 40), 128);
    icon.scale = 2.0f;
    const auto large = PixelProbe::opaqueBounds (paintIcon (icon, 60, 40), 128);
    EXPECT_NEAR (large.getHeight(), 2 * small.getHeight(), 2);

    icon.fontStyle = juce::Font::plain;
    const auto plain = PixelProbe::opaqueBounds (paintIcon (icon, 60, 40), 128);
    EXPECT_LT (plain.getWidth(), large.getWidth());
}

TEST (IconsText, LongTextIsShortenedAndExtremeFontsAreSafe)
{
    Icons icon;
    icon.iconType = 13;
    icon.scale = 1.0f;
    icon.text = "A preset name far too long for its place";
    const auto image = paintIcon (icon, 60, 20);
    EXPECT_GT (PixelProbe::countOpaque (image, image.getBounds()), 0);
    // It ends in an ellipsis: the last few columns hold only dots on the baseline, where a text
    // merely cut off would end in the strokes of a letter.
    const auto text = PixelProbe::opaqueBounds (image, 64);
    ASSERT_FALSE (text.isEmpty());
    EXPECT_LE (text.getRight(), 60);
    const auto tail = juce::Rectangle<int> (text.getRight() - 6, text.getY(), 6, text.getHeight());
    const auto tailInk = PixelProbe::opaqueBounds (image.getClippedImage (tail), 64);
    EXPECT_GT (tailInk.getWidth(), 0);
    EXPECT_LE (tailInk.getHeight(), 3) << "the text ends in " << tailInk.toString();

    for (float height : { 0.0f, -5.0f, 1.0e9f, std::numeric_limits<float>::quiet_NaN() })
    {
        icon.fontHeight = height;
        paintIcon (icon, 60, 20);
    }
    icon.fontStyle = -1;
    paintIcon (icon, 60, 20);
}

TEST (IconsGlyphs, TinyBoundsDrawWithoutFault)
{
    Icons icon;
    for (int type = 0; type < Icons::numGlyphs; ++type)
    {
        icon.iconType = type;
        paintIcon (icon, 3, 3);
        paintIcon (icon, 0, 0);
        paintIcon (icon, 1, 50);
    }
    SUCCEED();
}

TEST (IconsGlyphs, StrokeGlyphsLieWhereTheirFiguresSay)
{
    // Scale 2 in a 40 x 30 icon: the frame is (4, 4, 32, 22) stroked 2 wide, so its top edge covers
    // rows 3 and 4; strokes are 2 wide and end square.
    Icons icon;
    icon.scale = 2.0f;
    const auto lit = [] (const juce::Image& image, int x, int y)
    { return PixelProbe::colourNear (image, x, y, juce::Colour (0xFF4ED36D), 40); };
    const auto glyph = [&] (int type)
    {
        icon.iconType = type;
        return paintIcon (icon, 40, 30);
    };

    {
        SCOPED_TRACE ("thick and thin frames");
        const auto thick = glyph (5); // 4 wide: rows 2 to 5
        EXPECT_TRUE (lit (thick, 20, 2));
        EXPECT_TRUE (lit (thick, 20, 5));
        EXPECT_TRUE (PixelProbe::isTransparent (thick, 20, 1));
        EXPECT_TRUE (PixelProbe::isTransparent (thick, 20, 6));
        const auto thin = glyph (6); // 2 wide: rows 3 and 4
        EXPECT_TRUE (lit (thin, 20, 3));
        EXPECT_TRUE (lit (thin, 20, 4));
        EXPECT_TRUE (PixelProbe::isTransparent (thin, 20, 2));
        EXPECT_TRUE (PixelProbe::isTransparent (thin, 20, 5));
        EXPECT_TRUE (lit (thin, 3, 15));
        EXPECT_TRUE (lit (thin, 36, 15));
    }
    {
        SCOPED_TRACE ("cross");
        const auto cross = glyph (9);     // (8, 8)-(32, 22) and (32, 8)-(8, 22)
        EXPECT_TRUE (lit (cross, 3, 15)); // the frame
        EXPECT_TRUE (lit (cross, 19, 14));
        EXPECT_TRUE (lit (cross, 9, 8));
        EXPECT_TRUE (lit (cross, 30, 8));
        EXPECT_TRUE (PixelProbe::isTransparent (cross, 20, 9));
        EXPECT_TRUE (PixelProbe::isTransparent (cross, 9, 15));
    }
    {
        SCOPED_TRACE ("outlined die");
        const auto die = glyph (10); // rings of radius 1..3 around (10, 10), (30, 10), (10, 20), (30, 20)
        for (auto centre : { juce::Point<int> (10, 10), juce::Point<int> (30, 10), juce::Point<int> (10, 20),
                             juce::Point<int> (30, 20) })
        {
            EXPECT_TRUE (lit (die, centre.x + 2, centre.y)) << centre.toString();
            EXPECT_TRUE (lit (die, centre.x - 3, centre.y)) << centre.toString();
            EXPECT_LT (die.getPixelAt (centre.x - 5, centre.y).getAlpha(), 8) << centre.toString();
        }
        EXPECT_TRUE (PixelProbe::isTransparent (die, 20, 15));
    }
    {
        SCOPED_TRACE ("horizontal and vertical bars");
        const auto across = glyph (15); // (8, 15)-(32, 15): rows 14 and 15, columns 8 to 31
        EXPECT_TRUE (lit (across, 8, 14));
        EXPECT_TRUE (lit (across, 31, 15));
        EXPECT_TRUE (PixelProbe::isTransparent (across, 7, 15));
        EXPECT_TRUE (PixelProbe::isTransparent (across, 32, 15));
        EXPECT_TRUE (PixelProbe::isTransparent (across, 20, 13));
        EXPECT_TRUE (PixelProbe::isTransparent (across, 20, 16));
        const auto down = glyph (16); // (20, 8)-(20, 22): columns 19 and 20, rows 8 to 21
        EXPECT_TRUE (lit (down, 19, 8));
        EXPECT_TRUE (lit (down, 20, 21));
        EXPECT_TRUE (PixelProbe::isTransparent (down, 20, 7));
        EXPECT_TRUE (PixelProbe::isTransparent (down, 20, 22));
        EXPECT_TRUE (PixelProbe::isTransparent (down, 18, 15));
        EXPECT_TRUE (PixelProbe::isTransparent (down, 21, 15));
    }
    {
        SCOPED_TRACE ("corner");
        const auto corner = glyph (17); // (8, 15)-(20, 15) and (20, 8)-(20, 15)
        EXPECT_TRUE (lit (corner, 10, 15));
        EXPECT_TRUE (lit (corner, 20, 10));
        EXPECT_TRUE (PixelProbe::isTransparent (corner, 26, 15)); // nothing right of the centre
        EXPECT_TRUE (PixelProbe::isTransparent (corner, 20, 19)); // nothing below it
    }
    {
        SCOPED_TRACE ("V");
        const auto vee = glyph (18); // (8, 12)-(20, 19)-(32, 12)
        EXPECT_TRUE (lit (vee, 14, 16));
        EXPECT_TRUE (lit (vee, 25, 16));
        EXPECT_TRUE (lit (vee, 19, 18));
        EXPECT_TRUE (PixelProbe::isTransparent (vee, 20, 13));
        EXPECT_TRUE (PixelProbe::isTransparent (vee, 20, 22)); // the point ends at 19 + 1
    }
    {
        SCOPED_TRACE ("arrows");
        // Left: on (32, 15)-(4, 15), shaft 2 thick from x 32 to the head's base at x 4 + (30 - 16) = 18;
        // head 32 wide, tip at x 4.
        const auto left = glyph (11);
        EXPECT_TRUE (lit (left, 30, 14));
        EXPECT_TRUE (lit (left, 30, 15));
        EXPECT_TRUE (PixelProbe::isTransparent (left, 30, 12));
        EXPECT_TRUE (PixelProbe::isTransparent (left, 30, 17));
        EXPECT_TRUE (lit (left, 16, 5)); // the head
        EXPECT_TRUE (PixelProbe::isTransparent (left, 33, 15));
        EXPECT_TRUE (PixelProbe::isTransparent (left, 2, 15));
        const auto right = glyph (12); // mirrored on (4, 15)-(32, 15): base at x 18, tip at x 32
        EXPECT_TRUE (lit (right, 9, 14));
        EXPECT_TRUE (PixelProbe::isTransparent (right, 9, 12));
        EXPECT_TRUE (lit (right, 20, 5));
        EXPECT_TRUE (PixelProbe::isTransparent (right, 33, 15));
        EXPECT_TRUE (PixelProbe::isTransparent (right, 16, 5));
    }
    {
        SCOPED_TRACE ("filled die");
        const auto die = glyph (1); // fill (0, 0, 40, 30) corner 4; black pips 10 x 7.5
        EXPECT_TRUE (lit (die, 0, 15));
        EXPECT_TRUE (lit (die, 20, 15));
        for (auto pip : { juce::Point<int> (9, 7), juce::Point<int> (30, 7), juce::Point<int> (9, 22),
                          juce::Point<int> (30, 22) })
            EXPECT_TRUE (PixelProbe::colourNear (die, pip.x, pip.y, juce::Colours::black, 8))
                << pip.toString();
    }
}
