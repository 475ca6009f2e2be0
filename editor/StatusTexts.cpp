#include "StatusTexts.h"

#include <cmath>

namespace
{
const char* const noteNames[12] = { "C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B" };

const char* const emptyRow[5] = { "", "", "", "", "" };

// Three quarters of a loop of 1/d bar stays "3 over 4d", unreduced, as the captions always read.
const char* const gridRows[13][5] = {
    { "0", "1", "2", "3", "4" },
    { "0", "3/4", "3/2", "9/4", "3" },
    { "0", "1/2", "1", "3/2", "2" },
    { "0", "3/8", "3/4", "9/8", "3/2" },
    { "0", "1/4", "1/2", "3/4", "1" },
    { "0", "3/16", "3/8", "9/16", "3/4" },
    { "0", "1/8", "1/4", "3/8", "1/2" },
    { "0", "1/12", "1/6", "3/12", "1/3" },
    { "0", "1/16", "1/8", "3/16", "1/4" },
    { "0", "1/24", "1/12", "3/24", "1/6" },
    { "0", "1/32", "1/16", "3/32", "1/8" },
    { "0", "1/48", "1/24", "3/48", "1/12" },
    { "0", "1/64", "1/32", "3/64", "1/16" },
};
} // namespace

juce::String StatusTexts::stateCaption (int midiConnected, int note)
{
    if (midiConnected != 1)
        return "--";
    // The range is checked first: a negative note has no name.
    if (note < 0 || note > 119)
        return {};
    return juce::String (noteNames[note % 12]) + juce::String (note / 12);
}

juce::String StatusTexts::undoTooltip (int steps)
{
    return "Line Undo (" + juce::String (steps) + ")";
}

juce::String StatusTexts::redoTooltip (int steps)
{
    return "Line Redo (" + juce::String (steps) + ")";
}

StatusTexts::GridRow StatusTexts::gridCaptions (bool synced, int numerator, int denominator,
                                                float lengthPosition)
{
    if (!synced || numerator != 4 || denominator != 4)
        return emptyRow;

    // Halves go to the even row, in single precision like the engine's own row choice.
    const float row = lengthPosition * 12.0f;
    if (!(row >= -0.5f && row <= 12.5f))
        return nullptr;
    const auto k = static_cast<int> (std::nearbyint (row));
    return k >= 0 && k <= 12 ? gridRows[k] : nullptr;
}
