#pragma once

// A small host for the processor tests: a private home folder (the processor creates its
// presets folder there), a play head with tempo, meter, position and play state, and a
// block-by-block renderer that moves the position as a host would.

#include "LineEditorAudioProcessor.h"
#include "TestHome.h"

#include <JuceHeader.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace kalvo::test
{
// Points HOME at the process's private folder before any processor exists.
inline void useTemporaryHome()
{
    temporaryHomeFolder();
}

class TestPlayHead final : public juce::AudioPlayHead
{
public:
    juce::Optional<PositionInfo> getPosition() const override
    {
        if (!present)
            return {};
        return info;
    }

    bool present = true;
    PositionInfo info;
};

inline std::unique_ptr<LineEditorAudioProcessor> makeProcessor()
{
    useTemporaryHome();
    return std::make_unique<LineEditorAudioProcessor>();
}

// Runs an action once while a restore is half done: on the restoring thread, from inside the
// parameter tree's replaceState when it changes "State", after the restore has applied the model
// and before it has finished.
class InsideRestore final : public juce::AudioProcessorValueTreeState::Listener
{
public:
    InsideRestore (LineEditorAudioProcessor& processor, std::function<void()> actionToRun)
        : p (processor), action (std::move (actionToRun))
    {
        p.parameters.addParameterListener ("State", this);
    }

    ~InsideRestore() override { p.parameters.removeParameterListener ("State", this); }

    void parameterChanged (const juce::String&, float) override
    {
        if (auto run = std::exchange (action, nullptr))
            run();
    }

    bool ran() const { return action == nullptr; }

private:
    LineEditorAudioProcessor& p;
    std::function<void()> action;
};

// Runs an action from the parameter change numbered `which` (from 0) that the processor tells its
// host about, and counts the changes it hears (a negative `which` only counts them).
class OnHostWrite : public juce::AudioProcessorListener
{
public:
    OnHostWrite (LineEditorAudioProcessor& processor, int which, std::function<void()> actionToRun)
        : p (processor), target (which), action (std::move (actionToRun))
    {
        p.addListener (this);
    }
    ~OnHostWrite() override { p.removeListener (this); }

    void audioProcessorParameterChanged (juce::AudioProcessor*, int, float) override
    {
        if (heard++ == target)
            if (auto run = std::exchange (action, nullptr))
                run();
    }
    void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails&) override {}

    bool ran() const { return action == nullptr; }
    int changesHeard() const { return heard; }

private:
    LineEditorAudioProcessor& p;
    int target;
    int heard = 0;
    std::function<void()> action;
};

// Runs an action from the first parameter change the processor tells its host about.
class OnFirstHostWrite final : public OnHostWrite
{
public:
    OnFirstHostWrite (LineEditorAudioProcessor& processor, std::function<void()> actionToRun)
        : OnHostWrite (processor, 0, std::move (actionToRun))
    {
    }
};

// Drives one processor like a host: stereo layout, prepared rate, a play head whose position
// follows the samples rendered while the transport plays.
class TestHost
{
public:
    explicit TestHost (double rate = 44100.0, int preparedBlock = 512)
        : processor (makeProcessor()), sampleRate (rate)
    {
        processor->enableAllBuses(); // as the host binding does before processing
        processor->setPlayHead (&playHead);
        prepare (rate, preparedBlock);
        setTransport (120.0, true);
    }

    ~TestHost() { processor->setPlayHead (nullptr); }

    void prepare (double rate, int blockSize)
    {
        sampleRate = rate;
        processor->setRateAndBufferSizeDetails (rate, blockSize);
        processor->prepareToPlay (rate, blockSize);
    }

    void setTransport (double tempo, bool playing, int numerator = 4, int denominator = 4)
    {
        setPosition (currentPosition());
        bpm = tempo;
        playHead.info.setBpm (tempo);
        playHead.info.setTimeSignature (juce::AudioPlayHead::TimeSignature{ numerator, denominator });
        playHead.info.setIsPlaying (playing);
        isPlaying = playing;
    }

    // The position moves with the sample count from the last place it was set, as a host
    // computes it (no error piles up from block to block).
    void setPosition (double ppq)
    {
        segmentStart = ppq;
        segmentSample = samplePosition;
    }

    double currentPosition() const
    {
        if (!std::isfinite (bpm) || samplePosition == segmentSample)
            return segmentStart;
        return segmentStart + static_cast<double> (samplePosition - segmentSample) / sampleRate * bpm / 60.0;
    }

    // Sets a parameter as the host does (normalised value through the host-facing call).
    void setParameter (const char* id, float plainValue)
    {
        auto* parameter = processor->parameters.getParameter (id);
        parameter->setValueNotifyingHost (parameter->convertTo0to1 (plainValue));
    }

