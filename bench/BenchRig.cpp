#include "BenchRig.h"

#include <random>

namespace
{
void installCurve (LineEditorAudioProcessor& p, int line, int state, std::mt19937& rng, int numPoints)
{
    std::uniform_real_distribution<float> unit (0.0f, 1.0f);
    LETPoint* curve = p.linePoints1()[line][state];
    for (int i = 0; i < 50; ++i)
        curve[i] = { 2.0f, 0.0f, 0.0f, -1, 0.0f, 0.0f, 1, true, false, true };
    for (int i = 0; i < numPoints; ++i)
    {
        const bool end = i == 0 || i == numPoints - 1;
        const float x =
            i == 0 ? 0.0f : (i == numPoints - 1 ? 1.0f : (i + unit (rng) * 0.8f) / (numPoints - 1));
        curve[i] = { x, unit (rng), unit (rng) * 1.6f - 0.8f, i, 0.0f, 0.0f, 1 + i % 9, end, false, !end };
    }
    p.lineEditor1().setLinePoints (curve);
    p.lineEditor1().getLineArray (p.lineArray1()[line][state]);
    for (int k = 0; k < LineEditorAudioProcessor::tableSize; ++k)
        p.modulationArray()[line][state][k] = p.lineArray1()[line][state][k] * p.lineArray2()[line][state][k];
}
} // namespace

BenchRig::BenchRig (double rate, int blockSize, bool capture, bool stateSwitching)
    : sampleRate (rate), switching (stateSwitching), buffer (2, blockSize)
{
    processor = std::make_unique<LineEditorAudioProcessor>();
    auto& p = *processor;
    driven = processor.get();
    p.enableAllBuses();
    p.setPlayHead (&playHead);
    p.setRateAndBufferSizeDetails (rate, blockSize);

    std::mt19937 rng (42);
    for (int state = 0; state < 3; ++state)
        for (int line = 0; line < 4; ++line)
            installCurve (p, line, state, rng, 6 + 3 * line);
    for (int line = 0; line < 4; ++line)
    {
        p.lineLength()[line][0] = p.activeLength[line] = 0.3f + 0.2f * static_cast<float> (line);
        p.bandGlide()[line][0] = 5.0f;
    }
    p.parameters.getParameter ("MixMaster")->setValueNotifyingHost (0.9f);
    p.parameters.getParameter ("LowLevel")->setValueNotifyingHost (0.6f);
    p.parameters.getParameter ("HighLevel")->setValueNotifyingHost (0.4f);
    if (stateSwitching)
    {
        p.changeImmediately = true;
        for (int s = 0; s < 3; ++s)
        {
            p.stateMIDICon[s] = 1;
            p.lmFreq()[s] = 0.2f + 0.1f * static_cast<float> (s);
            notes[s].addEvent (juce::MidiMessage::noteOn (1, 60 + s, static_cast<juce::uint8> (100)), 0);
        }
    }
    p.editorOpen = capture;
    p.publishModel();
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

BenchRig::~BenchRig()
{
    processor->setPlayHead (nullptr);
    if (driven != processor.get())
        driven->setPlayHead (nullptr);
}

juce::MemoryBlock BenchRig::getState() const
{
    juce::MemoryBlock state;
    processor->getStateInformation (state);
    return state;
}

void BenchRig::driveInstead (juce::AudioProcessor& other, const juce::MemoryBlock& state)
{
    other.setStateInformation (state.getData(), static_cast<int> (state.getSize()));
    other.enableAllBuses();
    other.setPlayHead (&playHead);
    other.setRateAndBufferSizeDetails (sampleRate, buffer.getNumSamples());
    other.prepareToPlay (sampleRate, buffer.getNumSamples());
    driven = &other;
}

void BenchRig::processBlock()
{
    playHead.info.setPpqPosition (position);
    playHead.info.setTimeInSamples (samplesPlayed);
    if (switching)
        midi.swapWith (notes[nextState]);
    driven->processBlock (buffer, midi);
    if (switching)
    {
        midi.swapWith (notes[nextState]);
        nextState = (nextState + 1) % 3;
    }
    position += buffer.getNumSamples() / sampleRate * 2.0;
    samplesPlayed += buffer.getNumSamples();
    if (position > 1.0e4)
    {
        position = 0.0;
        samplesPlayed = 0;
    }
}

void BenchRig::setCounters (benchmark::State& state, double rate, int blockSize)
{
    state.counters["per_sample"] =
        benchmark::Counter (static_cast<double> (blockSize),
                            benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["realtime"] = benchmark::Counter (static_cast<double> (blockSize) / rate,
                                                     benchmark::Counter::kIsIterationInvariantRate);
}
