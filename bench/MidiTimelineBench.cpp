// Reading a standard MIDI file into kalvo-render's timeline: n note-ons at one instant, 128
// notes over and over without note-offs (the case that matching note-offs made quadratic).
#include "MidiTimeline.h"

#include <JuceHeader.h>
#include <benchmark/benchmark.h>

namespace
{
juce::File writeCrowd (int numEvents)
{
    juce::MemoryOutputStream track;
    for (int i = 0; i < numEvents; ++i)
    {
        const juce::uint8 event[] = { 0, 0x90, static_cast<juce::uint8> (i % 128), 100 };
        track.write (event, sizeof (event));
    }
    const juce::uint8 end[] = { 0, 0xff, 0x2f, 0 };
    track.write (end, sizeof (end));

    juce::MemoryOutputStream file;
    file.write ("MThd", 4);
    file.writeIntBigEndian (6);
    file.writeShortBigEndian (0); // one track
    file.writeShortBigEndian (1);
    file.writeShortBigEndian (480); // ticks per quarter note
    file.write ("MTrk", 4);
    file.writeIntBigEndian (static_cast<int> (track.getDataSize()));
    file.write (track.getData(), track.getDataSize());

    auto midi = juce::File::createTempFile (".mid");
    midi.replaceWithData (file.getData(), file.getDataSize());
    return midi;
}
} // namespace

static void BM_MidiFileLoad (benchmark::State& state)
{
    const auto numEvents = static_cast<int> (state.range (0));
    const auto file = writeCrowd (numEvents);
    for (auto _ : state)
    {
        MidiTimeline timeline;
        if (timeline.loadFile (file).failed() || timeline.getNumEvents() != numEvents)
            state.SkipWithError ("the file did not load whole");
        benchmark::DoNotOptimize (timeline.getNumEvents());
    }
    state.counters["events"] = numEvents;
    file.deleteFile();
}
BENCHMARK (BM_MidiFileLoad)->Arg (100000)->Arg (1000000)->Unit (benchmark::kMillisecond);
