#pragma once

#include <JuceHeader.h>

// The texts under the editor's knobs, shared by the window's set-up and its refresh. Rounding
// is to the nearest whole number, halves to even, on the single-precision value.
class KnobReadouts
{
public:
    // Loop length: with sync, the bar count of the synced cycle the position selects ("4" ..
    // "1/16"); without, the position as a percentage ("63").
    static juce::String length (float position, bool synced);

    // Glide time in whole milliseconds, no unit ("10").
    static juce::String glide (float milliseconds);

    // A line's mix as a percentage ("100").
    static juce::String mix (float value);

    // The master mix with its caption ("Master Mix: %100").
    static juce::String masterMix (float value);

    // A band level in dB with one decimal, no unit ("0.0" at unity); "-inf" when silent.
    static juce::String level (float value);

    // A crossover position's frequency, cut toward zero to whole Hz ("250Hz").
    static juce::String split (float position);
};
