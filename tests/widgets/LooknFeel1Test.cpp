#include "LooknFeel1.h"
#include "PixelProbe.h"

#include <gtest/gtest.h>

namespace
{
constexpr float pi = juce::MathConstants<float>::pi;

// Pixel on a knob ring of a D x D knob at the given angle (clockwise from twelve o'clock) and
// radius; the ring of a 200-pixel knob with inner proportion 0.9 spans radii 90..100.
juce::Point<int> ringPixel (float angle, float radius = 95.0f, float centre = 100.0f)
{
    return { (int) std::floor (centre + radius * std::sin (angle)),
             (int) std::floor (centre - radius * std::cos (angle)) };
}

juce::Image paintKnob (LooknFeel1& lf, double value, bool enabled = true, int width = 200, int height = 200)
{
    juce::Slider slider (juce::Slider::RotaryHorizontalVerticalDrag, juce::Slider::NoTextBox);
    slider.setLookAndFeel (&lf);
    slider.setRange (0.0, 1.0);
    slider.setValue (value, juce::dontSendNotification);
    slider.setEnabled (enabled);
    slider.setSize (width, height);
    auto image = PixelProbe::paint (slider);
    slider.setLookAndFeel (nullptr);
    return image;
}

juce::Colour withAlphaByte (juce::uint32 argb, juce::uint8 alpha)
{
    return juce::Colour (argb).withAlpha (alpha);
}

const juce::Colour accent{ 0xFF7CB0DB };
const juce::Colour trackAt70 = withAlphaByte (0xFF415161, 0xB3);
const juce::Colour trackAt20 = withAlphaByte (0xFF415161, 0x33);
const float startAngle = 1.24f * pi;
const float endAngle = 2.76f * pi;
const float centreAngle = 2.0f * pi;
} // namespace

//==============================================================================
TEST (LooknFeel1Defaults, FieldsHoldTheirStartingValues)
{
    LooknFeel1 lf;
    EXPECT_EQ (lf.rotaryStyle, 0);
    EXPECT_TRUE (lf.activeColouring);
    EXPECT_EQ (lf.accentColour.getARGB(), 0xFF7CB0DBu);
    EXPECT_EQ (lf.trackColour.getARGB(), 0xFF415161u);
    EXPECT_EQ (lf.menuBackgroundColour.getARGB(), 0xAA39444Eu);
    EXPECT_EQ (lf.menuTextColour.getARGB(), 0xFF7CB0DBu);
    EXPECT_EQ (lf.menuHighlightedTextColour.getARGB(), 0xFF101010u);
    EXPECT_EQ (lf.menuHighlightColour.getARGB(), 0xFF7CB0DBu);
    EXPECT_FLOAT_EQ (lf.ringInnerRadius, 0.9f);
    EXPECT_NEAR (lf.rotaryStartAngle, 1.24 * juce::MathConstants<double>::pi, 1e-6);
    EXPECT_NEAR (lf.rotaryEndAngle, 2.76 * juce::MathConstants<double>::pi, 1e-6);
    EXPECT_FLOAT_EQ (lf.trackAlpha, 0.7f);
    EXPECT_FLOAT_EQ (lf.scale, 1.0f);
}

TEST (LooknFeel1Defaults, IsALookAndFeelOnlyNotAComponent)
{
    // A second Component base would bring colour methods that clash with the look-and-feel's.
    static_assert (std::is_base_of_v<juce::LookAndFeel_V4, LooknFeel1>);
    static_assert (!std::is_base_of_v<juce::Component, LooknFeel1>);
    LooknFeel1 lf;
    juce::LookAndFeel& base = lf;
    EXPECT_EQ (dynamic_cast<juce::Component*> (&base), nullptr);
}

TEST (LooknFeel1Defaults, OpacityBecomesAlphaByTruncation)
{
    EXPECT_EQ (LooknFeel1::opacityToAlpha (0.7f), 0xB3);
    EXPECT_EQ (LooknFeel1::opacityToAlpha (0.5f), 127);
    EXPECT_EQ (LooknFeel1::opacityToAlpha (0.0f), 0);
    EXPECT_EQ (LooknFeel1::opacityToAlpha (-3.0f), 0);
    EXPECT_EQ (LooknFeel1::opacityToAlpha (1.0f), 255);
    EXPECT_EQ (LooknFeel1::opacityToAlpha (7.0f), 255);
    EXPECT_EQ (LooknFeel1::opacityToAlpha (std::numeric_limits<float>::quiet_NaN()), 0);
}

