// One click on the next-preset arrow, on the message thread, with 100, 5,000 and 29,800 presets
// spread over 40 sub-folders and the presets folder itself: the folders are looked at again and
// the next preset loaded. The library is left alone for 2.5 s first, as one not touched for a
// while (folders changed within the last 2 s are read again at every step), and the window has
// stepped once, as the first step reads the whole library. That first reading (also made after
// any change to the library) is BM_PresetScan.

#include "LineEditorAudioProcessor.h"
#include "LineEditorAudioProcessorEditor.h"
#include "PresetLists.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace
{
struct Library
{
    explicit Library (int numPresets)
    {
        root.deleteRecursively();
        p->presetsFolder = root;
        const auto first = root.getChildFile ("Init.kvp");
        root.createDirectory();
        p->saveStateToFile (first);
        juce::MemoryBlock preset;
        first.loadFileAsData (preset);
        for (int i = 1; i < numPresets; ++i)
        {
            const int folder = i % 41;
            const auto where = folder == 40 ? root : root.getChildFile ("Bank " + juce::String (folder));
            where.createDirectory();
            where.getChildFile ("Preset " + juce::String (i) + ".kvp")
                .replaceWithData (preset.getData(), preset.getSize());
        }
        juce::Thread::sleep (2500);
        editor = std::make_unique<LineEditorAudioProcessorEditor> (*p, p->parameters);
        editor->stopTimer();
        editor->presetStepClicked (true);
    }

    ~Library()
    {
        editor.reset();
        root.deleteRecursively();
    }

    juce::File root =
        juce::File::getSpecialLocation (juce::File::tempDirectory).getChildFile ("kalvo-step-bench");
    std::unique_ptr<LineEditorAudioProcessor> p = std::make_unique<LineEditorAudioProcessor>();
    std::unique_ptr<LineEditorAudioProcessorEditor> editor;
};

void BM_PresetStep (benchmark::State& state)
{
    Library library (static_cast<int> (state.range (0)));
    for (auto _ : state)
        library.editor->presetStepClicked (true);
}
BENCHMARK (BM_PresetStep)->Arg (100)->Arg (5000)->Arg (29800)->Unit (benchmark::kMillisecond);

void BM_PresetScan (benchmark::State& state)
{
    Library library (static_cast<int> (state.range (0)));
    for (auto _ : state)
        benchmark::DoNotOptimize (PresetLists::scan (library.root, "kvp"));
}
BENCHMARK (BM_PresetScan)->Arg (100)->Arg (5000)->Arg (29800)->Unit (benchmark::kMillisecond);
} // namespace
