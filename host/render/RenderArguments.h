#pragma once
#include "RenderSettings.h"

// Reads kalvo-render's command line. Checks everything that can be checked without the processor
// or the files; parameter IDs and ranges are checked against the processor later.
class RenderArguments
{
public:
    struct Outcome
    {
        bool ok = false;
        bool helpRequested = false;
        juce::String error; // one line, without the program name
        RenderSettings settings;
    };

    static Outcome parse (const juce::StringArray& arguments);
    static juce::String usage();

private:
    static bool parseNumber (const juce::String& text, double& value);
    static bool parseInteger (const juce::String& text, int& value);
};
