#pragma once

#include "Icons.h"

#include <JuceHeader.h>

// Steps that many of the editor window's children share when the window configures them (the
// window adds them afterwards, in its stacking order).
class WidgetSetUp
{
public:
    // A clickable icon: its glyph, no keyboard focus, `listener` (if any) told of its own
    // clicks, the pointing hand, the interface scale.
    static void icon (Icons& icon, int glyph, float scale, juce::MouseListener* listener);

    // The caption of a text glyph, centred.
    static void caption (Icons& icon, const juce::String& text, float fontHeight, int fontStyle);

    // A knob seen through its look-and-feel only: vertical drag over `travel` pixels for the
    // whole range, no text box, the pointing hand.
    static void knob (juce::Slider& knob, juce::LookAndFeel& lookAndFeel, int travel);

    // A knob that writes the processor through `listener`: as knob() above, then its legal
    // values, its double-click (and Alt-click) value and tooltip, and its value set silently, so
    // that opening the window writes nothing.
    static void editingKnob (juce::Slider& knob, juce::LookAndFeel& lookAndFeel, int travel,
                             juce::NormalisableRange<double> range, double doubleClickValue,
                             const char* tooltip, float value, juce::Slider::Listener* listener);

    // A read-out or caption that lets every click through to what lies beneath.
    static void label (juce::Label& label, const juce::String& text, float height, bool bold,
                       juce::Justification justification);
};
