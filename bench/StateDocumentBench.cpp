// Load and save of a full state document (96 curves of 50 points, every setting), in the host
// block form and the preset file form. The counters give the document's size.
#include "LineEditorAudioProcessor.h"
#include "StateDocument.h"

#include <JuceHeader.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace
{
struct Fixture
{
    Fixture()
    {
        folder = juce::File::createTempFile ("kalvo-bench-documents");
        folder.createDirectory();
        processor = std::make_unique<LineEditorAudioProcessor>();

        juce::Random r (1);
        for (int l = 0; l < 4; ++l)
        {
            for (int s = 0; s < 12; ++s)
            {
                for (auto* curve : { processor->linePoints1()[l][s], processor->linePoints2()[l][s] })
                {
                    for (int i = 0; i < 50; ++i)
                    {
                        const bool end = i == 0 || i == 49;
                        curve[i] = { i == 0 ? 0.0f
                                            : (i == 49 ? 1.0f : ((float) i + r.nextFloat() * 0.9f) / 49.0f),
                                     r.nextFloat(),
                                     r.nextFloat() * 2.0f - 1.0f,
                                     i,
                                     0.0f,
                                     0.0f,
                                     1 + i % 9,
                                     end,
                                     false,
                                     !end };
                    }
                }
                processor->lineLength()[l][s] = r.nextFloat();
                processor->bandMix()[l][s] = r.nextFloat();
                processor->bandGlide()[l][s] = r.nextFloat() * 500.0f;
            }
        }
        processor->presetName() = "Benchmark";
        processor->getStateInformation (block);
        file = folder.getChildFile ("Benchmark.kvp");
        processor->saveStateToFile (file);
    }

    ~Fixture() { folder.deleteRecursively(); }

    juce::File folder, file;
    std::unique_ptr<LineEditorAudioProcessor> processor;
    juce::MemoryBlock block;
};

} // namespace

static void BM_StateSaveHostBlock (benchmark::State& state)
{
    const Fixture f;
    juce::MemoryBlock out;
    for (auto _ : state)
    {
        f.processor->getStateInformation (out);
        benchmark::DoNotOptimize (out.getData());
    }
    state.counters["bytes"] = (double) out.getSize();
}
BENCHMARK (BM_StateSaveHostBlock)->Unit (benchmark::kMillisecond);

static void BM_StateLoadHostBlock (benchmark::State& state)
{
    const Fixture f;
    for (auto _ : state)
        f.processor->setStateInformation (f.block.getData(), (int) f.block.getSize());
    state.counters["bytes"] = (double) f.block.getSize();
}
BENCHMARK (BM_StateLoadHostBlock)->Unit (benchmark::kMillisecond);

static void BM_StateSavePresetFile (benchmark::State& state)
{
    const Fixture f;
    for (auto _ : state)
        benchmark::DoNotOptimize (f.processor->saveStateToFile (f.file));
    state.counters["bytes"] = (double) f.file.getSize();
}
BENCHMARK (BM_StateSavePresetFile)->Unit (benchmark::kMillisecond);

static void BM_StateLoadPresetFile (benchmark::State& state)
{
    const Fixture f;
    for (auto _ : state)
        benchmark::DoNotOptimize (f.processor->getStateFromFile (f.file));
    state.counters["bytes"] = (double) f.file.getSize();
}
BENCHMARK (BM_StateLoadPresetFile)->Unit (benchmark::kMillisecond);

// The parse alone and the applying alone, to see where a load spends its time.
static void BM_StateParseHostBlockText (benchmark::State& state)
{
    const Fixture f;
    juce::String text;
    StateDocument::textFromBlock (f.block.getData(), (int) f.block.getSize(), text);
    for (auto _ : state)
        benchmark::DoNotOptimize (StateDocument::parseText (text));
}
BENCHMARK (BM_StateParseHostBlockText)->Unit (benchmark::kMillisecond);
