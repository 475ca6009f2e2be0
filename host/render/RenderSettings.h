#pragma once
#include <JuceHeader.h>
#include <vector>

// One --set ID=VALUE: a parameter's plain (unnormalised) value.
struct ParameterSetting
{
    juce::String id;
    float value = 0.0f;
};

// Everything one kalvo-render run needs, as read from the command line.
struct RenderSettings
{
    juce::File inputFile; // none: the built-in demo signal
    juce::File outputFile;
    juce::File presetFile;       // none: the processor's defaults
    juce::File midiFile;         // none: no MIDI
    double sampleRate = 44100.0; // built-in input only
    double seconds = 8.0;        // built-in input only
    double bpm = 120.0;
    int meterNumerator = 4;
    int meterDenominator = 4;
    double startPpq = 0.0;
    int blockSize = 512;
    bool playing = true;
    std::vector<ParameterSetting> parameterSettings;

    bool hasInputFile() const { return inputFile != juce::File(); }
    bool hasPresetFile() const { return presetFile != juce::File(); }
    bool hasMidiFile() const { return midiFile != juce::File(); }
};