//==============================================================================
TEST (LooknFeel1Fonts, FollowTheScale)
{
    LooknFeel1 lf;
    juce::TextButton button;

    lf.scale = 1.0f;
    EXPECT_FLOAT_EQ (lf.getPopupMenuFont().getHeight(), 11.0f);
    EXPECT_TRUE (lf.getPopupMenuFont().isBold());
    EXPECT_FLOAT_EQ (lf.getTextButtonFont (button, 50).getHeight(), 9.0f);
    EXPECT_TRUE (lf.getTextButtonFont (button, 50).isBold());

    lf.scale = 2.0f;
    EXPECT_FLOAT_EQ (lf.getPopupMenuFont().getHeight(), 22.0f);
    EXPECT_TRUE (lf.getPopupMenuFont().isBold());
    EXPECT_FLOAT_EQ (lf.getTextButtonFont (button, 3).getHeight(), 18.0f);

    lf.scale = 1.5f;
    EXPECT_FLOAT_EQ (lf.getPopupMenuFont().getHeight(), 16.5f);
    EXPECT_FLOAT_EQ (lf.getTextButtonFont (button, 3).getHeight(), 13.5f);
}

TEST (LooknFeel1Fonts, MenuFontFollowsScaleNotTheStoredPopupSize)
{
    // The layout writes popupFontSize along with scale; a stale popupFontSize must not keep
    // menus at the old size after a scale change.
    LooknFeel1 lf;
    lf.scale = 1.0f;
    lf.popupFontSize = 11.0f;
    lf.scale = 2.0f; // the layout's scale change, without touching popupFontSize
    EXPECT_FLOAT_EQ (lf.getPopupMenuFont().getHeight(), 22.0f);
    int w = 0, h = 0;
    lf.getIdealPopupMenuItemSize ("Load", false, 0, w, h);
    EXPECT_EQ (h, 31);
}

TEST (LooknFeel1Fonts, HeightsAreLimited)
{
    LooknFeel1 lf;
    lf.scale = 0.0f;
    EXPECT_FLOAT_EQ (lf.getPopupMenuFont().getHeight(), 0.1f);
    lf.scale = 1.0e6f;
    EXPECT_FLOAT_EQ (lf.getPopupMenuFont().getHeight(), 10000.0f);
    lf.scale = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FLOAT_EQ (lf.getPopupMenuFont().getHeight(), 0.1f);
}

//==============================================================================
TEST (LooknFeel1MenuItemSize, SeparatorsAreHalfAStandardItemOrTen)
{
    LooknFeel1 lf;
    int w = 0, h = 0;
    lf.getIdealPopupMenuItemSize ({}, true, 0, w, h);
    EXPECT_EQ (w, 50);
    EXPECT_EQ (h, 10);
    lf.getIdealPopupMenuItemSize ({}, true, 25, w, h);
    EXPECT_EQ (w, 50);
    EXPECT_EQ (h, 12);
    lf.getIdealPopupMenuItemSize ({}, true, -4, w, h);
    EXPECT_EQ (h, 10);
    lf.scale = 2.0f;
    lf.getIdealPopupMenuItemSize ({}, true, 0, w, h);
    EXPECT_EQ (h, 10);
}

TEST (LooknFeel1MenuItemSize, ItemsAreFontHeightTimesOnePointFourRounded)
{
    LooknFeel1 lf;
    const juce::String text ("Save Preset");
    int w = 0, h = 0;

    lf.scale = 1.0f; // 11 * 1.4 = 15.4
    lf.getIdealPopupMenuItemSize (text, false, 0, w, h);
    EXPECT_EQ (h, 15);
    EXPECT_EQ (w, (int) std::ceil (juce::Font (11.0f, juce::Font::bold).getStringWidthFloat (text)) + 30);

    lf.scale = 2.0f; // 22 * 1.4 = 30.8
    lf.getIdealPopupMenuItemSize (text, false, 0, w, h);
    EXPECT_EQ (h, 31);
    EXPECT_EQ (w, (int) std::ceil (juce::Font (22.0f, juce::Font::bold).getStringWidthFloat (text)) + 62);

    lf.scale = 1.5f; // 16.5 * 1.4 = 23.1
    lf.getIdealPopupMenuItemSize (text, false, 0, w, h);
    EXPECT_EQ (h, 23);
}

TEST (LooknFeel1MenuItemSize, StandardHeightWinsAndShrinksTheFont)
{
    LooknFeel1 lf;
    const juce::String text ("Rename Preset and Save");
    int w = 0, h = 0;

    // 14 / 1.4 = 10 is below the 11-pixel font: the width is measured at height 10.
    lf.getIdealPopupMenuItemSize (text, false, 14, w, h);
    EXPECT_EQ (h, 14);
    EXPECT_EQ (w, (int) std::ceil (juce::Font (10.0f, juce::Font::bold).getStringWidthFloat (text)) + 28);

    // 40 / 1.4 is above it: the font stays at 11.
    lf.getIdealPopupMenuItemSize (text, false, 40, w, h);
    EXPECT_EQ (h, 40);
    EXPECT_EQ (w, (int) std::ceil (juce::Font (11.0f, juce::Font::bold).getStringWidthFloat (text)) + 80);
}

//==============================================================================
class LooknFeel1Tooltip : public ::testing::Test
{
protected:
    // Width and height of a one-line tooltip, from the plain font's own measure.
    static juce::Point<int> expectedSize (const juce::String& text, float s)
    {
        const juce::Font font (9.0f * s, juce::Font::plain);
        return { (int) (font.getStringWidthFloat (text) + 10.0f * s), (int) (font.getHeight() + 6.0f * s) };
    }

