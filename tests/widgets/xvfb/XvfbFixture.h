#pragma once

#include "GoldenImage.h"
#include "LooknFeel1.h"
#include "OnScreen.h"

#include <gtest/gtest.h>

// Every test here needs a virtual X server (tests/support/with-xvfb.sh).
class XvfbTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE (OnScreen::displayAvailable()) << "no X display: run under tests/support/with-xvfb.sh";
    }

    static GoldenImage goldens() { return GoldenImage (juce::File (KALVO_GOLDEN_DIR)); }

    // The menu and dialog look-and-feel as the editor window sets it up.
    static void styleAsMenuLook (LooknFeel1& lf, float scale)
    {
        lf.accentColour = juce::Colour (0xFF49A7E3);
        lf.trackColour = juce::Colour (0xFF48DEE3);
        lf.menuBackgroundColour = juce::Colour (0xFF364A55);
        lf.ringInnerRadius = 0.95f;
        lf.rotaryStartAngle = 1.28f * juce::MathConstants<float>::pi;
        lf.rotaryEndAngle = 2.72f * juce::MathConstants<float>::pi;
        lf.menuTextColour = juce::Colour (0xFF49A7E3);
        lf.menuHighlightedTextColour = juce::Colour (0xFF202020);
        lf.menuHighlightColour = juce::Colour (0xFF49A7E3);
        lf.scale = scale;
        lf.popupFontSize = 11.0f * scale;
    }
};

// A plain window content with an opaque background, so snapshots have no transparent holes.
class Backdrop : public juce::Component
{
public:
    explicit Backdrop (juce::Colour c = juce::Colour (0xFF202623)) : colour (c) { setOpaque (true); }
    void paint (juce::Graphics& g) override { g.fillAll (colour); }

private:
    juce::Colour colour;
};
