#pragma once

#include <JuceHeader.h>

#include <functional>

// The editor's preset alerts: shown without a modal loop, and answered through a callback. The
// window is styled by its owner's look-and-feel, so the owner dismisses its alerts before that
// goes (dismissAll in its destructor); the answer then still arrives, as 0, and the caller's
// callback must check that the owner is still there.
class PresetAlert
{
public:
    struct Button
    {
        juce::String text;
        int result;
    };

    struct Request
    {
        juce::String title;
        juce::String message;
        std::vector<Button> buttons;
    };

    using Reply = std::function<void (int result)>;
    using Presenter = std::function<void (juce::Component& owner, juce::LookAndFeel& look,
                                          juce::Colour textColour, const Request& request, Reply reply)>;

    // Replaced by tests that answer alerts without a display; empty means a real window.
    static inline Presenter presenter;

    static void show (juce::Component& owner, juce::LookAndFeel& look, juce::Colour textColour,
                      const Request& request, Reply reply);

    // Ends every alert of this owner with 0 and releases its look-and-feel.
    static void dismissAll (juce::Component& owner);

    // The message alerts: one "OK" button (result 0). The question: "Yes" (1) and "Cancel" (0).
    static Request message (const juce::String& text);
    static Request replaceQuestion (const juce::String& presetName);
};
