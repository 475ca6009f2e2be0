// One click on the next-preset arrow, on the message thread, with 100, 5,000 and 29,800 presets
// spread over 40 sub-folders and the presets folder itself: the folders are looked at again and
// the next preset loaded. Each library is left alone for 2.5 s once made, as one not touched for
// a while (folders changed within the last 2 s are read again at every step), and the window has
// stepped once, as the first step reads the whole library. That first reading (also made after
// any change to the library) is BM_PresetScan.

#include "LineEditorAudioProcessor.h"
#include "LineEditorAudioProcessorEditor.h"
#include "PresetLists.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <unistd.h>

namespace
{
// Made once per size in the benchmarks' private home, which goes at exit; the presets are hard
// links to one saved preset.
juce::File library (int numPresets)
{
    const auto root = juce::File::getSpecialLocation (juce::File::userHomeDirectory)
                          .getChildFile ("step-bench-" + juce::String (numPresets));
    if (root.isDirectory())
        return root;
    root.createDirectory();
    const auto first = root.getChildFile ("Init.kvp");
    std::make_unique<LineEditorAudioProcessor>()->saveStateToFile (first);
    for (int i = 1; i < numPresets; ++i)
    {
        const int folder = i % 41;
        const auto where = folder == 40 ? root : root.getChildFile ("Bank " + juce::String (folder));
        where.createDirectory();
        const auto file = where.getChildFile ("Preset " + juce::String (i) + ".kvp");
        ::link (first.getFullPathName().toRawUTF8(), file.getFullPathName().toRawUTF8());
    }
    juce::Thread::sleep (2500);
    return root;
}

void BM_PresetStep (benchmark::State& state)
{
    auto p = std::make_unique<LineEditorAudioProcessor>();
    p->presetsFolder = library (static_cast<int> (state.range (0)));
    auto editor = std::make_unique<LineEditorAudioProcessorEditor> (*p, p->parameters);
    editor->stopTimer();
    editor->presetStepClicked (true);
    for (auto _ : state)
        editor->presetStepClicked (true);
}
BENCHMARK (BM_PresetStep)->Arg (100)->Arg (5000)->Arg (29800)->Unit (benchmark::kMillisecond);

void BM_PresetScan (benchmark::State& state)
{
    const auto root = library (static_cast<int> (state.range (0)));
    for (auto _ : state)
        benchmark::DoNotOptimize (PresetLists::scan (root, "kvp"));
}
BENCHMARK (BM_PresetScan)->Arg (100)->Arg (5000)->Arg (29800)->Unit (benchmark::kMillisecond);
} // namespace