    LooknFeel1 lf;
    const juce::Rectangle<int> screen{ 0, 0, 1000, 800 };
    const juce::String text{ "Line Undo (3)" };
};

TEST_F (LooknFeel1Tooltip, SizeComesFromThePlainNinePixelLayout)
{
    const auto r = lf.getTooltipBounds (text, { 100, 100 }, screen);
    const auto size = expectedSize (text, 1.0f);
    EXPECT_NEAR (r.getWidth(), size.x, 1);
    EXPECT_EQ (r.getHeight(), 15); // 9 + 6

    lf.scale = 2.0f;
    const auto r2 = lf.getTooltipBounds (text, { 100, 100 }, screen);
    EXPECT_NEAR (r2.getWidth(), expectedSize (text, 2.0f).x, 1);
    EXPECT_EQ (r2.getHeight(), 30); // 18 + 12
}

TEST_F (LooknFeel1Tooltip, RightOfAndBelowTheMouseInTheTopLeftHalf)
{
    const auto r = lf.getTooltipBounds (text, { 100, 120 }, screen);
    EXPECT_EQ (r.getX(), 100 + 20);
    EXPECT_EQ (r.getY(), 120 + 6);

    lf.scale = 2.0f;
    const auto r2 = lf.getTooltipBounds (text, { 100, 120 }, screen);
    EXPECT_EQ (r2.getX(), 100 + 40);
    EXPECT_EQ (r2.getY(), 120 + 12);

    lf.scale = 1.5f;
    const auto r3 = lf.getTooltipBounds (text, { 100, 120 }, screen);
    EXPECT_EQ (r3.getX(), 100 + 30);
    EXPECT_EQ (r3.getY(), 120 + 9);
}

TEST_F (LooknFeel1Tooltip, LeftOfAndAboveTheMousePastTheCentre)
{
    const auto r = lf.getTooltipBounds (text, { 700, 600 }, screen);
    EXPECT_EQ (r.getRight(), 700 - 10);
    EXPECT_EQ (r.getBottom(), 600 - 6);

    lf.scale = 2.0f;
    const auto r2 = lf.getTooltipBounds (text, { 700, 600 }, screen);
    EXPECT_EQ (r2.getRight(), 700 - 20);
    EXPECT_EQ (r2.getBottom(), 600 - 12);

    // Past the centre in x only.
    const auto r3 = lf.getTooltipBounds (text, { 501, 399 }, screen);
    EXPECT_EQ (r3.getRight(), 501 - 20);
    EXPECT_EQ (r3.getY(), 399 + 12);
}

TEST_F (LooknFeel1Tooltip, ExactlyAtTheCentreGoesRightAndBelow)
{
    const auto r = lf.getTooltipBounds (text, { 500, 400 }, screen);
    EXPECT_EQ (r.getX(), 520);
    EXPECT_EQ (r.getY(), 406);

    // The centre is computed in integers: an odd-sized area at x 10 has its centre at 10 + 101 / 2.
    const juce::Rectangle<int> odd (10, 10, 101, 101);
    const auto r2 = lf.getTooltipBounds ("a", { 60, 60 }, odd);
    EXPECT_EQ (r2.getX(), 80);
    const auto r3 = lf.getTooltipBounds ("a", { 61, 61 }, odd);
    EXPECT_EQ (r3.getRight(), 51);
}

TEST_F (LooknFeel1Tooltip, ConstrainedToTheParentArea)
{
    const juce::Rectangle<int> area (0, 0, 300, 200);
    const auto size = lf.getTooltipBounds (text, { 100, 100 }, screen).getWidth();

    // To the right of a mouse near the right edge it would overflow: moved back inside.
    const auto r = lf.getTooltipBounds (text, { 140, 190 }, area);
    EXPECT_EQ (r.getRight(), juce::jmin (300, 140 + 20 + size));
    EXPECT_TRUE (area.contains (r));

    // Left of a mouse at the far left past the centre in y: moved to x 0.
    const auto r2 = lf.getTooltipBounds (text, { 160, 5 }, juce::Rectangle<int> (100, 0, 100, 200));
    EXPECT_EQ (r2.getX(), 100);
    EXPECT_EQ (r2.getY(), 11);

    // Larger than the area: shrunk to it.
    const auto tiny = juce::Rectangle<int> (0, 0, 20, 10);
    const auto r3 = lf.getTooltipBounds (text, { 5, 5 }, tiny);
    EXPECT_EQ (r3, tiny);
}

TEST_F (LooknFeel1Tooltip, LongTextWrapsAtThreeHundredTimesScale)
{
    const juce::String longText = juce::String::repeatedString ("wrap ", 200);
    const auto r = lf.getTooltipBounds (longText, { 10, 10 }, juce::Rectangle<int> (0, 0, 5000, 5000));
    EXPECT_LE (r.getWidth(), 310);
    EXPECT_GT (r.getHeight(), 15 * 5);

    lf.scale = 2.0f;
    const auto r2 = lf.getTooltipBounds (longText, { 10, 10 }, juce::Rectangle<int> (0, 0, 5000, 5000));
    EXPECT_LE (r2.getWidth(), 620);
    EXPECT_GT (r2.getWidth(), 310);
}

