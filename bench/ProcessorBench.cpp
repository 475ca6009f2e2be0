// The audio block called directly, as a host drives it (see BenchRig). Counters: per_sample is
// the time per stereo sample, realtime the seconds of audio processed per second of processing
// (shown with a "/s").

#include "BenchRig.h"

// Arguments: sample rate, block size, capture (1: editor open with the waveform view).
static void BM_AudioBlock (benchmark::State& state)
{
    const auto rate = static_cast<double> (state.range (0));
    const auto blockSize = static_cast<int> (state.range (1));
    BenchRig rig (rate, blockSize, state.range (2) != 0);
    for (auto _ : state)
    {
        rig.processBlock();
        benchmark::DoNotOptimize (rig.getBuffer().getReadPointer (0));
    }
    BenchRig::setCounters (state, rate, blockSize);
}
BENCHMARK (BM_AudioBlock)
    ->ArgNames ({ "rate", "block", "capture" })
    ->ArgsProduct ({ { 44100, 48000, 96000 }, { 1, 64, 512, 4096 }, { 0, 1 } });

// The worst block: a MIDI trigger switches the state at once in every block, with the capture on.
static void BM_AudioBlockWithStateSwitch (benchmark::State& state)
{
    const auto rate = static_cast<double> (state.range (0));
    const auto blockSize = static_cast<int> (state.range (1));
    BenchRig rig (rate, blockSize, true, true);
    for (auto _ : state)
    {
        rig.processBlock();
        benchmark::DoNotOptimize (rig.getBuffer().getReadPointer (0));
    }
    if (rig.own().stateSwitched.load() == false)
        state.SkipWithError ("no state switch happened");
    BenchRig::setCounters (state, rate, blockSize);
}
BENCHMARK (BM_AudioBlockWithStateSwitch)
    ->ArgNames ({ "rate", "block" })
    ->ArgsProduct ({ { 44100, 48000, 96000 }, { 64, 512 } });
