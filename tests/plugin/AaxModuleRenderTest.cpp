// Audio through the AAX module and the stand-in host is bit for bit the audio of the processor
// driven directly with the same job: tempo, meter, position, play state, restored state, parameter
// changes and MIDI.
#include <cmath>
#include <string>

#include "AaxModuleFixture.h"

namespace kalvo::test
{
namespace
{
struct RenderCase
{
    double sampleRate;
    int blockSize;
    double bpm = 120.0;
    int numerator = 4, denominator = 4;
    int64_t startSample = 0; // on a whole tick
};

void PrintTo (const RenderCase& c, std::ostream* out)
{
    *out << c.sampleRate << " Hz, " << c.blockSize << "-sample blocks, " << c.bpm << " bpm " << c.numerator
         << "/" << c.denominator << " from sample " << c.startSample;
}

std::string CaseName (const ::testing::TestParamInfo<RenderCase>& info)
{
    const auto& c = info.param;
    return std::to_string (static_cast<int> (c.sampleRate)) + "Hz_" + std::to_string (c.blockSize) + "_" +
           std::to_string (static_cast<int> (c.bpm)) + "bpm_" + std::to_string (c.numerator) + "_" +
           std::to_string (c.denominator) + "_from_" + std::to_string (c.startSample);
}

// Some 1.5 s of playing: the state with its curves and a MIDI trigger, the master mix and a level
// changed by the host, and note 62 (state 2, switched at the end of the main loop).
RenderJob playingJob (const RenderCase& c)
{
    RenderJob job;
    job.sampleRate = c.sampleRate;
    job.blockSize = c.blockSize;
    job.bpm = c.bpm;
    job.numerator = c.numerator;
    job.denominator = c.denominator;
    job.startSample = c.startSample;
    const double rate = c.sampleRate;
    const int blockSize = c.blockSize;
    job.numBlocks = static_cast<int> (std::ceil (1.5 * rate / blockSize));
    job.state = demoState();
    const auto blockAt = [&] (double seconds) { return static_cast<int> (seconds * rate / blockSize); };
    job.changes = { { blockAt (0.1), "MixMaster", 0.7f }, { blockAt (0.6), "HighLevel", 0.8f } };
    job.notes = { { static_cast<int64_t> (0.3 * rate) + 5, 0x90, 62, 100 },
                  { static_cast<int64_t> (0.4 * rate) + 3, 0x80, 62, 0 } };
    return job;
}

class ModuleRender : public AaxModuleTest, public ::testing::WithParamInterface<RenderCase>
{
};

TEST_P (ModuleRender, IsBitIdenticalToTheProcessor)
{
    const auto job = playingJob (GetParam());
    // Positions travel in ticks: the first block's must be whole.
    const double startTicks = job.startPpq() * ticksPerQuarter;
    ASSERT_EQ (startTicks, std::round (startTicks));
    auto instance = makeInstance (job.sampleRate);
    const Rendered throughModule = renderModule (*instance, job);
    const Rendered direct = renderDirect (job);
    const int64_t at = firstDifference (throughModule, direct);
    EXPECT_EQ (at, -1) << "first differing sample " << at / 2 << " of channel " << at % 2;
}

INSTANTIATE_TEST_SUITE_P (Blocks, ModuleRender,
                          ::testing::Values (RenderCase{ 44100.0, 64 }, RenderCase{ 44100.0, 512 },
                                             RenderCase{ 44100.0, 1024 }, RenderCase{ 44100.0, 4096 },
                                             RenderCase{ 48000.0, 64 }, RenderCase{ 48000.0, 512 },
                                             RenderCase{ 48000.0, 1024 }, RenderCase{ 48000.0, 4096 },
                                             // 6/8 from quarter note 3 (tick 2,880,000); 3/4 from 1.5.
                                             RenderCase{ 48000.0, 512, 96.0, 6, 8, 90000 },
                                             RenderCase{ 44100.0, 1024, 90.0, 3, 4, 44100 }),
                          CaseName);

TEST_F (AaxModuleTest, EachPartOfTheJobReachesTheProcessor)
{
    // Without the note, the MIDI change or the position, the module's output differs: each of them
    // arrived through the host, not by chance.
    const RenderJob job = playingJob ({ 48000.0, 512 });
    auto instance = makeInstance (job.sampleRate);
    const Rendered full = renderModule (*instance, job);

    RenderJob withoutNote = job;
    withoutNote.notes.clear();
    RenderJob withoutChanges = job;
    withoutChanges.changes.clear();
    for (const auto* variant : { &withoutNote, &withoutChanges })
        EXPECT_NE (firstDifference (full, renderDirect (*variant)), -1);
    EXPECT_EQ (firstDifference (full, renderDirect (job)), -1);
}

TEST_F (AaxModuleTest, StoppedTransportReadsTheHostsTickPosition)
{
    // Stopped at tick 1,920,000 (quarter note 2.0): the wrapper asks the host for the position
    // (as shipped, a stopped transport gave quarter note 0 without asking).
    RenderJob job;
    job.playing = false;
    job.state = demoState();
    job.numBlocks = 8;
    job.startSample = 48000; // one second at 120 bpm
    ASSERT_EQ (static_cast<int64_t> (job.startPpq() * ticksPerQuarter), 1920000);

    auto instance = makeInstance (job.sampleRate);
    const Rendered throughModule = renderModule (*instance, job);
    EXPECT_EQ (firstDifference (throughModule, renderDirect (job)), -1);

    RenderJob atZero = job;
    atZero.startSample = 0;
    EXPECT_NE (firstDifference (throughModule, renderDirect (atZero)), -1);
}
} // namespace
} // namespace kalvo::test
