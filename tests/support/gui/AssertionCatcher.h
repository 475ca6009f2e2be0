#pragma once

#include <JuceHeader.h>

// For a test that expects a JUCE assertion: while it lives, assertion reports are collected
// here instead of failing the test, and nothing is printed.
class AssertionCatcher : public juce::Logger
{
public:
    AssertionCatcher();
    ~AssertionCatcher() override;

    AssertionCatcher (const AssertionCatcher&) = delete;
    AssertionCatcher& operator= (const AssertionCatcher&) = delete;

    void logMessage (const juce::String& message) override;

    int assertionCount() const { return assertions.size(); }
    juce::StringArray assertions;

private:
    juce::Logger* previous;
};
