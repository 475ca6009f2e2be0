#include "OfflineRenderer.h"
#include "MidiTimeline.h"
#include "RecordingProcessor.h"
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <utility>

namespace
{
juce::Result silence (juce::AudioBuffer<float>& buffer, juce::int64, int n)
{
    buffer.clear (0, n);
    return juce::Result::ok();
}

juce::Result discard (const juce::AudioBuffer<float>&, int)
{
    return juce::Result::ok();
}

struct RenderRun
{
    RecordingProcessor processor;
    MidiTimeline midi;
    juce::Result result = juce::Result::ok();
    OfflineRenderer::Stats stats;
};

void render (RenderRun& run, double rate, double bpm, double startPpq, bool playing, int blockSize,
             juce::int64 length)
{
    OfflinePlayHead head (rate, bpm, 4, 4, startPpq, playing);
    OfflineRenderer renderer (run.processor, head, run.midi, rate, blockSize);
    run.result = renderer.prepare();
    if (run.result.wasOk())
        run.result = renderer.render (length, silence, discard);
    renderer.release();
    run.stats = renderer.getStats();
}
} // namespace

TEST (OfflineRenderer, RunsWholeBlocksAndAShortLastOne)
{
    RenderRun run;
    render (run, 48000.0, 120.0, 0.0, true, 512, 10000);
    ASSERT_TRUE (run.result.wasOk()) << run.result.getErrorMessage();
    EXPECT_EQ (run.processor.preparedRate, 48000.0);
    EXPECT_EQ (run.processor.preparedBlockSize, 512);
    ASSERT_EQ (run.processor.blocks.size(), 20u); // 19 × 512 + 272
    EXPECT_EQ (run.processor.blocks.back().numSamples, 10000 - 19 * 512);
    EXPECT_EQ (run.stats.numSamples, 10000);
    EXPECT_EQ (run.stats.numBlocks, 20);
    EXPECT_EQ (run.processor.getMainBusNumInputChannels(), 2);
    EXPECT_EQ (run.processor.getMainBusNumOutputChannels(), 2);
    EXPECT_EQ (run.processor.getPlayHead(), nullptr); // released
}

TEST (OfflineRenderer, EachBlockSeesTheHostPositionOfItsFirstSample)
{
    RenderRun run;
    render (run, 44100.0, 120.0, 2.0, true, 1000, 50000);
    ASSERT_TRUE (run.result.wasOk());
    for (const auto& block : run.processor.blocks)
    {
        ASSERT_TRUE (block.hasPosition);
        EXPECT_NEAR (block.ppq, 2.0 + static_cast<double> (block.firstSample) / 22050.0, 1e-12);
        EXPECT_EQ (block.timeInSamples, 44100 + block.firstSample);
        EXPECT_EQ (block.bpm, 120.0);
        EXPECT_TRUE (block.playing);
        EXPECT_EQ (block.numerator, 4);
        EXPECT_EQ (block.denominator, 4);
    }

    RenderRun stopped;
    render (stopped, 44100.0, 120.0, 2.0, false, 1000, 5000);
    for (const auto& block : stopped.processor.blocks)
    {
        EXPECT_FALSE (block.playing);
        EXPECT_EQ (block.ppq, 2.0);
    }
}

TEST (OfflineRenderer, MidiEventsLandOnTheSampleWhereThePositionReachesThemForAnyBlockSize)
{
    for (int blockSize : { 1, 32, 512, 1000, 4096 })
    {
        RenderRun run;
        // 120 bpm, 44.1 kHz: 22050 samples per quarter note; the render starts at quarter note 0.25.
        run.midi.addEvent (1.0, juce::MidiMessage::noteOn (1, 60, 1.0f)); // 0.75 × 22050 = 16537.5 → 16538
        run.midi.addEvent (0.25, juce::MidiMessage::noteOn (1, 61, 1.0f));  // the first sample
        run.midi.addEvent (2.25, juce::MidiMessage::noteOn (1, 62, 1.0f));  // exactly 44100
        run.midi.addEvent (0.0, juce::MidiMessage::noteOn (1, 63, 1.0f));   // before the start: never reached
        run.midi.addEvent (100.0, juce::MidiMessage::noteOn (1, 64, 1.0f)); // after the end
        render (run, 44100.0, 120.0, 0.25, true, blockSize, 60000);
        ASSERT_TRUE (run.result.wasOk());

        ASSERT_EQ (run.processor.events.size(), 3u) << "block " << blockSize;
        EXPECT_EQ (run.processor.events[0].noteNumber, 61);
        EXPECT_EQ (run.processor.events[0].sample, 0);
        EXPECT_EQ (run.processor.events[1].noteNumber, 60);
        EXPECT_EQ (run.processor.events[1].sample, 16538);
        EXPECT_EQ (run.processor.events[2].noteNumber, 62);
        EXPECT_EQ (run.processor.events[2].sample, 44100);
        EXPECT_EQ (run.midi.getNumDelivered(), 3);
        EXPECT_EQ (run.midi.getNumNotDelivered(), 2);
    }
}

