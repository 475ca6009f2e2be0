#pragma once

// The processor as the audio-block benchmarks drive it: stereo, the transport playing at 120 bpm,
// all four lines modulating curves of several points with a 5 ms glide, the master mix and two
// band levels away from their defaults. With stateSwitching, three states with their own split
// that a MIDI note each switches to at once. The same rig configures a processor loaded through
// a plug-in format, by its state.

#include "LineEditorAudioProcessor.h"

#include <benchmark/benchmark.h>

#include <memory>

class BenchRig
{
public:
    BenchRig (double sampleRate, int blockSize, bool capture, bool stateSwitching = false);
    ~BenchRig();

    // Processes one block of noise with the position of the next block; with state switching,
    // the block carries the trigger note of the next state.
    void processBlock();

    // The rig's processor's state, as its own setStateInformation reads it.
    juce::MemoryBlock getState() const;

    // Drives processor instead of the rig's own; state is what processor's setStateInformation
    // takes for the rig's settings.
    void driveInstead (juce::AudioProcessor& processor, const juce::MemoryBlock& state);

    // ns per stereo frame ("per_sample") and seconds of audio per second ("realtime").
    static void setCounters (benchmark::State& state, double sampleRate, int blockSize);

    LineEditorAudioProcessor& own() { return *processor; }
    const juce::AudioBuffer<float>& getBuffer() const { return buffer; }

private:
    class PlayingHead final : public juce::AudioPlayHead
    {
    public:
        juce::Optional<PositionInfo> getPosition() const override { return info; }
        PositionInfo info;
    };

    double sampleRate;
    bool switching;
    juce::AudioBuffer<float> buffer;
    juce::MidiBuffer midi;
    juce::MidiBuffer notes[3];
    int nextState = 1;
    PlayingHead playHead;
    std::unique_ptr<LineEditorAudioProcessor> processor;
    juce::AudioProcessor* driven = nullptr;
    double position = 0.0;
    juce::int64 samplesPlayed = 0;
};
