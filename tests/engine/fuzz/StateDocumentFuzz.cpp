// Fuzz target for the two state readers: the host block and the preset file. Each input is fed
// as a raw host block, as the text of a well-formed host block and as a preset file; then one
// audio block runs, whose output must stay finite.
//
// Built with libFuzzer by scripts/fuzz (clang); the committed corpus is replayed by an ordinary
// test through FuzzReplayMain.cpp.
#include "LineEditorAudioProcessor.h"

#include <JuceHeader.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace
{
struct Harness
{
    Harness()
    {
        home = juce::File::createTempFile ("kalvo-fuzz-home");
        home.createDirectory();
        setenv ("HOME", home.getFullPathName().toRawUTF8(), 1);
        initialiser = std::make_unique<juce::ScopedJuceInitialiser_GUI>();
        processor = std::make_unique<LineEditorAudioProcessor>();
        processor->enableAllBuses();
        processor->prepareToPlay (48000.0, 256);
        presetFile = home.getChildFile ("input.kvp");
    }

    void run (const uint8_t* data, size_t size)
    {
        processor->setStateInformation (data, (int) size);

        juce::MemoryBlock block;
        {
            juce::MemoryOutputStream out (block, false);
            out.writeInt (0x21324356);
            out.writeInt ((int) size + 1);
            out.write (data, size);
            out.writeByte (0);
        }
        processor->setStateInformation (block.getData(), (int) block.getSize());

        presetFile.replaceWithData (data, size);
        processor->getStateFromFile (presetFile);

        juce::AudioBuffer<float> buffer (2, 256);
        for (int ch = 0; ch < 2; ++ch)
            for (int n = 0; n < 256; ++n)
                buffer.setSample (ch, n, std::sin ((float) n * 0.05f + (float) ch));
        juce::MidiBuffer midi;
        processor->processBlock (buffer, midi);

        for (int ch = 0; ch < 2; ++ch)
            for (int n = 0; n < 256; ++n)
                if (!std::isfinite (buffer.getSample (ch, n)) || std::abs (buffer.getSample (ch, n)) > 100.0f)
                    std::abort();
    }

    juce::File home, presetFile;
    std::unique_ptr<juce::ScopedJuceInitialiser_GUI> initialiser;
    std::unique_ptr<LineEditorAudioProcessor> processor;
};

// libFuzzer leaves through exit(), so the harness is never destroyed there; the corpus replay
// destroys it at its end.
Harness* instance = nullptr;

Harness& harness()
{
    if (instance == nullptr)
        instance = new Harness();
    return *instance;
}
} // namespace

extern "C" void kalvoFuzzShutdown();

extern "C" int LLVMFuzzerInitialize (int*, char***)
{
    harness();
    // Gone before the framework's own statics, so its leak check stays quiet.
    std::atexit (kalvoFuzzShutdown);
    return 0;
}

extern "C" void kalvoFuzzShutdown()
{
    auto home = instance != nullptr ? instance->home : juce::File();
    delete instance;
    instance = nullptr;
    home.deleteRecursively();
}

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    harness().run (data, size);
    return 0;
}
