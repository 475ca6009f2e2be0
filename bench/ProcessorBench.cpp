// The audio block as a host drives it: stereo, the transport playing at 120 bpm, all four lines
// modulating curves of several points. Counters: per_sample is the time per stereo sample,
// realtime the seconds of audio processed per second of processing (shown with a "/s").

#include "LineEditorAudioProcessor.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <random>

namespace
{
class PlayingHead final : public juce::AudioPlayHead
{
public:
    juce::Optional<PositionInfo> getPosition() const override { return info; }
    PositionInfo info;
};

void installCurve (LineEditorAudioProcessor& p, int line, int state, std::mt19937& rng, int numPoints)
{
    std::uniform_real_distribution<float> unit (0.0f, 1.0f);
    LETPoint* curve = p.linePoints1[line][state];
    for (int i = 0; i < 50; ++i)
        curve[i] = { 2.0f, 0.0f, 0.0f, -1, 0.0f, 0.0f, 1, true, false, true };
    for (int i = 0; i < numPoints; ++i)
    {
        const bool end = i == 0 || i == numPoints - 1;
        const float x =
            i == 0 ? 0.0f : (i == numPoints - 1 ? 1.0f : (i + unit (rng) * 0.8f) / (numPoints - 1));
        curve[i] = { x, unit (rng), unit (rng) * 1.6f - 0.8f, i, 0.0f, 0.0f, 1 + i % 9, end, false, !end };
    }
    p.lineEditor1.setLinePoints (curve);
    p.lineEditor1.getLineArray (p.lineArray1[line][state]);
    for (int k = 0; k < LineEditorAudioProcessor::tableSize; ++k)
        p.modulationArray[line][state][k] = p.lineArray1[line][state][k] * p.lineArray2[line][state][k];
}

struct Rig
{
    Rig (double rate, int blockSize, bool capture) : sampleRate (rate), buffer (2, blockSize)
    {
        processor = std::make_unique<LineEditorAudioProcessor>();
        auto& p = *processor;
        p.enableAllBuses();
        p.setPlayHead (&playHead);
        p.setRateAndBufferSizeDetails (rate, blockSize);

        std::mt19937 rng (42);
        for (int state = 0; state < 3; ++state)
            for (int line = 0; line < 4; ++line)
                installCurve (p, line, state, rng, 6 + 3 * line);
        for (int line = 0; line < 4; ++line)
        {
            p.lineLength[line][0] = p.activeLength[line] = 0.3f + 0.2f * static_cast<float> (line);
            p.bandGlide[line][0] = 5.0f;
        }
        p.parameters.getParameter ("MixMaster")->setValueNotifyingHost (0.9f);
        p.parameters.getParameter ("LowLevel")->setValueNotifyingHost (0.6f);
        p.parameters.getParameter ("HighLevel")->setValueNotifyingHost (0.4f);
        p.editorOpen = capture;
        p.prepareToPlay (rate, blockSize);

        playHead.info.setBpm (120.0);
        playHead.info.setTimeSignature (juce::AudioPlayHead::TimeSignature{ 4, 4 });
        playHead.info.setIsPlaying (true);

        std::mt19937 noise (7);
        std::uniform_real_distribution<float> sample (-0.5f, 0.5f);
        for (int ch = 0; ch < 2; ++ch)
            for (int n = 0; n < blockSize; ++n)
                buffer.setSample (ch, n, sample (noise));
    }

    ~Rig() { processor->setPlayHead (nullptr); }

    void processBlock()
    {
        playHead.info.setPpqPosition (position);
        processor->processBlock (buffer, midi);
        position += buffer.getNumSamples() / sampleRate * 2.0;
        if (position > 1.0e4)
            position = 0.0;
    }

    double sampleRate;
    juce::AudioBuffer<float> buffer;
    juce::MidiBuffer midi;
    PlayingHead playHead;
    std::unique_ptr<LineEditorAudioProcessor> processor;
    double position = 0.0;
};

void setCounters (benchmark::State& state, double rate, int blockSize)
{
    // Printed as a time per stereo sample ("17.8ns") and as seconds of audio per second.
    state.counters["per_sample"] =
        benchmark::Counter (static_cast<double> (blockSize),
                            benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["realtime"] = benchmark::Counter (static_cast<double> (blockSize) / rate,
                                                     benchmark::Counter::kIsIterationInvariantRate);
}
} // namespace

// Arguments: sample rate, block size, capture (1: editor open with the waveform view).
static void BM_AudioBlock (benchmark::State& state)
{
    const auto rate = static_cast<double> (state.range (0));
    const auto blockSize = static_cast<int> (state.range (1));
    Rig rig (rate, blockSize, state.range (2) != 0);
    for (auto _ : state)
    {
        rig.processBlock();
        benchmark::DoNotOptimize (rig.buffer.getReadPointer (0));
    }
    setCounters (state, rate, blockSize);
}
BENCHMARK (BM_AudioBlock)
    ->ArgNames ({ "rate", "block", "capture" })
    ->ArgsProduct ({ { 44100, 48000 }, { 64, 512, 4096 }, { 0, 1 } });

// The worst block: a MIDI trigger switches the state at once in every block, with the capture on.
static void BM_AudioBlockWithStateSwitch (benchmark::State& state)
{
    const auto rate = static_cast<double> (state.range (0));
    const auto blockSize = static_cast<int> (state.range (1));
    Rig rig (rate, blockSize, true);
    auto& p = *rig.processor;
    p.changeImmediately = true;
    for (int s = 0; s < 3; ++s)
        p.stateMIDICon[s] = 1;
    for (int s = 0; s < 3; ++s)
        p.lmFreq[s] = 0.2f + 0.1f * static_cast<float> (s);
    juce::MidiBuffer notes[3];
    for (int s = 0; s < 3; ++s)
        notes[s].addEvent (juce::MidiMessage::noteOn (1, 60 + s, static_cast<juce::uint8> (100)), 0);

    int next = 1;
    for (auto _ : state)
    {
        rig.midi.swapWith (notes[next]);
        rig.processBlock();
        rig.midi.swapWith (notes[next]);
        next = (next + 1) % 3;
        benchmark::DoNotOptimize (rig.buffer.getReadPointer (0));
    }
    if (p.stateSwitched.load() == false)
        state.SkipWithError ("no state switch happened");
    setCounters (state, rate, blockSize);
}
BENCHMARK (BM_AudioBlockWithStateSwitch)
    ->ArgNames ({ "rate", "block" })
    ->ArgsProduct ({ { 44100, 48000 }, { 64, 512 } });
