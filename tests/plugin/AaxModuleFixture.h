// The AAX module under the stand-in host: loaded, started and registered before each test; after
// each test every instance gone, the module unloadable, shut down and closed, every host reference
// returned and nothing reported by the module's own JUCE. Also the two ways of rendering one job:
// through the module, and through the processor directly as a host would drive it.
#pragma once

#include <JuceHeader.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "AAX_UIDs.h"
#include "HostController.h"
#include "HostInstance.h"
#include "LineEditorAudioProcessor.h"
#include "ModuleInstance.h"
#include "PluginModule.h"
#include "RegisteredPlugIn.h"
#include "RenderThread.h"
#include "StandInHost.h"
#include "StderrCapture.h"

namespace kalvo::test
{
constexpr AAX_CTypeID elckChunk = 0x656C636B; // 'elck'
constexpr AAX_CTypeID juceChunk = 0x6A756365; // 'juce'
constexpr int64_t ticksPerQuarter = 960000;
// The block size the module prepares its processor for at initialisation.
constexpr int modulePreparedBlock = 1024;
// The editor window: 592 x 234 logical pixels at the default interface scale 1.5, as the host's
// size {vertical, horizontal}.
constexpr float editorScale = 1.5f;
constexpr float editorHeight = 234 * editorScale;
constexpr float editorWidth = 592 * editorScale;

// One render: the host's transport, the blocks, the state restored first, parameter changes before
// given blocks and MIDI on given samples.
struct RenderJob
{
    struct Change
    {
        int block;
        const char* id;
        float value; // normalised
    };
    struct Note
    {
        int64_t sample;
        uint8_t status, data1, data2;
    };

    double sampleRate = 48000.0;
    int blockSize = 512;
    int numBlocks = 16;
    double bpm = 120.0;
    int numerator = 4;
    int denominator = 4;
    int64_t startSample = 0; // the host position of the first sample
    bool playing = true;
    juce::MemoryBlock state;
    std::vector<Change> changes;
    std::vector<Note> notes;

    double startPpq() const { return static_cast<double> (startSample) / sampleRate * bpm / 60.0; }
    int64_t numSamples() const { return static_cast<int64_t> (blockSize) * numBlocks; }
};

// A fixed stereo test signal: two tones and a little deterministic noise.
inline float inputSample (int channel, int64_t n, double rate)
{
    const double t = static_cast<double> (n) / rate;
    const uint32_t hash = static_cast<uint32_t> (n) * 2654435761u + static_cast<uint32_t> (channel) * 40503u;
    const float noise = static_cast<float> ((hash >> 8) & 0xFFFF) / 65536.0f - 0.5f;
    return static_cast<float> (
               0.3 * std::sin (2.0 * juce::MathConstants<double>::pi * (110.0 + 220.0 * channel) * t) +
               0.2 * std::sin (2.0 * juce::MathConstants<double>::pi * 3520.0 * t)) +
           0.05f * noise;
}

// Interleaved output of a render: left then right, block by block.
using Rendered = std::vector<float>;

// The index of the first sample where the two renders differ bit for bit, or -1.
inline int64_t firstDifference (const Rendered& a, const Rendered& b)
{
    if (a.size() != b.size())
        return 0;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::memcmp (&a[i], &b[i], sizeof (float)) != 0)
            return static_cast<int64_t> (i);
    return -1;
}

// The processor driven the way JUCE's AAX wrapper drives it: prepared for 1024-sample blocks, told
// of each new block size, prepared again for a larger block, the host position read per block.
Rendered renderDirect (const RenderJob& job);

// The demo preset with the Low line of state 0 on a free loop that does not divide two quarter
// notes and note 62 switching to (flat) state 2, as the processor's state blob.
juce::MemoryBlock demoState();

class AaxModuleTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // A new instance at the given rate, initialised, with its first coefficients delivered.
    std::unique_ptr<aaxhost::ModuleInstance> makeInstance (double sampleRate = 48000.0);
    // Renders the job through an instance: transport set, state restored and set-value requests
    // replayed, then per block the changes (as the host's set-value calls, replayed), coefficients,
    // MIDI and the block on the render thread, and the requests the block posted replayed.
    Rendered renderModule (aaxhost::ModuleInstance& instance, const RenderJob& job);

    std::unique_ptr<aaxhost::StderrCapture> captured;
    aaxhost::StandInHost host;
    std::unique_ptr<aaxhost::PluginModule> module;
    aaxhost::RegisteredPlugIn plugIn;
    aaxhost::RenderThread renderThread;
};
} // namespace kalvo::test