TEST_F (LooknFeel1Tooltip, DrawsADarkBoxWithAGreyOutlineAndLightText)
{
    const auto image =
        PixelProbe::paint (120, 30, [&] (juce::Graphics& g) { lf.drawTooltip (g, "Solo", 120, 30); });
    EXPECT_TRUE (PixelProbe::colourNear (image, 60, 0, juce::Colour (0xFF505050)));    // outline, top edge
    EXPECT_TRUE (PixelProbe::colourNear (image, 5, 15, juce::Colour (0xFF101010)));    // body
    EXPECT_TRUE (PixelProbe::colourNear (image, 0, 0, juce::Colour (0xFF101010), 64)); // square fill corner
    EXPECT_GT (PixelProbe::countNear (image, { 40, 5, 40, 20 }, juce::Colour (0xFFAAAAAA), 40), 3);

    lf.scale = 2.0f;
    const auto image2 =
        PixelProbe::paint (120, 40, [&] (juce::Graphics& g) { lf.drawTooltip (g, "Solo", 120, 40); });
    EXPECT_TRUE (PixelProbe::colourNear (image2, 60, 0, juce::Colour (0xFF505050)));
    EXPECT_TRUE (PixelProbe::colourNear (image2, 60, 1, juce::Colour (0xFF505050)));
    EXPECT_TRUE (PixelProbe::colourNear (image2, 60, 2, juce::Colour (0xFF101010)));
}

//==============================================================================
class LooknFeel1Knob : public ::testing::Test
{
protected:
    LooknFeel1 lf;
};

TEST_F (LooknFeel1Knob, EnabledStyleZeroAtStartShowsTrackAndASliver)
{
    const auto image = paintKnob (lf, 0.0);
    const auto at = [&] (float angle) { return ringPixel (angle); };

    EXPECT_TRUE (PixelProbe::colourNear (image, at (startAngle).x, at (startAngle).y, accent));
    EXPECT_TRUE (
        PixelProbe::colourNear (image, at (startAngle - 0.03f).x, at (startAngle - 0.03f).y, accent));
    EXPECT_TRUE (
        PixelProbe::colourNear (image, at (startAngle + 0.03f).x, at (startAngle + 0.03f).y, accent));
    EXPECT_TRUE (
        PixelProbe::colourNear (image, at (startAngle + 0.09f).x, at (startAngle + 0.09f).y, trackAt70, 3));
    EXPECT_TRUE (PixelProbe::colourNear (image, at (centreAngle).x, at (centreAngle).y, trackAt70, 3));
    EXPECT_TRUE (
        PixelProbe::colourNear (image, at (endAngle + 0.03f).x, at (endAngle + 0.03f).y, trackAt70, 3));
    EXPECT_TRUE (PixelProbe::isTransparent (image, at (endAngle + 0.09f).x, at (endAngle + 0.09f).y));
    EXPECT_TRUE (PixelProbe::isTransparent (image, at (startAngle - 0.09f).x, at (startAngle - 0.09f).y));
    EXPECT_TRUE (PixelProbe::isTransparent (image, 100, 100)); // inside the ring
    EXPECT_TRUE (PixelProbe::isTransparent (image, ringPixel (pi, 95).x, ringPixel (pi, 95).y)); // the gap
    EXPECT_TRUE (
        PixelProbe::isTransparent (image, ringPixel (centreAngle, 88).x, ringPixel (centreAngle, 88).y));
}

TEST_F (LooknFeel1Knob, DisabledStyleZeroDimsTrackAndDrawsSliverInTrackColour)
{
    const auto image = paintKnob (lf, 0.0, false);
    const auto sliver = ringPixel (startAngle);
    const auto track = ringPixel (centreAngle);
    // The sliver at 0xB3 over the track at 0x33: alpha 1 - (1 - 0.702)(1 - 0.2) = 0.7616.
    EXPECT_TRUE (PixelProbe::colourNear (image, sliver.x, sliver.y, withAlphaByte (0xFF415161, 194), 3));
    EXPECT_TRUE (PixelProbe::colourNear (image, track.x, track.y, trackAt20, 6));
}

TEST_F (LooknFeel1Knob, InactiveColouringDrawsAnEnabledKnobLikeADisabledOne)
{
    lf.activeColouring = false;
    const auto image = paintKnob (lf, 1.0);
    const auto value = ringPixel (centreAngle);
    // Value ring in the track colour at 0xB3 over the track at 0x33.
    EXPECT_TRUE (PixelProbe::colourNear (image, value.x, value.y, withAlphaByte (0xFF415161, 194), 3));
}

