#pragma once
#include <JuceHeader.h>

// The built-in input: steady tones in the low, mid and high bands of the default crossover
// (below 250 Hz, between 250 Hz and 2 kHz, above 2 kHz), so that every band's modulation is heard.
// Each sample is a function of its index alone, so any block can be made on its own.
class DemoSignal
{
public:
    explicit DemoSignal (double sampleRate);

    // Writes samples [firstSample, firstSample + numSamples) into channels 0 and 1 of buffer.
    void render (juce::AudioBuffer<float>& buffer, juce::int64 firstSample, int numSamples) const;

private:
    double sampleRate;
};
