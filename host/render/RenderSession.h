#pragma once
#include "RenderSettings.h"
#include <atomic>
#include <functional>

// One whole kalvo-render job: reads the input (or makes the demo signal), loads the preset, sets
// parameters, renders and writes the output WAV file.
class RenderSession
{
public:
    // Loads a preset file into the processor; the tool supplies the processor-specific reader.
    using PresetLoader = std::function<juce::Result (juce::AudioProcessor&, const juce::File&)>;

    struct Summary
    {
        juce::File outputFile;
        double sampleRate = 0.0;
        juce::int64 numSamples = 0;
        float peak = 0.0f;
        juce::int64 numNonFinite = 0;
        double processingSeconds = 0.0;
        int blockSize = 0;
        int midiEventsDelivered = 0;
        int midiEventsNotDelivered = 0;

        double getSeconds() const
        {
            return sampleRate > 0.0 ? static_cast<double> (numSamples) / sampleRate : 0.0;
        }
        double getRealtimeFactor() const;
        juce::String describe() const; // the one-line summary
    };

    // A non-zero stopSignal (a signal number, set from a signal handler) ends the render at the
    // next block; the target file is then left as it was, and so it is after any failure,
    // output with non-finite samples included.
    static juce::Result run (const RenderSettings& settings, juce::AudioProcessor& processor,
                             const PresetLoader& loadPreset, Summary& summary,
                             const std::atomic<int>* stopSignal = nullptr);

    // Fails, saying how much is needed, when the output file would not fit on its volume.
    static juce::Result checkSpaceFor (juce::int64 numFrames, const juce::File& outputFile);

    // Sets each parameter, found by its ID, to a plain value within its range.
    static juce::Result applyParameterSettings (juce::AudioProcessor& processor,
                                                const std::vector<ParameterSetting>& settings);
};
