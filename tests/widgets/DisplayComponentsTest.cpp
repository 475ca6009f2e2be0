#include "FreqDisplay.h"
#include "GraphDraw.h"
#include "LevelMeter.h"
#include "PixelProbe.h"
#include "RectDrawComp.h"

#include <gtest/gtest.h>

//==============================================================================
class GraphDrawPoints : public ::testing::Test
{
protected:
    void SetUp() override
    {
        graph.setSize (216, 108); // inner 200 x 92 with the default inset 8
        for (int k = 0; k < 512; ++k)
            values[k] = (float) k / 511.0f;
    }

    GraphDraw graph;
    float values[512]{};
};

TEST_F (GraphDrawPoints, DefaultsAndInitialPoints)
{
    EXPECT_FLOAT_EQ (graph.thickness, 2.0f);
    EXPECT_EQ (graph.colour.getARGB(), 0xFF7EC4EAu);
    EXPECT_EQ (graph.inset, 8);
    EXPECT_EQ (graph.mode, 0);
    for (int i : { 0, 1, 511, 1023 })
    {
        EXPECT_FLOAT_EQ (graph.screenPoints[i].x, (float) i / 1024.0f);
        EXPECT_FLOAT_EQ (graph.screenPoints[i].y, 0.0f);
    }
}

TEST_F (GraphDrawPoints, ModeZeroMapsHundredValues)
{
    float hundred[100];
    for (int k = 0; k < 100; ++k)
        hundred[k] = (float) k / 99.0f;
    graph.setPoint (hundred);
    EXPECT_NEAR (graph.screenPoints[0].x, 10.0f, 1e-4);
    EXPECT_NEAR (graph.screenPoints[0].y, 100.0f, 1e-4);
    EXPECT_NEAR (graph.screenPoints[50].x, 110.0f, 1e-4);
    EXPECT_NEAR (graph.screenPoints[50].y, (1.0 - 50.0 / 99.0) * 92.0 + 8.0, 1e-4);
    EXPECT_NEAR (graph.screenPoints[99].x, 208.0f, 1e-4); // 99/100 of the width, 2 pixels in
    EXPECT_NEAR (graph.screenPoints[99].y, 8.0f, 1e-4);
    EXPECT_FLOAT_EQ (graph.screenPoints[100].x, 100.0f / 1024.0f); // untouched
}

TEST_F (GraphDrawPoints, ModeOneMapsFiveHundredTwelveValues)
{
    graph.mode = 1;
    graph.setPoint (values);
    EXPECT_NEAR (graph.screenPoints[0].x, 10.0f, 1e-4);
    EXPECT_NEAR (graph.screenPoints[0].y, 100.0f, 1e-4);
    EXPECT_NEAR (graph.screenPoints[256].x, 110.0f, 1e-4);
    EXPECT_NEAR (graph.screenPoints[511].x, 511.0 * 200.0 / 512.0 + 10.0, 1e-3);
    EXPECT_NEAR (graph.screenPoints[511].y, 8.0f, 1e-4);
    EXPECT_FLOAT_EQ (graph.screenPoints[512].x, 512.0f / 1024.0f);
}

TEST_F (GraphDrawPoints, ModeTwoSamplesHundredPointsFromFirstToLast)
{
    graph.mode = 2;
    graph.setPoint (values);
    // Index floor(k * 511 / 99): 0, 5, 258, 511.
    EXPECT_NEAR (graph.screenPoints[0].y, 100.0f, 1e-4);
    EXPECT_NEAR (graph.screenPoints[1].x, 12.0f, 1e-4);
    EXPECT_NEAR (graph.screenPoints[1].y, (1.0 - 5.0 / 511.0) * 92.0 + 8.0, 1e-4);
    EXPECT_NEAR (graph.screenPoints[50].y, (1.0 - 258.0 / 511.0) * 92.0 + 8.0, 1e-4);
    EXPECT_NEAR (graph.screenPoints[99].x, 208.0f, 1e-4);
    EXPECT_NEAR (graph.screenPoints[99].y, 8.0f, 1e-4);
}

