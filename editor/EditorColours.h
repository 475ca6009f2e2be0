#pragma once

#include <JuceHeader.h>

// The colour rules of the editor window as plain functions over its palette. Every colour is a
// palette colour's red, green and blue with an alpha byte of its own (the palette entry's alpha
// is dropped), so the same palette serves lit and dim Power.
class EditorColours
{
public:
    // Power lights everything at 0.5 and above, but the frames only above 0.5.
    static bool lit (float powerValue) noexcept { return powerValue >= 0.5f; }
    static bool framesLit (float powerValue) noexcept { return powerValue > 0.5f; }

    // Line L's three colours (L 0..3): bright, second and dark.
    static juce::Colour bright (const juce::Colour* palette, int line) { return palette[6 + 3 * line]; }
    static juce::Colour second (const juce::Colour* palette, int line) { return palette[7 + 3 * line]; }
    static juce::Colour dark (const juce::Colour* palette, int line) { return palette[8 + 3 * line]; }

    static juce::Colour alpha (juce::Colour c, juce::uint8 a) { return c.withAlpha (a); }
    static juce::uint8 pick (bool isLit, juce::uint8 litAlpha, juce::uint8 dimAlpha) noexcept
    {
        return isLit ? litAlpha : dimAlpha;
    }

    // What an Icons widget draws in its three states.
    struct IconColours
    {
        juce::Colour on, pressed, off;
    };

    // Bright on, dark pressed, bright off; a and b already chosen for lit or dim.
    static IconColours iconSet (const juce::Colour* palette, int line, juce::uint8 a, juce::uint8 b);
    // Dark on, bright pressed and off.
    static IconColours frameSet (const juce::Colour* palette, int line, juce::uint8 c, juce::uint8 d);

    // A state thumbnail: its line, its state, the line being edited, the state that plays, the
    // state requested (rounded "State") and lit Power. The playing state being left is red, the
    // requested one green; the edited line's thumbnails are the brightest.
    static juce::Colour stateGraph (const juce::Colour* palette, int line, int state, int editedLine,
                                    int playingState, int requestedState, bool isLit);

    // The requested state from the raw "State" value, rounded to the nearest whole number.
    static int requestedState (float rawState) noexcept;
};
