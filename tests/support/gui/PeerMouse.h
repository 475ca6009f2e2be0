#pragma once

#include <JuceHeader.h>

// Mouse events delivered through the window's peer, so they take JUCE's whole road: hit testing,
// mouse listeners, drag detection. Positions are in the target component's own coordinates; the
// target must be on screen (itself or inside a window).
class PeerMouse
{
public:
    explicit PeerMouse (juce::Component& target);

    void move (juce::Point<int> position);
    void press (juce::Point<int> position,
                juce::ModifierKeys buttons = juce::ModifierKeys::leftButtonModifier);
    // Moves with the buttons held, in steps, so that the drag threshold is passed.
    void dragTo (juce::Point<int> position, int steps = 8);
    void release (juce::Point<int> position);
    void click (juce::Point<int> position,
                juce::ModifierKeys buttons = juce::ModifierKeys::leftButtonModifier);

private:
    void send (juce::Point<int> position, juce::ModifierKeys modifiers);

    juce::Component& target;
    juce::ModifierKeys held;
    juce::Point<int> last;
    juce::int64 time;
};
