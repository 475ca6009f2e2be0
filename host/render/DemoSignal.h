#pragma once
#include <JuceHeader.h>
#include <vector>

// The built-in input: steady tones in the low, mid and high bands of the default crossover
// (below 250 Hz, between 250 Hz and 2 kHz, above 2 kHz), so that every band's modulation is heard.
// Each sample is a function of its index alone, so any block can be made on its own.
class DemoSignal
{
public:
    explicit DemoSignal (double sampleRate);

    // Writes samples [firstSample, firstSample + numSamples) into channels 0 and 1 of buffer.
    void render (juce::AudioBuffer<float>& buffer, juce::int64 firstSample, int numSamples) const;

    // Samples after which the signal repeats exactly, or 0 where it is made sample by sample.
    int getPeriod() const { return static_cast<int> (periodLeft.size()); }

private:
    static void compute (double sampleRate, juce::int64 index, float& left, float& right);

    double sampleRate;
    std::vector<float> periodLeft, periodRight;
};
