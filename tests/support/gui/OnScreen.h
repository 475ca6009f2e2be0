#pragma once

#include <JuceHeader.h>

// Puts a component on the desktop as a real window for the life of this object: in front, with
// keyboard focus (without it the process is not in the foreground and popup menus close at once).
class OnScreen
{
public:
    explicit OnScreen (juce::Component& component, juce::Point<int> topLeft = { 40, 40 });
    ~OnScreen();

    OnScreen (const OnScreen&) = delete;
    OnScreen& operator= (const OnScreen&) = delete;

    juce::ComponentPeer* peer() const { return component.getPeer(); }

    // Shows the component the same way without taking it back: for a window that a test deletes
    // while it is on screen, as a host deletes its editor.
    static void show (juce::Component& window, juce::Point<int> topLeft = { 40, 40 });

    // True when there is a display to put windows on.
    static bool displayAvailable();
    // Runs the message loop for the given time.
    static void pump (int milliseconds);
    // Runs the message loop until the condition holds or the time is up; returns the condition.
    static bool pumpUntil (const std::function<bool()>& condition, int timeoutMilliseconds = 3000);

private:
    juce::Component& component;
};
