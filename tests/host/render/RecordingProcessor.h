#pragma once
#include <JuceHeader.h>
#include <vector>

// A pass-through processor for the renderer's tests: it keeps what the host showed it in each
// block (size, position, MIDI) and has a stepped parameter with a plain range beyond 0..1.
class RecordingProcessor final : public juce::AudioProcessor
{
public:
    struct Block
    {
        int numSamples;
        juce::int64 firstSample;
        bool hasPosition;
        double ppq;
        double bpm;
        bool playing;
        int numerator, denominator;
        double barStart;
        juce::int64 timeInSamples;
    };

    struct Event
    {
        juce::int64 sample; // counted from the render's first sample
        int noteNumber;
    };

    RecordingProcessor();

    const juce::String getName() const override { return "Recording"; }
    void prepareToPlay (double sampleRate, int maximumBlockSize) override;
    void releaseResources() override {}
    bool isBusesLayoutSupported (const BusesLayout& layout) const override;
    void processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi) override;
    double getTailLengthSeconds() const override { return 0.0; }
    bool acceptsMidi() const override { return true; }
    bool producesMidi() const override { return false; }
    juce::AudioProcessorEditor* createEditor() override { return nullptr; }
    bool hasEditor() const override { return false; }
    int getNumPrograms() override { return 1; }
    int getCurrentProgram() override { return 0; }
    void setCurrentProgram (int) override {}
    const juce::String getProgramName (int) override { return {}; }
    void changeProgramName (int, const juce::String&) override {}
    void getStateInformation (juce::MemoryBlock&) override {}
    void setStateInformation (const void*, int) override {}

    juce::AudioParameterFloat* gain;  // "Gain", 0..2, multiplies the audio
    juce::AudioParameterFloat* state; // "State", 0..11 in steps of 1
    bool acceptStereo = true;
    double preparedRate = 0.0;
    int preparedBlockSize = 0;
    std::vector<Block> blocks;
    std::vector<Event> events;

private:
    juce::int64 samplesSeen = 0;
};
