#pragma once
#include "OfflinePlayHead.h"
#include <vector>

// MIDI events on the host's timeline in quarter notes, handed to the processor at the sample where
// the host position reaches them.
class MidiTimeline
{
public:
    // Reads a standard MIDI file timed in ticks per quarter note; every track is merged and meta
    // events are left out (the render's tempo and meter come from its own settings). Events come
    // as the file holds them, in time linear in their number.
    juce::Result loadFile (const juce::File& file);

    // Some five million events: far beyond any piece, and still a bounded amount of memory.
    static constexpr juce::int64 maxFileBytes = 16 * 1024 * 1024;

    void addEvent (double ppq, const juce::MidiMessage& message);
    int getNumEvents() const { return static_cast<int> (events.size()); }

    // Fixes each event's sample, counted from the render's first sample; call before rendering.
    // Events the position never reaches (before the start, or any but those at the start while the
    // transport is stopped) are dropped and counted.
    void schedule (const OfflinePlayHead& playHead);

    // Adds the events of the block that starts at the play head's current sample.
    void fillBlock (const OfflinePlayHead& playHead, int numSamples, juce::MidiBuffer& midi);

    // Adds one event in constant time when it is no earlier than latest, the latest position in
    // the buffer (0 for an empty one), which it then updates; an earlier one still lands in its place.
    static void addInOrder (juce::MidiBuffer& midi, const juce::MidiMessage& message, int sample,
                            int& latest);

    int getNumUnreachable() const { return numUnreachable; }
    int getNumDelivered() const { return numDelivered; }
    // Events that did not reach the processor: unreachable ones and those after the render's end.
    int getNumNotDelivered() const
    {
        return numUnreachable + static_cast<int> (events.size()) - numDelivered;
    }

private:
    struct Event
    {
        double ppq;
        juce::int64 sample;
        juce::MidiMessage message;
    };

    std::vector<Event> events;
    size_t nextEvent = 0;
    int numUnreachable = 0;
    int numDelivered = 0;
};