TEST_F (GraphDrawPoints, CoordinatesFollowTheFormulaTermByTermInSinglePrecision)
{
    // x = k (W - 2i) / n + i + 2, added left to right: adding the inset and the two extra pixels
    // one after the other rounds differently from adding their sum for some sizes (inset 6, the
    // scale 1.5 thumbnails, among them).
    int mismatches = 0;
    juce::String first;
    for (int inset : { 4, 6, 8 })
        for (int inner = 20; inner <= 80; ++inner)
            for (int mode : { 0, 1, 2 })
            {
                const int count = mode == 1 ? 512 : 100;
                graph.setSize (inner + 2 * inset, 20 + 2 * inset);
                graph.inset = inset;
                graph.mode = mode;
                graph.setPoint (values);
                for (int k = 0; k < count; ++k)
                {
                    volatile float x = (float) k * (float) inner / (float) count;
                    x = x + (float) inset;
                    x = x + 2.0f;
                    const float value = values[mode == 2 ? (int) std::floor (k * 511.0 / 99.0) : k];
                    volatile float y = (1.0f - value) * 20.0f;
                    y = y + (float) inset;
                    if (graph.screenPoints[k].x != x || graph.screenPoints[k].y != y)
                    {
                        if (mismatches++ == 0)
                            first << "inset " << inset << ", inner " << inner << ", mode " << mode << ", k "
                                  << k << ": (" << juce::String (graph.screenPoints[k].x, 9) << ", "
                                  << juce::String (graph.screenPoints[k].y, 9) << ") instead of ("
                                  << juce::String ((float) x, 9) << ", " << juce::String ((float) y, 9)
                                  << ")";
                    }
                }
            }
    EXPECT_EQ (mismatches, 0) << first;
}

TEST_F (GraphDrawPoints, OtherModesLeaveThePointsAndValuesOutsideRangeAreNotClamped)
{
    graph.mode = 3;
    graph.setPoint (values);
    graph.setPoint (nullptr);
    EXPECT_FLOAT_EQ (graph.screenPoints[5].x, 5.0f / 1024.0f);

    float hundred[100];
    std::fill (std::begin (hundred), std::end (hundred), 1.5f);
    graph.mode = 0;
    graph.inset = 4;
    graph.setPoint (hundred);
    EXPECT_NEAR (graph.screenPoints[0].x, 6.0f, 1e-4);
    EXPECT_NEAR (graph.screenPoints[0].y, -0.5 * 100.0 + 4.0, 1e-4); // above the inner area
}

TEST_F (GraphDrawPoints, PaintsAThickLineInItsColour)
{
    float flat[100];
    std::fill (std::begin (flat), std::end (flat), 0.5f);
    graph.setPoint (flat); // y = 0.5 * 92 + 8 = 54, 2 pixels thick
    const auto image = PixelProbe::paint (graph);
    EXPECT_TRUE (PixelProbe::colourNear (image, 100, 53, juce::Colour (0xFF7EC4EA)));
    EXPECT_TRUE (PixelProbe::colourNear (image, 100, 54, juce::Colour (0xFF7EC4EA)));
    EXPECT_TRUE (PixelProbe::isTransparent (image, 100, 51));
    EXPECT_TRUE (PixelProbe::isTransparent (image, 100, 56));
    EXPECT_TRUE (PixelProbe::isTransparent (image, 8, 54));   // starts at x 10
    EXPECT_TRUE (PixelProbe::isTransparent (image, 210, 54)); // ends at x 208

    // Changing the mode without new values draws the old points with the new count.
    graph.mode = 1;
    const auto longer = PixelProbe::paint (graph);
    EXPECT_TRUE (PixelProbe::colourNear (longer, 100, 54, juce::Colour (0xFF7EC4EA)));
    graph.mode = 9;
    const auto none = PixelProbe::paint (graph);
    EXPECT_EQ (PixelProbe::countOpaque (none, none.getBounds()), 0);
}

TEST_F (GraphDrawPoints, NeverFedDrawsEffectivelyNothing)
{
    const auto image = PixelProbe::paint (graph);
    EXPECT_LE (PixelProbe::countOpaque (image, image.getBounds(), 8), 1);
    EXPECT_EQ (PixelProbe::countOpaque (image, { 1, 1, 215, 107 }), 0);
}

