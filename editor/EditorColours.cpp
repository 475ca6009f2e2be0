#include "EditorColours.h"

#include <cmath>

EditorColours::IconColours EditorColours::iconSet (const juce::Colour* palette, int line, juce::uint8 a,
                                                   juce::uint8 b)
{
    return { alpha (bright (palette, line), a), alpha (dark (palette, line), a),
             alpha (bright (palette, line), b) };
}

EditorColours::IconColours EditorColours::frameSet (const juce::Colour* palette, int line, juce::uint8 c,
                                                    juce::uint8 d)
{
    const auto frame = alpha (bright (palette, line), d);
    return { alpha (dark (palette, line), c), frame, frame };
}

juce::Colour EditorColours::stateGraph (const juce::Colour* palette, int line, int state, int editedLine,
                                        int playingState, int requestedState, bool isLit)
{
    const juce::uint8 strong = line != editedLine ? 0x4C : pick (isLit, 0xFF, 0x7F);
    const bool playing = state == playingState, requested = state == requestedState;

    if (playing && !requested)
        return juce::Colour (0xFFC72626).withAlpha (strong);
    if (requested && !playing)
        return juce::Colour (0xFF54C726).withAlpha (strong);
    if (playing)
        return alpha (bright (palette, line), strong);

    const juce::uint8 other = line != editedLine ? 0x33 : pick (isLit, 0x99, 0x4C);
    return alpha (bright (palette, line), other);
}

int EditorColours::requestedState (float rawState) noexcept
{
    // A value the parameter cannot hold marks no state.
    if (!(rawState >= -0.5f && rawState < 11.5f))
        return -1;
    return static_cast<int> (std::lround (rawState));
}
