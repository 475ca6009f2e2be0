#include "MidiTimeline.h"
#include "RegularFileInput.h"
#include <algorithm>
#include <cmath>

juce::Result MidiTimeline::loadFile (const juce::File& file)
{
    juce::MemoryBlock data;
    if (auto read = RegularFileInput::readAll (file, maxFileBytes, data); read.failed())
        return juce::Result::fail ("MIDI file " + read.getErrorMessage());

    // Without matching note-offs: nothing here uses the pairs, and JUCE matches them in time
    // quadratic in the number of events, inserting note-offs the file does not hold.
    juce::MemoryInputStream stream (data, false);
    juce::MidiFile midiFile;
    int format = 0;
    if (!midiFile.readFrom (stream, false, &format))
        return juce::Result::fail (file.getFullPathName() + " is not a readable standard MIDI file");

    const auto ticksPerQuarter = midiFile.getTimeFormat();
    if (ticksPerQuarter < 0)
        return juce::Result::fail (file.getFullPathName() +
                                   " is timed in SMPTE frames; kalvo-render needs ticks per quarter note");
    if (ticksPerQuarter == 0)
        return juce::Result::fail (
            file.getFullPathName() +
            " gives its timing as 0 ticks per quarter note; kalvo-render needs 1 or more");

    for (int t = 0; t < midiFile.getNumTracks(); ++t)
        if (const auto* track = midiFile.getTrack (t))
            for (const auto* holder : *track)
                if (!holder->message.isMetaEvent())
                    addEvent (holder->message.getTimeStamp() / ticksPerQuarter, holder->message);

    return juce::Result::ok();
}

void MidiTimeline::addEvent (double ppq, const juce::MidiMessage& message)
{
    events.push_back ({ ppq, 0, message });
}

void MidiTimeline::schedule (const OfflinePlayHead& playHead)
{
    // A position that is not a number cannot be ordered, let alone reached.
    numUnreachable = static_cast<int> (
        std::count_if (events.begin(), events.end(), [] (const Event& e) { return std::isnan (e.ppq); }));
    events.erase (
        std::remove_if (events.begin(), events.end(), [] (const Event& e) { return std::isnan (e.ppq); }),
        events.end());

    std::stable_sort (events.begin(), events.end(),
                      [] (const Event& a, const Event& b) { return a.ppq < b.ppq; });

    std::vector<Event> reachable;
    reachable.reserve (events.size());

    for (auto& event : events)
    {
        const auto offset = (event.ppq - playHead.getStartPpq()) * playHead.getSamplesPerQuarterNote();
        // The first sample whose position is at or past the event; a hair of tolerance keeps exact
        // beat positions on their own sample despite rounding in the product above.
        const auto rounded = std::round (offset);
        const auto sample = std::abs (offset - rounded) < 1.0e-6 ? rounded : std::ceil (offset);

        // Also out of reach: positions too far away for a sample count (or not numbers at all).
        if (!(sample >= 0.0 && sample < 9.0e18) || (!playHead.isPlaying() && sample > 0.0))
        {
            ++numUnreachable;
            continue;
        }

        event.sample = static_cast<juce::int64> (sample);
        reachable.push_back (std::move (event));
    }

    events = std::move (reachable);
    nextEvent = 0;
    numDelivered = 0;
}

void MidiTimeline::fillBlock (const OfflinePlayHead& playHead, int numSamples, juce::MidiBuffer& midi)
{
    const auto blockStart = playHead.getSamplesRendered();
    const auto blockEnd = blockStart + numSamples;

    auto latest = midi.isEmpty() ? 0 : midi.getLastEventTime(); // one walk through the buffer
    while (nextEvent < events.size() && events[nextEvent].sample < blockEnd)
    {
        const auto& event = events[nextEvent++];
        addInOrder (midi, event.message,
                    static_cast<int> (std::max<juce::int64> (0, event.sample - blockStart)), latest);
        ++numDelivered;
    }
}

void MidiTimeline::addInOrder (juce::MidiBuffer& midi, const juce::MidiMessage& message, int sample,
                               int& latest)
{
    // MidiBuffer::addEvent (and getLastEventTime) walk the buffer from its start for each event,
    // which makes a block of many events quadratic. These arrive in order, so they are appended
    // in the buffer's own layout (position, size, bytes), where addEvent would place them.
    if (!midi.isEmpty() && latest > sample)
    {
        midi.addEvent (message, sample);
        return;
    }
    const auto size = message.getRawDataSize();
    if (size <= 0 || size > 0xffff)
        return;
    latest = sample;
    const auto position = static_cast<juce::int32> (sample);
    const auto length = static_cast<juce::uint16> (size);
    midi.data.addArray (reinterpret_cast<const juce::uint8*> (&position),
                        static_cast<int> (sizeof (position)));
    midi.data.addArray (reinterpret_cast<const juce::uint8*> (&length), static_cast<int> (sizeof (length)));
    midi.data.addArray (message.getRawData(), size);
}