TEST_F (GraphDrawPoints, NonFiniteValuesAreLeftOut)
{
    float hundred[100];
    std::fill (std::begin (hundred), std::end (hundred), 0.5f);
    hundred[50] = std::numeric_limits<float>::quiet_NaN();
    hundred[51] = std::numeric_limits<float>::infinity();
    graph.setPoint (hundred);
    const auto image = PixelProbe::paint (graph);
    EXPECT_TRUE (PixelProbe::colourNear (image, 50, 54, juce::Colour (0xFF7EC4EA)));
    EXPECT_TRUE (PixelProbe::colourNear (image, 150, 54, juce::Colour (0xFF7EC4EA)));
}

//==============================================================================
TEST (FreqDisplayPaint, ThreeBandsBetweenTheSplits)
{
    FreqDisplay display;
    EXPECT_FLOAT_EQ (display.lowSplit, 0.31642f);
    EXPECT_FLOAT_EQ (display.highSplit, 0.74411f);
    EXPECT_FLOAT_EQ (display.scale, 2.0f);
    EXPECT_EQ (display.lowColour.getARGB(), 0xFFE95555u);
    EXPECT_EQ (display.midColour.getARGB(), 0xFFE9E053u);
    EXPECT_EQ (display.highColour.getARGB(), 0xFF92E97Au);
    display.setSize (200, 20);
    // Inner (2, 2, 196, 16): low ends at 2 + 0.31642 * 196 = 64.0, high starts at 147.8.
    const auto image = PixelProbe::paint (display);
    EXPECT_TRUE (PixelProbe::colourNear (image, 30, 10, juce::Colour (0xFFE95555)));
    EXPECT_TRUE (PixelProbe::colourNear (image, 63, 10, juce::Colour (0xFFE95555)));
    EXPECT_TRUE (PixelProbe::colourNear (image, 65, 10, juce::Colour (0xFFE9E053), 40));
    EXPECT_TRUE (PixelProbe::colourNear (image, 100, 10, juce::Colour (0xFFE9E053)));
    EXPECT_TRUE (PixelProbe::colourNear (image, 146, 10, juce::Colour (0xFFE9E053)));
    EXPECT_TRUE (PixelProbe::colourNear (image, 149, 10, juce::Colour (0xFF92E97A), 40));
    EXPECT_TRUE (PixelProbe::colourNear (image, 180, 10, juce::Colour (0xFF92E97A)));
    EXPECT_TRUE (PixelProbe::isTransparent (image, 0, 10));
    EXPECT_TRUE (PixelProbe::isTransparent (image, 100, 0));
    EXPECT_TRUE (PixelProbe::isTransparent (image, 199, 10));
}

TEST (FreqDisplayPaint, LowSplitAboveHighShowsNoMidAndHighOnTop)
{
    FreqDisplay display;
    display.setSize (200, 20);
    display.lowSplit = 0.8f;
    display.highSplit = 0.3f;
    const auto image = PixelProbe::paint (display);
    EXPECT_TRUE (PixelProbe::colourNear (image, 30, 10, juce::Colour (0xFFE95555)));
    EXPECT_TRUE (PixelProbe::colourNear (image, 100, 10, juce::Colour (0xFF92E97A)));
    EXPECT_TRUE (PixelProbe::colourNear (image, 180, 10, juce::Colour (0xFF92E97A)));
    EXPECT_EQ (PixelProbe::countNear (image, image.getBounds(), juce::Colour (0xFFE9E053), 30), 0);
}

TEST (FreqDisplayPaint, SplitsOutsideTheRangeAreClamped)
{
    FreqDisplay display;
    display.setSize (200, 20);
    display.lowSplit = -3.0f;
    display.highSplit = 7.0f;
    const auto image = PixelProbe::paint (display);
    EXPECT_TRUE (PixelProbe::colourNear (image, 10, 10, juce::Colour (0xFFE9E053)));
    EXPECT_TRUE (PixelProbe::colourNear (image, 190, 10, juce::Colour (0xFFE9E053)));
    display.lowSplit = std::numeric_limits<float>::quiet_NaN();
    EXPECT_TRUE (PixelProbe::colourNear (PixelProbe::paint (display), 10, 10, juce::Colour (0xFFE9E053)));
}

//==============================================================================
class LevelMeterPaint : public ::testing::Test
{
protected:
    void SetUp() override { meter.setSize (20, 100); }

    // First row from the top at x 10 holding the opaque bar colour.
    int barTop (const juce::Image& image) const
    {
        for (int y = 0; y < image.getHeight(); ++y)
            if (PixelProbe::difference (image.getPixelAt (10, y), juce::Colour (0xFF83AEE2)) <= 2)
                return y;
        return image.getHeight();
    }