TEST_F (LooknFeel1Knob, FullValueFillsTheArcToTheEnd)
{
    const auto image = paintKnob (lf, 1.0);
    for (float a : { startAngle, centreAngle, endAngle, endAngle + 0.03f })
        EXPECT_TRUE (PixelProbe::colourNear (image, ringPixel (a).x, ringPixel (a).y, accent)) << a;
    EXPECT_TRUE (
        PixelProbe::isTransparent (image, ringPixel (endAngle + 0.09f).x, ringPixel (endAngle + 0.09f).y));
}

TEST_F (LooknFeel1Knob, StyleOneIsAPointerOverTheTrack)
{
    lf.rotaryStyle = 1;
    const auto image = paintKnob (lf, 0.5);
    const float value = startAngle + 0.5f * (endAngle - startAngle);
    EXPECT_TRUE (PixelProbe::colourNear (image, ringPixel (value).x, ringPixel (value).y, accent));
    EXPECT_TRUE (
        PixelProbe::colourNear (image, ringPixel (value - 0.1f).x, ringPixel (value - 0.1f).y, trackAt70, 3));
    EXPECT_TRUE (
        PixelProbe::colourNear (image, ringPixel (startAngle).x, ringPixel (startAngle).y, trackAt70, 3));
}

TEST_F (LooknFeel1Knob, StyleTwoLeftOfCentreDrawsFromValueToCentreWithTrack)
{
    lf.rotaryStyle = 2;
    const auto image = paintKnob (lf, 0.25);
    const float value = startAngle + 0.25f * (endAngle - startAngle);
    const auto near = [&] (float a, juce::Colour c)
    { return PixelProbe::colourNear (image, ringPixel (a).x, ringPixel (a).y, c, 3); };
    EXPECT_TRUE (near (value - 0.03f, accent));
    EXPECT_TRUE (near (value - 0.09f, trackAt70));
    EXPECT_TRUE (near ((value + centreAngle) / 2, accent));
    EXPECT_TRUE (near (centreAngle + 0.03f, accent));
    EXPECT_TRUE (near (centreAngle + 0.09f, trackAt70));
}

TEST_F (LooknFeel1Knob, StyleThreeHasNoTrack)
{
    lf.rotaryStyle = 3;
    const auto image = paintKnob (lf, 0.5);
    EXPECT_TRUE (PixelProbe::colourNear (image, ringPixel (startAngle).x, ringPixel (startAngle).y, accent));
    EXPECT_TRUE (PixelProbe::isTransparent (image, ringPixel (endAngle).x, ringPixel (endAngle).y));
}

TEST_F (LooknFeel1Knob, StyleFourWidensOnlyAtTheValueEndPastTheCentre)
{
    lf.rotaryStyle = 4;
    const float left = startAngle + 0.25f * (endAngle - startAngle);
    const auto image = paintKnob (lf, 0.25);
    const auto at = [] (float a) { return ringPixel (a); };
    EXPECT_TRUE (PixelProbe::colourNear (image, at (left + 0.03f).x, at (left + 0.03f).y, accent));
    EXPECT_TRUE (PixelProbe::isTransparent (image, at (left - 0.03f).x, at (left - 0.03f).y));
    EXPECT_TRUE (
        PixelProbe::colourNear (image, at (centreAngle + 0.03f).x, at (centreAngle + 0.03f).y, accent));
    EXPECT_TRUE (PixelProbe::isTransparent (image, at (centreAngle + 0.09f).x, at (centreAngle + 0.09f).y));
    EXPECT_TRUE (PixelProbe::isTransparent (image, at (startAngle).x, at (startAngle).y));

    const float right = startAngle + 0.75f * (endAngle - startAngle);
    const auto image2 = paintKnob (lf, 0.75);
    EXPECT_TRUE (PixelProbe::colourNear (image2, at (right + 0.03f).x, at (right + 0.03f).y, accent));
    EXPECT_TRUE (PixelProbe::isTransparent (image2, at (right + 0.09f).x, at (right + 0.09f).y));
    EXPECT_TRUE (
        PixelProbe::colourNear (image2, at (centreAngle - 0.03f).x, at (centreAngle - 0.03f).y, accent));
    EXPECT_TRUE (PixelProbe::isTransparent (image2, at (centreAngle - 0.09f).x, at (centreAngle - 0.09f).y));
}

TEST_F (LooknFeel1Knob, StylesOutsideTheDrawnOnesDrawNothing)
{
    for (int style : { 5, -1, 1000, std::numeric_limits<int>::min() })
    {
        lf.rotaryStyle = style;
        const auto image = paintKnob (lf, 0.5);
        EXPECT_EQ (PixelProbe::countOpaque (image, image.getBounds()), 0) << style;
    }
}

TEST_F (LooknFeel1Knob, OwnAnglesAndRingRadiusAreUsed)
{
    lf.rotaryStartAngle = 0.0f;
    lf.rotaryEndAngle = pi;
    lf.ringInnerRadius = 0.5f;
    lf.rotaryStyle = 3;
    const auto image = paintKnob (lf, 1.0);
    EXPECT_TRUE (PixelProbe::colourNear (image, ringPixel (pi / 2, 70).x, ringPixel (pi / 2, 70).y, accent));
    EXPECT_TRUE (PixelProbe::isTransparent (image, ringPixel (1.5f * pi, 70).x, ringPixel (1.5f * pi, 70).y));
}