TEST (OfflineRenderer, EventsTooFarAwayToCountInSamplesAreNeverDelivered)
{
    RenderRun run;
    run.midi.addEvent (1.0e30, juce::MidiMessage::noteOn (1, 60, 1.0f));
    run.midi.addEvent (std::numeric_limits<double>::quiet_NaN(), juce::MidiMessage::noteOn (1, 61, 1.0f));
    run.midi.addEvent (std::numeric_limits<double>::infinity(), juce::MidiMessage::noteOn (1, 62, 1.0f));
    run.midi.addEvent (0.5, juce::MidiMessage::noteOn (1, 63, 1.0f));
    render (run, 44100.0, 120.0, 0.0, true, 512, 22050);
    ASSERT_TRUE (run.result.wasOk());
    ASSERT_EQ (run.processor.events.size(), 1u);
    EXPECT_EQ (run.processor.events[0].noteNumber, 63);
    EXPECT_EQ (run.processor.events[0].sample, 11025);
    EXPECT_EQ (run.midi.getNumUnreachable(), 3);
}

TEST (OfflineRenderer, StoppedTransportDeliversOnlyEventsAtItsPosition)
{
    RenderRun run;
    run.midi.addEvent (4.0, juce::MidiMessage::noteOn (1, 70, 1.0f));
    run.midi.addEvent (4.5, juce::MidiMessage::noteOn (1, 71, 1.0f));
    render (run, 48000.0, 120.0, 4.0, false, 256, 48000);
    ASSERT_EQ (run.processor.events.size(), 1u);
    EXPECT_EQ (run.processor.events[0].noteNumber, 70);
    EXPECT_EQ (run.processor.events[0].sample, 0);
    EXPECT_EQ (run.midi.getNumNotDelivered(), 1);
}

TEST (OfflineRenderer, RefusesAProcessorWithoutStereo)
{
    RenderRun run;
    run.processor.acceptStereo = false;
    render (run, 48000.0, 120.0, 0.0, true, 256, 1000);
    EXPECT_TRUE (run.result.failed());
    EXPECT_TRUE (run.result.getErrorMessage().contains ("stereo"));
    EXPECT_TRUE (run.processor.blocks.empty());
}

TEST (OfflineRenderer, CountsPeakAndNonFiniteOutputAndStopsOnSourceOrSinkFailure)
{
    RecordingProcessor processor;
    MidiTimeline midi;
    OfflinePlayHead head (48000.0, 120.0, 4, 4, 0.0, true);
    OfflineRenderer renderer (processor, head, midi, 48000.0, 100);
    ASSERT_TRUE (renderer.prepare().wasOk());

    const auto source = [] (juce::AudioBuffer<float>& buffer, juce::int64 first, int n)
    {
        buffer.clear (0, n);
        if (first == 200)
        {
            buffer.setSample (0, 3, -0.75f);
            buffer.setSample (1, 4, std::numeric_limits<float>::quiet_NaN());
            buffer.setSample (1, 5, std::numeric_limits<float>::infinity());
        }
        return first >= 400 ? juce::Result::fail ("source ran dry") : juce::Result::ok();
    };
    int sinkCalls = 0;
    const auto sink = [&sinkCalls] (const juce::AudioBuffer<float>&, int)
    {
        ++sinkCalls;
        return juce::Result::ok();
    };

    const auto result = renderer.render (1000, source, sink);
    EXPECT_EQ (result.getErrorMessage(), "source ran dry");
    EXPECT_EQ (sinkCalls, 4);
    EXPECT_EQ (renderer.getStats().peak, 0.75f);
    EXPECT_EQ (renderer.getStats().numNonFinite, 2);
    renderer.release();
}

