#include "AssertionCatcher.h"

#include <iostream>

AssertionCatcher::AssertionCatcher() : previous (juce::Logger::getCurrentLogger())
{
    juce::Logger::setCurrentLogger (this);
}

AssertionCatcher::~AssertionCatcher()
{
    juce::Logger::setCurrentLogger (previous);
}

void AssertionCatcher::logMessage (const juce::String& message)
{
    if (message.startsWith ("JUCE Assertion failure"))
        assertions.add (message);
    else
        std::cerr << message << std::endl;
}
