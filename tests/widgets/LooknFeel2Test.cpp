#include "LooknFeel2.h"
#include "PixelProbe.h"

#include <gtest/gtest.h>

TEST (LooknFeel2Knob, IsAVersionThreeLookAndFeel)
{
    static_assert (std::is_base_of_v<juce::LookAndFeel_V3, LooknFeel2>);
    static_assert (!std::is_base_of_v<juce::LookAndFeel_V4, LooknFeel2>);
    SUCCEED();
}

TEST (LooknFeel2Knob, RotarySliderPaintsNothingYetMouseDragsMoveIt)
{
    LooknFeel2 lf;
    juce::Slider slider (juce::Slider::RotaryVerticalDrag, juce::Slider::NoTextBox);
    slider.setLookAndFeel (&lf);
    slider.setRange (0.0, 1.0);
    slider.setValue (0.5, juce::dontSendNotification);
    slider.setSize (60, 60);

    const auto image = PixelProbe::paint (slider);
    EXPECT_EQ (PixelProbe::countOpaque (image, image.getBounds()), 0);

    // A vertical drag upwards raises the value; the events go straight to the slider.
    auto source = juce::Desktop::getInstance().getMainMouseSource();
    const auto time = juce::Time::getCurrentTime();
    const auto event = [&] (float y, juce::ModifierKeys mods)
    {
        return juce::MouseEvent (source, { 30.0f, y }, mods, juce::MouseInputSource::defaultPressure,
                                 juce::MouseInputSource::defaultOrientation,
                                 juce::MouseInputSource::defaultRotation,
                                 juce::MouseInputSource::defaultTiltX, juce::MouseInputSource::defaultTiltY,
                                 &slider, &slider, time, { 30.0f, 40.0f }, time, 1, false);
    };
    const auto left = juce::ModifierKeys (juce::ModifierKeys::leftButtonModifier);
    slider.mouseDown (event (40.0f, left));
    slider.mouseDrag (event (20.0f, left));
    slider.mouseDrag (event (0.0f, left));
    slider.mouseUp (event (0.0f, {}));
    EXPECT_GT (slider.getValue(), 0.5);

    slider.setLookAndFeel (nullptr);
}

TEST (LooknFeel2Knob, LinearSliderIsDrawnNormally)
{
    LooknFeel2 lf;
    juce::Slider slider (juce::Slider::LinearHorizontal, juce::Slider::NoTextBox);
    slider.setLookAndFeel (&lf);
    slider.setSize (120, 24);
    slider.setValue (0.5, juce::dontSendNotification);
    const auto image = PixelProbe::paint (slider);
    EXPECT_GT (PixelProbe::countOpaque (image, image.getBounds(), 64), 50);
    slider.setLookAndFeel (nullptr);
}