TEST (MidiTimeline, ReadsAStandardMidiFileInQuarterNotes)
{
    juce::MidiMessageSequence track;
    track.addEvent (juce::MidiMessage::tempoMetaEvent (500000), 0.0);
    track.addEvent (juce::MidiMessage::noteOn (1, 60, 1.0f), 960.0 * 2); // quarter note 2
    track.addEvent (juce::MidiMessage::noteOff (1, 60), 960.0 * 2.5);
    juce::MidiMessageSequence second;
    second.addEvent (juce::MidiMessage::noteOn (2, 72, 1.0f), 480.0); // quarter note 0.5
    second.addEvent (juce::MidiMessage::noteOn (2, 72, 0.5f), 960.0); // again, with no note-off between
    juce::MidiFile file;
    file.setTicksPerQuarterNote (960);
    file.addTrack (track);
    file.addTrack (second);

    const juce::TemporaryFile temporary (".mid");
    {
        juce::FileOutputStream out (temporary.getFile());
        ASSERT_TRUE (file.writeTo (out));
    }

    RenderRun run;
    ASSERT_TRUE (run.midi.loadFile (temporary.getFile()).wasOk());
    EXPECT_EQ (run.midi.getNumEvents(), 4); // the tempo meta event is left out, nothing is added
    render (run, 44100.0, 120.0, 0.0, true, 512, 60000);
    ASSERT_EQ (run.processor.events.size(), 4u);
    EXPECT_EQ (run.processor.events[0].sample, 11025);
    EXPECT_EQ (run.processor.events[0].noteNumber, 72);
    EXPECT_EQ (run.processor.events[1].sample, 22050);
    EXPECT_EQ (run.processor.events[2].sample, 44100);
    EXPECT_EQ (run.processor.events[3].sample, 55125);
}

TEST (MidiTimeline, RejectsMissingGarbledAndSmpteFiles)
{
    MidiTimeline midi;
    EXPECT_TRUE (
        midi.loadFile (juce::File ("/nonexistent/file.mid")).getErrorMessage().contains ("does not exist"));

    const juce::TemporaryFile garbage (".mid");
    ASSERT_TRUE (garbage.getFile().replaceWithText ("MThd but not really a MIDI file"));
    EXPECT_TRUE (midi.loadFile (garbage.getFile()).getErrorMessage().contains ("not a readable"));

    // Written by hand: a division word with its top bit set means 25 frames of 40 ticks.
    const unsigned char smpte[] = { 'M', 'T', 'h', 'd', 0, 0, 0, 6, 0,    0,  0,   1, 0xE7, 40,   'M',
                                    'T', 'r', 'k', 0,   0, 0, 8, 0, 0x90, 60, 100, 0, 0xFF, 0x2F, 0 };
    const juce::TemporaryFile smpteFile (".mid");
    ASSERT_TRUE (smpteFile.getFile().replaceWithData (smpte, sizeof (smpte)));
    EXPECT_TRUE (midi.loadFile (smpteFile.getFile()).getErrorMessage().contains ("SMPTE"));

    unsigned char noDivision[sizeof (smpte)];
    std::memcpy (noDivision, smpte, sizeof (smpte));
    noDivision[12] = noDivision[13] = 0;
    const juce::TemporaryFile noDivisionFile (".mid");
    ASSERT_TRUE (noDivisionFile.getFile().replaceWithData (noDivision, sizeof (noDivision)));
    const auto message = midi.loadFile (noDivisionFile.getFile()).getErrorMessage();
    EXPECT_TRUE (message.contains ("0 ticks per quarter note")) << message;
    EXPECT_FALSE (message.contains ("SMPTE")) << message;
    EXPECT_EQ (midi.getNumEvents(), 0);
}

// Appending in order builds exactly the buffer MidiBuffer::addEvent builds, sysex and an event
// out of order included; and a whole crowd of events at one instant all reach the processor.
TEST (MidiTimeline, EventsAddedInOrderMatchMidiBufferAndManyAtOneTimeAllArrive)
{
    const juce::uint8 sysex[] = { 0xf0, 0x7e, 0x01, 0x02, 0xf7 };
    const std::pair<int, juce::MidiMessage> events[] = {
        { 0, juce::MidiMessage::noteOn (1, 60, 1.0f) },
        { 0, juce::MidiMessage::noteOff (1, 60) },
        { 5, juce::MidiMessage (sysex, 5) },
        { 5, juce::MidiMessage::controllerEvent (2, 7, 9) },
        { 3, juce::MidiMessage::noteOn (3, 61, 0.5f) },
        { 9, juce::MidiMessage::pitchWheel (1, 8000) },
    };
    juce::MidiBuffer appended, reference;
    int latest = 0;
    for (const auto& [sample, message] : events)
    {
        MidiTimeline::addInOrder (appended, message, sample, latest);
        reference.addEvent (message, sample);
    }
    EXPECT_EQ (appended.data, reference.data);

    RenderRun run;
    constexpr int crowd = 100000;
    for (int i = 0; i < crowd; ++i)
        run.midi.addEvent (1.0, juce::MidiMessage::noteOn (1, i % 128, 1.0f));
    render (run, 48000.0, 120.0, 0.0, true, 512, 48000);
    ASSERT_TRUE (run.result.wasOk());
    ASSERT_EQ (run.processor.events.size(), static_cast<size_t> (crowd));
    EXPECT_EQ (run.processor.events.front().sample, 24000);
    EXPECT_EQ (run.processor.events.back().sample, 24000);
    EXPECT_EQ (run.processor.events[12345].noteNumber, 12345 % 128);
}
