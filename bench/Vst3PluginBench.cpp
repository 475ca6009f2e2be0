// The built VST3 plug-in loaded in-process with JUCE's hosting classes, driven like the direct
// benchmarks (see BenchRig): what a host pays per block, the format's wrapper included.
// KALVO_BENCH_VST3 names another .vst3 bundle to measure instead of the one just built.

#include "BenchRig.h"

#include <cstdlib>
#include <cstring>

namespace
{
juce::File bundle()
{
    if (const char* other = std::getenv ("KALVO_BENCH_VST3"); other != nullptr && *other != 0)
        return juce::File (other);
    // The binary lies in <bundle>/Contents/<architecture>/.
    return juce::File (KALVO_VST3_MODULE).getParentDirectory().getParentDirectory().getParentDirectory();
}

std::unique_ptr<juce::AudioPluginInstance> loadPlugin (double rate, int blockSize, juce::String& error)
{
    juce::VST3PluginFormat format;
    juce::OwnedArray<juce::PluginDescription> types;
    format.findAllTypesForFile (types, bundle().getFullPathName());
    if (types.isEmpty())
    {
        error = "no plug-in in " + bundle().getFullPathName();
        return nullptr;
    }
    return format.createInstanceFromDescription (*types[0], rate, blockSize, error);
}

// The rig's settings in the form JUCE's VST3 host hands to the plug-in's component.
juce::MemoryBlock hostedState (const juce::MemoryBlock& componentState)
{
    juce::XmlElement state ("VST3PluginState");
    state.createNewChildElement ("IComponent")->addTextElement (componentState.toBase64Encoding());
    juce::MemoryBlock data;
    juce::AudioProcessor::copyXmlToBinary (state, data);
    return data;
}

void runThroughVst3 (benchmark::State& state, double rate, int blockSize)
{
    BenchRig rig (rate, blockSize, false), direct (rate, blockSize, false);
    juce::String error;
    auto plugin = loadPlugin (rate, blockSize, error);
    if (plugin == nullptr)
    {
        state.SkipWithError (error.toRawUTF8());
        return;
    }
    rig.driveInstead (*plugin, hostedState (rig.getState()));

    // The plug-in runs what the direct benchmarks run: the same blocks give the same samples.
    for (int block = 0; block < 20; ++block)
    {
        rig.processBlock();
        direct.processBlock();
    }
    for (int ch = 0; ch < 2; ++ch)
        if (std::memcmp (rig.getBuffer().getReadPointer (ch), direct.getBuffer().getReadPointer (ch),
                         sizeof (float) * static_cast<size_t> (blockSize)) != 0)
        {
            state.SkipWithError ("the plug-in's output differs from the processor's own");
            return;
        }

    for (auto _ : state)
    {
        rig.processBlock();
        benchmark::DoNotOptimize (rig.getBuffer().getReadPointer (0));
    }
    rig.driveInstead (rig.own(), rig.getState());
    plugin->releaseResources();
    BenchRig::setCounters (state, rate, blockSize);
}
} // namespace

// Arguments: sample rate, block size.
static void BM_Vst3AudioBlock (benchmark::State& state)
{
    runThroughVst3 (state, static_cast<double> (state.range (0)), static_cast<int> (state.range (1)));
}
BENCHMARK (BM_Vst3AudioBlock)
    ->ArgNames ({ "rate", "block" })
    ->ArgsProduct ({ { 44100, 48000, 96000 }, { 1, 64, 512, 4096 } });