TEST_F (LooknFeel1Knob, SitsInASquareOfTheLongerSideAtTheTopLeft)
{
    const auto image = paintKnob (lf, 1.0, true, 40, 30);
    const auto bounds = PixelProbe::opaqueBounds (image);
    EXPECT_EQ (bounds.getX(), 0);
    EXPECT_EQ (bounds.getY(), 0);
    EXPECT_EQ (bounds.getRight(), 40);
    EXPECT_EQ (bounds.getBottom(), 30); // the 40 x 40 knob overflows the 30-pixel height

    const auto image2 = paintKnob (lf, 1.0, true, 41, 30);
    const auto bounds2 = PixelProbe::opaqueBounds (image2);
    EXPECT_EQ (bounds2.getX(), 0);
    EXPECT_EQ (bounds2.getRight(), 40); // integer halves: a 40 x 40 square in a 41-wide slider

    // A 30 x 60 slider: a 60 x 60 knob, cut at the right; its gap at six o'clock ends the ring at
    // y = 30 - 30 cos (1.24 pi - 0.05), about 53.
    const auto image3 = paintKnob (lf, 1.0, true, 30, 60);
    const auto bounds3 = PixelProbe::opaqueBounds (image3);
    EXPECT_EQ (bounds3.getX(), 0);
    EXPECT_EQ (bounds3.getY(), 0);
    EXPECT_EQ (bounds3.getRight(), 30);
    EXPECT_NEAR (bounds3.getBottom(), 53, 1);
}

//==============================================================================
class LooknFeel1Menu : public ::testing::Test
{
protected:
    juce::Image item (const juce::String& text, bool separator, bool active, bool highlighted, bool ticked,
                      bool subMenu, const juce::Drawable* icon = nullptr,
                      juce::Rectangle<int> area = { 0, 0, 200, 20 }, const juce::String& shortcut = {})
    {
        return PixelProbe::paint (area.getRight(), area.getBottom(),
                                  [&] (juce::Graphics& g)
                                  {
                                      lf.drawPopupMenuItem (g, area, separator, active, highlighted, ticked,
                                                            subMenu, text, shortcut, icon, nullptr);
                                  });
    }

    LooknFeel1 lf;
};

TEST_F (LooknFeel1Menu, BackgroundIsABlackPanelWithABorder)
{
    const auto image =
        PixelProbe::paint (100, 60, [&] (juce::Graphics& g) { lf.drawPopupMenuBackground (g, 100, 60); });
    EXPECT_TRUE (PixelProbe::colourNear (image, 0, 0, juce::Colour (0xAA39444E), 3));
    EXPECT_TRUE (PixelProbe::colourNear (image, 1, 30, juce::Colour (0xAA39444E), 3));
    EXPECT_TRUE (PixelProbe::colourNear (image, 2, 30, juce::Colours::black));
    EXPECT_TRUE (PixelProbe::colourNear (image, 97, 30, juce::Colours::black));
    EXPECT_TRUE (PixelProbe::colourNear (image, 98, 30, juce::Colour (0xAA39444E), 3));

    lf.scale = 2.0f;
    const auto image2 =
        PixelProbe::paint (100, 60, [&] (juce::Graphics& g) { lf.drawPopupMenuBackground (g, 100, 60); });
    EXPECT_TRUE (PixelProbe::colourNear (image2, 3, 30, juce::Colour (0xAA39444E), 3));
    EXPECT_TRUE (PixelProbe::colourNear (image2, 4, 30, juce::Colours::black));
}

TEST_F (LooknFeel1Menu, SeparatorIsABarOfTheBackgroundColour)
{
    const auto image = item ({}, true, true, false, false, false, nullptr, { 0, 0, 200, 10 });
    const juce::Colour bar (0xAA39444E);
    // (2, 10/2 - 1, 196, 2)
    EXPECT_TRUE (PixelProbe::colourNear (image, 2, 4, bar, 3));
    EXPECT_TRUE (PixelProbe::colourNear (image, 197, 5, bar, 3));
    EXPECT_TRUE (PixelProbe::isTransparent (image, 1, 4));
    EXPECT_TRUE (PixelProbe::isTransparent (image, 198, 5));
    EXPECT_TRUE (PixelProbe::isTransparent (image, 100, 3));
    EXPECT_TRUE (PixelProbe::isTransparent (image, 100, 6));

    lf.scale = 2.0f; // (4, 20/2 - 2, 192, 4)
    const auto image2 = item ({}, true, true, false, false, false, nullptr, { 0, 0, 200, 20 });
    EXPECT_TRUE (PixelProbe::colourNear (image2, 4, 8, bar, 3));
    EXPECT_TRUE (PixelProbe::colourNear (image2, 195, 11, bar, 3));
    EXPECT_TRUE (PixelProbe::isTransparent (image2, 3, 9));
    EXPECT_TRUE (PixelProbe::isTransparent (image2, 196, 9));
    EXPECT_TRUE (PixelProbe::isTransparent (image2, 100, 7));
    EXPECT_TRUE (PixelProbe::isTransparent (image2, 100, 12));
}

