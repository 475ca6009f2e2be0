#pragma once

#include <JuceHeader.h>

// Reads attribute text the way the framework's XmlElement getters do, without their undefined
// behaviour on hostile input (the framework's integer reader overflows a signed int on the most
// negative value).
class XmlValueReader
{
public:
    // Leading blanks, an optional minus, then the digits up to the first other character;
    // wraps on overflow. Text that does not begin with a number reads 0.
    static int readInt (const juce::String& text);

    // A decimal number as the framework reads it (also "nan" and "inf"), except that an exponent
    // too long for its integer arithmetic gives the limit it stands for (infinity or zero)
    // instead of overflowing.
    static double readDouble (const juce::String& text);

    // True when the first non-blank character is 1, t, T, y or Y.
    static bool readBool (const juce::String& text);

    // The element's attribute as an integer, or fallback when it is absent.
    static int intAttribute (const juce::XmlElement&, const juce::Identifier& name, int fallback);
};
