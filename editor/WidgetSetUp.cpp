#include "WidgetSetUp.h"

void WidgetSetUp::icon (Icons& icon, int glyph, float scale, juce::MouseListener* listener)
{
    icon.iconType = glyph;
    icon.setWantsKeyboardFocus (false);
    if (listener != nullptr)
        icon.addMouseListener (listener, false);
    icon.setMouseCursor (juce::MouseCursor::PointingHandCursor);
    icon.scale = scale;
    icon.repaint();
}

void WidgetSetUp::caption (Icons& icon, const juce::String& text, float fontHeight, int fontStyle)
{
    icon.text = text;
    icon.fontHeight = fontHeight;
    icon.justification = juce::Justification::centred;
    icon.fontStyle = fontStyle;
    icon.repaint();
}

void WidgetSetUp::knob (juce::Slider& knob, juce::LookAndFeel& lookAndFeel, int travel)
{
    knob.setSliderStyle (juce::Slider::RotaryVerticalDrag);
    knob.setTextBoxStyle (juce::Slider::NoTextBox, true, 0, 0);
    knob.setLookAndFeel (&lookAndFeel);
    knob.setMouseDragSensitivity (travel);
    knob.setMouseCursor (juce::MouseCursor::PointingHandCursor);
}

void WidgetSetUp::editingKnob (juce::Slider& knob, juce::LookAndFeel& lookAndFeel, int travel,
                               juce::NormalisableRange<double> range, double doubleClickValue,
                               const char* tooltip, float value, juce::Slider::Listener* listener)
{
    WidgetSetUp::knob (knob, lookAndFeel, travel);
    knob.setNormalisableRange (range);
    knob.setDoubleClickReturnValue (true, doubleClickValue);
    knob.setTooltip (tooltip);
    knob.setValue (value, juce::dontSendNotification);
    knob.addListener (listener);
}

void WidgetSetUp::label (juce::Label& label, const juce::String& text, float height, bool bold,
                         juce::Justification justification)
{
    label.setFont (juce::Font (height, bold ? juce::Font::bold : juce::Font::plain));
    label.setJustificationType (justification);
    label.setText (text, juce::dontSendNotification);
    label.setInterceptsMouseClicks (false, false);
}