TEST_F (LooknFeel1Menu, HighlightIsNarrowedByTwoOnEachSide)
{
    const auto image = item ("Load", false, true, true, false, false);
    const juce::Colour highlight (0xFF7CB0DB);
    EXPECT_TRUE (PixelProbe::isTransparent (image, 2, 10));
    EXPECT_TRUE (PixelProbe::colourNear (image, 3, 10, highlight));
    EXPECT_TRUE (PixelProbe::colourNear (image, 196, 10, highlight));
    EXPECT_TRUE (PixelProbe::isTransparent (image, 197, 10));
    EXPECT_TRUE (PixelProbe::isTransparent (image, 100, 0));
    EXPECT_TRUE (PixelProbe::colourNear (image, 100, 1, highlight));
    EXPECT_TRUE (PixelProbe::colourNear (image, 100, 18, highlight));
    EXPECT_TRUE (PixelProbe::isTransparent (image, 100, 19));
    EXPECT_GT (PixelProbe::countNear (image, image.getBounds(), juce::Colour (0xFF101010), 8), 5);
}

TEST_F (LooknFeel1Menu, HighlightedInactiveItemFillsAtOwnOpacityAndDimsTheText)
{
    lf.menuHighlightColour = juce::Colour (0x807CB0DB);
    const auto image = item ("Delete Preset", false, false, true, false, false);
    EXPECT_TRUE (PixelProbe::colourNear (image, 190, 10, juce::Colour (0x807CB0DB), 3));

    lf.menuHighlightColour = juce::Colour (0xFF7CB0DB);
    const auto image2 = item ("Delete Preset", false, false, true, false, false);
    // Text at 0.3 over the highlight: 0.3 * 0x10 + 0.7 * (0x7C, 0xB0, 0xDB).
    EXPECT_EQ (PixelProbe::countNear (image2, image2.getBounds(), juce::Colour (0xFF101010), 8), 0);
    EXPECT_GT (PixelProbe::countNear (image2, image2.getBounds(), juce::Colour (0xFF5C809E), 4), 3);
}

TEST_F (LooknFeel1Menu, PlainItemTextInMenuTextColourStartsAfterTheIconArea)
{
    const auto image = item ("Load", false, true, false, false, false);
    EXPECT_GT (PixelProbe::countNear (image, image.getBounds(), juce::Colour (0xFF7CB0DB), 8), 5);
    // The icon area is r.height * 5 / 4 = 22 wide from x 1; the text begins after it.
    EXPECT_EQ (PixelProbe::countOpaque (image, { 0, 0, 23, 20 }), 0);
    EXPECT_GT (PixelProbe::countOpaque (image, { 23, 0, 20, 20 }), 0);
}

TEST_F (LooknFeel1Menu, TickIsDrawnInTheIconAreaUnlessThereIsAnIcon)
{
    const auto ticked = item ({}, false, true, false, true, false);
    // Icon area (1, 1, 22, 18) reduced by 3: (4, 4, 16, 12).
    EXPECT_GT (PixelProbe::countNear (ticked, { 4, 4, 16, 12 }, juce::Colour (0xFF7CB0DB), 8), 10);
    EXPECT_EQ (PixelProbe::countOpaque (ticked, { 0, 0, 4, 20 }), 0);
    EXPECT_EQ (PixelProbe::countOpaque (ticked, { 20, 0, 180, 20 }), 0);

    juce::DrawableRectangle icon;
    icon.setRectangle (juce::Parallelogram<float> (juce::Rectangle<float> (0, 0, 8, 8)));
    icon.setFill (juce::Colours::red);
    const auto withIcon = item ({}, false, true, false, true, false, &icon);
    EXPECT_GT (PixelProbe::countNear (withIcon, { 4, 4, 16, 12 }, juce::Colours::red, 8), 30);
    EXPECT_EQ (PixelProbe::countNear (withIcon, withIcon.getBounds(), juce::Colour (0xFF7CB0DB), 60), 0);
}

TEST_F (LooknFeel1Menu, SubMenuArrowSitsAtTheRightEdge)
{
    const auto image = item ({}, false, true, false, false, true);
    const auto a = 0.6f * juce::Font (11.0f, juce::Font::bold).getAscent();
    const int x = 199 - (int) a; // r is (23, 1, 176, 18); the arrow strip comes off its right
    const auto bounds = PixelProbe::opaqueBounds (image);
    EXPECT_GE (bounds.getX(), x - 1);
    EXPECT_LE (bounds.getRight(), (int) std::ceil ((float) x + 0.6f * a) + 1);
    EXPECT_NEAR (bounds.getCentreY(), 10, 1);
}

