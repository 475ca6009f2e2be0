#include "FreqDisplay.h"
#include "GraphDraw.h"
#include "Icons.h"
#include "LevelMeter.h"
#include "LooknFeel1.h"
#include "PixelProbe.h"
#include "RectDrawComp.h"

#include <gtest/gtest.h>

// Fields are written directly by their owners; whatever lands in them, painting finishes and
// draws nothing for values that have no picture.
namespace
{
const float badValues[] = { std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                            -std::numeric_limits<float>::infinity() };

int opaquePixels (juce::Component& c)
{
    const auto image = PixelProbe::paint (c);
    return PixelProbe::countOpaque (image, image.getBounds());
}
} // namespace

TEST (BadFieldValues, NonFiniteScalesDrawNothing)
{
    Icons icon;
    icon.setSize (40, 30);
    FreqDisplay bands;
    bands.setSize (100, 20);
    LevelMeter meter;
    meter.setSize (20, 100);
    meter.level = 0.5f;
    RectDrawComp marker;
    marker.setSize (100, 20);
    marker.markerX = 10.0f;

    for (float bad : badValues)
    {
        icon.scale = bands.scale = meter.scale = marker.scale = bad;
        for (int type = 0; type < Icons::numGlyphs; ++type)
        {
            icon.iconType = type;
            EXPECT_EQ (opaquePixels (icon), 0) << type;
        }
        EXPECT_EQ (opaquePixels (bands), 0);
        EXPECT_EQ (opaquePixels (meter), 0);
        EXPECT_EQ (opaquePixels (marker), 0);
    }
}

TEST (BadFieldValues, NonFiniteThicknessDrawsNoGraph)
{
    GraphDraw graph;
    graph.setSize (120, 60);
    float values[100];
    std::fill (std::begin (values), std::end (values), 0.5f);
    graph.setPoint (values);
    for (float bad : badValues)
    {
        graph.thickness = bad;
        EXPECT_EQ (opaquePixels (graph), 0);
    }
}

TEST (BadFieldValues, KnobAnglesBeyondAnySensibleTurnDrawNothingAndFinish)
{
    LooknFeel1 lf;
    juce::Slider slider (juce::Slider::RotaryHorizontalVerticalDrag, juce::Slider::NoTextBox);
    slider.setLookAndFeel (&lf);
    slider.setSize (60, 60);
    for (float bad :
         { 1.0e8f, -1.0e8f, std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN() })
    {
        lf.rotaryStartAngle = 0.0f;
        lf.rotaryEndAngle = bad;
        EXPECT_EQ (opaquePixels (slider), 0) << bad;
        lf.rotaryStartAngle = bad;
        lf.rotaryEndAngle = 1.0f;
        EXPECT_EQ (opaquePixels (slider), 0) << bad;
    }
    slider.setLookAndFeel (nullptr);
}

TEST (BadFieldValues, LookAndFeelDrawingWithANonFiniteScaleFinishes)
{
    LooknFeel1 lf;
    for (float bad : badValues)
    {
        lf.scale = bad;
        const auto image =
            PixelProbe::paint (100, 40,
                               [&] (juce::Graphics& g)
                               {
                                   lf.drawPopupMenuBackground (g, 100, 40);
                                   lf.drawPopupMenuItem (g, { 0, 0, 100, 20 }, true, true, false, false,
                                                         false, {}, {}, nullptr, nullptr);
                                   lf.drawTooltip (g, "tip", 100, 40);
                               });
        EXPECT_EQ (PixelProbe::countOpaque (image, image.getBounds()), 0);
        int w = 0, h = 0;
        lf.getIdealPopupMenuItemSize ("Load", false, 0, w, h);
        EXPECT_GE (h, 0);
        const auto r = lf.getTooltipBounds ("tip", { 10, 10 }, { 0, 0, 500, 500 });
        EXPECT_TRUE (juce::Rectangle<int> (0, 0, 500, 500).contains (r));
    }
}
