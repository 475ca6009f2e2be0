#pragma once

#include <JuceHeader.h>

// The small texts the editor keeps in step with the processor: state captions, the undo and redo
// tooltips and the time captions under the curve editors.
class StatusTexts
{
public:
    // A state icon's caption: the trigger note's name and octave ("C5" for 60), empty for a note
    // outside 0..119, "--" when the state has no trigger note (midiConnected other than 1).
    static juce::String stateCaption (int midiConnected, int note);

    static juce::String undoTooltip (int steps);
    static juce::String redoTooltip (int steps);

    // The five captions at 0, 1/4, 1/2, 3/4 and the whole of the loop, in bars, or nullptr when
    // they stay as they are (a synced position outside the thirteen rows). Unsynced lines and time
    // signatures other than 4/4 get five empty captions.
    using GridRow = const char* const*;
    static GridRow gridCaptions (bool synced, int numerator, int denominator, float lengthPosition);
};
