#pragma once
#include "MidiTimeline.h"
#include "OfflinePlayHead.h"
#include <functional>

// Runs a processor over a stretch of audio block by block, as a host's render thread would: stereo
// in and out, the play head's position for each block, MIDI at its sample.
class OfflineRenderer
{
public:
    // Fills channels 0 and 1 of the buffer with numSamples input samples starting at firstSample.
    using Source =
        std::function<juce::Result (juce::AudioBuffer<float>&, juce::int64 firstSample, int numSamples)>;
    // Takes the first numSamples processed samples of the buffer.
    using Sink = std::function<juce::Result (const juce::AudioBuffer<float>&, int numSamples)>;

    struct Stats
    {
        juce::int64 numSamples = 0;
        float peak = 0.0f;
        juce::int64 numNonFinite = 0;
        double processingSeconds = 0.0;
        int numBlocks = 0;
    };

    OfflineRenderer (juce::AudioProcessor& processor, OfflinePlayHead& playHead, MidiTimeline& midi,
                     double sampleRate, int blockSize);

    // Sets the processor up for stereo in and out at the render's rate and block size.
    juce::Result prepare();
    juce::Result render (juce::int64 numSamples, const Source& source, const Sink& sink);
    void release();

    const Stats& getStats() const { return stats; }

private:
    juce::AudioProcessor& processor;
    OfflinePlayHead& playHead;
    MidiTimeline& midi;
    double sampleRate;
    int blockSize;
    bool prepared = false;
    Stats stats;
};