TEST_F (LooknFeel1Menu, ShortcutIsDrawnAtTheRight)
{
    const auto image = item ("Undo", false, true, false, false, false, nullptr, { 0, 0, 200, 20 }, "Ctrl+Z");
    EXPECT_GT (PixelProbe::countOpaque (image, { 150, 0, 50, 20 }), 5);
}

TEST_F (LooknFeel1Menu, TinyAreasDrawWithoutFault)
{
    for (auto area : { juce::Rectangle<int> (0, 0, 0, 0), juce::Rectangle<int> (0, 0, 3, 2),
                       juce::Rectangle<int> (0, 0, 1, 40) })
    {
        item ("Text", false, false, true, true, true, nullptr, area, "X");
        item ({}, true, true, false, false, false, nullptr, area);
    }
    PixelProbe::paint (1, 1,
                       [&] (juce::Graphics& g)
                       {
                           lf.drawPopupMenuBackground (g, 0, 0);
                           lf.drawPopupMenuUpDownArrow (g, 0, 0, true);
                           lf.drawPopupMenuSectionHeader (g, {}, "Header");
                           lf.drawTooltip (g, "tip", 0, 0);
                       });
    SUCCEED();
}

TEST_F (LooknFeel1Menu, SectionHeaderStartsFiveIn)
{
    const auto image = PixelProbe::paint (200, 24,
                                          [&] (juce::Graphics& g) {
                                              lf.drawPopupMenuSectionHeader (g, { 0, 0, 200, 24 }, "Presets");
                                          });
    const auto bounds = PixelProbe::opaqueBounds (image);
    EXPECT_GE (bounds.getX(), 5);
    EXPECT_LE (bounds.getX(), 7);
    EXPECT_GT (PixelProbe::countNear (image, image.getBounds(), juce::Colour (0xFF7CB0DB), 8), 5);
}

TEST_F (LooknFeel1Menu, ScrollArrowsPointUpAndDown)
{
    const auto up = PixelProbe::paint (
        100, 20, [&] (juce::Graphics& g) { lf.drawPopupMenuUpDownArrow (g, 100, 20, true); });
    // Triangle (44, 12), (56, 12), (50, 6).
    EXPECT_TRUE (PixelProbe::colourNear (up, 50, 10, juce::Colour (0xFF7CB0DB), 3));
    EXPECT_FALSE (PixelProbe::colourNear (up, 50, 13, juce::Colour (0xFF7CB0DB), 40));
    const auto down = PixelProbe::paint (
        100, 20, [&] (juce::Graphics& g) { lf.drawPopupMenuUpDownArrow (g, 100, 20, false); });
    EXPECT_TRUE (PixelProbe::colourNear (down, 50, 8, juce::Colour (0xFF7CB0DB), 3));
    EXPECT_FALSE (PixelProbe::colourNear (down, 50, 5, juce::Colour (0xFF7CB0DB), 40));
    // The gradient fades towards the arrow's far edge.
    EXPECT_GT (up.getPixelAt (10, 10).getAlpha(), up.getPixelAt (10, 18).getAlpha());
    EXPECT_GT (down.getPixelAt (10, 10).getAlpha(), down.getPixelAt (10, 1).getAlpha());
}

//==============================================================================
TEST (LooknFeel1Button, BodyFollowsMouseStateAndOutlineIsAccent)
{
    LooknFeel1 lf;
    lf.scale = 2.0f;
    juce::TextButton button;
    button.setLookAndFeel (&lf);
    button.setSize (100, 30);

    const auto normal = PixelProbe::paint (button);
    EXPECT_TRUE (PixelProbe::colourNear (normal, 50, 15, juce::Colour (0xFF151515)));
    EXPECT_TRUE (PixelProbe::colourNear (normal, 50, 1, juce::Colour (0x997CB0DB), 3));
    EXPECT_TRUE (PixelProbe::isTransparent (normal, 50, 0));

    button.setState (juce::Button::buttonOver);
    EXPECT_TRUE (PixelProbe::colourNear (PixelProbe::paint (button), 50, 15, juce::Colour (0xFF202020)));
    button.setState (juce::Button::buttonDown);
    EXPECT_TRUE (PixelProbe::colourNear (PixelProbe::paint (button), 50, 15, juce::Colour (0xFF101010)));

    button.setLookAndFeel (nullptr);
}

TEST (LooknFeel1TextEditor, NoBackgroundAndAnOutlineOnlyWhenEnabled)
{
    LooknFeel1 lf;
    lf.scale = 2.0f;
    juce::TextEditor editor;
    editor.setLookAndFeel (&lf);
    editor.setSize (100, 30);

    const auto enabled = PixelProbe::paint (editor);
    EXPECT_TRUE (PixelProbe::colourNear (enabled, 50, 1, juce::Colour (0x997CB0DB), 3));
    EXPECT_TRUE (PixelProbe::isTransparent (enabled, 50, 15));

    editor.setEnabled (false);
    const auto disabled = PixelProbe::paint (editor);
    EXPECT_EQ (PixelProbe::countOpaque (disabled, disabled.getBounds()), 0);

    editor.setLookAndFeel (nullptr);
}