    float parameterValue (const char* id) const
    {
        return processor->parameters.getRawParameterValue (id)->load();
    }

    // Processes buffer in place as one host block; the position moves on while playing.
    void process (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi)
    {
        playHead.info.setPpqPosition (currentPosition());
        playHead.info.setTimeInSamples (samplePosition);
        processor->processBlock (buffer, midi);
        if (isPlaying)
            samplePosition += buffer.getNumSamples();
    }

    void process (juce::AudioBuffer<float>& buffer)
    {
        juce::MidiBuffer midi;
        process (buffer, midi);
    }

    // Processes numSamples of silence-free test signal in blocks of blockSize.
    void run (int numSamples, int blockSize = 512)
    {
        juce::AudioBuffer<float> buffer (2, blockSize);
        for (int done = 0; done < numSamples; done += blockSize)
        {
            const int n = std::min (blockSize, numSamples - done);
            buffer.setSize (2, n, false, false, true);
            buffer.clear();
            process (buffer);
        }
    }

    std::unique_ptr<LineEditorAudioProcessor> processor;
    TestPlayHead playHead;
    double sampleRate;
    double bpm = 120.0;
    bool isPlaying = true;
    int64_t samplePosition = 0;
    double segmentStart = 0.0;
    int64_t segmentSample = 0;
};

inline juce::MidiBuffer noteOn (int note, int velocity = 100, int samplePosition = 0, int channel = 1)
{
    juce::MidiBuffer midi;
    midi.addEvent (juce::MidiMessage::noteOn (channel, note, static_cast<juce::uint8> (velocity)),
                   samplePosition);
    return midi;
}

inline juce::MidiBuffer noteOff (int note, int samplePosition = 0, int channel = 1)
{
    juce::MidiBuffer midi;
    midi.addEvent (juce::MidiMessage::noteOff (channel, note), samplePosition);
    return midi;
}

// Fills a curve store entry with straight segments through the given (x, y) points.
inline void setCurve (LETPoint* curve, const std::vector<std::pair<float, float>>& points)
{
    for (int i = 0; i < LineEditorAudioProcessor::numCurvePoints; ++i)
        curve[i] = LETPoint{ 2.0f, 0.0f, 0.0f, -1, 0.0f, 0.0f, 1, true, false, true };
    for (size_t i = 0; i < points.size(); ++i)
        curve[i] = LETPoint{ points[i].first,
                             points[i].second,
                             0.0f,
                             static_cast<int32_t> (i),
                             0.0f,
                             0.0f,
                             1,
                             i == 0 || i + 1 == points.size(),
                             false,
                             i != 0 && i + 1 != points.size() };
}

// Loads a curve into stage 1 of (line, state) the way the editor commits one: model, store,
// stage table and product table.
inline void installCurve (LineEditorAudioProcessor& p, int line, int state,
                          const std::vector<std::pair<float, float>>& points)
{
    const ModelLock::Hold hold (p.curveModelLock);
    setCurve (p.linePoints1()[line][state], points);
    p.lineEditor1().setLinePoints (p.linePoints1()[line][state]);
    p.lineEditor1().getLineArray (p.lineArray1()[line][state]);
    for (int k = 0; k < LineEditorAudioProcessor::tableSize; ++k)
        p.modulationArray()[line][state][k] = p.lineArray1()[line][state][k] * p.lineArray2()[line][state][k];
    p.curveModelsStale = true;
    p.publishModel();
}

// Writes a table directly (for tests that need exact table values).
inline void setTable (LineEditorAudioProcessor& p, int line, int state,
                      const std::function<float (int)>& value)
{
    for (int k = 0; k < LineEditorAudioProcessor::tableSize; ++k)
        p.modulationArray()[line][state][k] = value (k);
    p.publishModel();
}

// A deterministic stereo test signal: low and high sines in each channel, a function of the
// sample index alone.
inline void fillSignal (juce::AudioBuffer<float>& buffer, int64_t startSample, double rate)
{
    for (int n = 0; n < buffer.getNumSamples(); ++n)
    {
        const double t = static_cast<double> (startSample + n) / rate;
        const auto l =
            static_cast<float> (0.4 * std::sin (2.0 * juce::MathConstants<double>::pi * 110.0 * t) +
                                0.3 * std::sin (2.0 * juce::MathConstants<double>::pi * 3100.0 * t));
        const auto r =
            static_cast<float> (0.4 * std::sin (2.0 * juce::MathConstants<double>::pi * 220.0 * t) +
                                0.2 * std::sin (2.0 * juce::MathConstants<double>::pi * 7000.0 * t));
        buffer.setSample (0, n, l);
        if (buffer.getNumChannels() > 1)
            buffer.setSample (1, n, r);
    }
}
} // namespace kalvo::test