    LevelMeter meter;
    const juce::Colour background = juce::Colour (0xFF83AEE2).withAlpha ((juce::uint8) 0x26);
};

TEST_F (LevelMeterPaint, BarRisesFromTheBottomByLevel)
{
    EXPECT_FLOAT_EQ (meter.level, 0.0f);
    EXPECT_EQ (meter.colour.getARGB(), 0xFF83AEE2u);
    EXPECT_FLOAT_EQ (meter.scale, 2.0f);
    meter.level = 0.25f;
    auto image = PixelProbe::paint (meter);
    EXPECT_EQ (barTop (image), 75);
    EXPECT_TRUE (PixelProbe::colourNear (image, 10, 50, background, 6));
    EXPECT_TRUE (PixelProbe::colourNear (image, 10, 90, juce::Colour (0xFF83AEE2)));

    meter.level = 0.5f;
    EXPECT_EQ (barTop (PixelProbe::paint (meter)), 50);
    meter.level = 1.0f;
    image = PixelProbe::paint (meter);
    EXPECT_LE (barTop (image), 1);
    EXPECT_TRUE (PixelProbe::colourNear (image, 10, 5, juce::Colour (0xFF83AEE2)));
}

TEST_F (LevelMeterPaint, ZeroShowsOnlyOutlineAndFaintBackground)
{
    const auto image = PixelProbe::paint (meter);
    EXPECT_EQ (barTop (image), 100);
    EXPECT_TRUE (PixelProbe::colourNear (image, 10, 50, background, 6));
    EXPECT_TRUE (PixelProbe::colourNear (image, 10, 98, background, 6));
    // The outline (0x66, 2 pixels wide centred on the edge) over the background shows at the edge.
    EXPECT_GT (image.getPixelAt (0, 50).getAlpha(), background.getAlpha() + 20);
}

TEST_F (LevelMeterPaint, LevelsOutsideTheRangeAreClamped)
{
    meter.level = 5.0f;
    auto image = PixelProbe::paint (meter);
    EXPECT_LE (barTop (image), 1);
    meter.level = -2.0f;
    EXPECT_EQ (barTop (PixelProbe::paint (meter)), 100);
    meter.level = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ (barTop (PixelProbe::paint (meter)), 100);
}

//==============================================================================
TEST (RectDrawCompPaint, BarIsThreeTimesScaleWideAtMarkerX)
{
    RectDrawComp marker;
    EXPECT_FLOAT_EQ (marker.markerX, 0.0f);
    EXPECT_EQ (marker.beatCount, 4);
    EXPECT_EQ (marker.beatWidth, 0);
    EXPECT_FLOAT_EQ (marker.scale, 2.0f);
    EXPECT_EQ (marker.colour.getARGB(), 0xFF4ED36Du);

    marker.setSize (100, 20);
    marker.markerX = 10.0f;
    const auto image = PixelProbe::paint (marker);
    EXPECT_TRUE (PixelProbe::isTransparent (image, 9, 10));
    EXPECT_TRUE (PixelProbe::colourNear (image, 10, 0, juce::Colour (0xFF4ED36D)));
    EXPECT_TRUE (PixelProbe::colourNear (image, 15, 19, juce::Colour (0xFF4ED36D)));
    EXPECT_TRUE (PixelProbe::isTransparent (image, 16, 10));

    marker.scale = 1.0f;
    const auto narrow = PixelProbe::paint (marker);
    EXPECT_TRUE (PixelProbe::colourNear (narrow, 12, 10, juce::Colour (0xFF4ED36D)));
    EXPECT_TRUE (PixelProbe::isTransparent (narrow, 13, 10));
}

TEST (RectDrawCompPaint, MarkerBeyondTheWidthIsNotSeen)
{
    RectDrawComp marker;
    marker.setSize (100, 20);
    for (float x : { 100.0f, 150.0f, -10.0f, std::numeric_limits<float>::infinity(),
                     std::numeric_limits<float>::quiet_NaN() })
    {
        marker.markerX = x;
        const auto image = PixelProbe::paint (marker);
        EXPECT_EQ (PixelProbe::countOpaque (image, image.getBounds()), 0) << x;
    }
}
