#include "EQBandSplit3.h"
#include "LineEditor.h"
#include "SplitFrequency.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <random>

namespace
{
// A full curve: 50 points over the cycle, every shape, varied tension.
void fillCurve (LETPoint* curve, std::mt19937& rng)
{
    std::uniform_real_distribution<float> unit (0.0f, 1.0f);
    for (int i = 0; i < 50; ++i)
    {
        const float x =
            i == 0 ? 0.0f : (i == 49 ? 1.0f : (static_cast<float> (i) + unit (rng) * 0.9f) / 49.0f);
        const bool end = i == 0 || i == 49;
        curve[i] = { x, unit (rng), unit (rng) * 2.0f - 1.0f, i, 0.0f, 0.0f, 1 + i % 9, end, false, !end };
    }
}

} // namespace

static void BM_SetLinePoints50 (benchmark::State& state)
{
    auto model = std::make_unique<LineEditor>();
    std::mt19937 rng (1);
    LETPoint curves[2][50];
    fillCurve (curves[0], rng);
    fillCurve (curves[1], rng);
    int which = 0;
    for (auto _ : state)
    {
        model->setLinePoints (curves[which]);
        which ^= 1;
        benchmark::DoNotOptimize (model->renderedLine);
    }
}
BENCHMARK (BM_SetLinePoints50);

static void BM_SetLinePointsTwoPoints (benchmark::State& state)
{
    auto model = std::make_unique<LineEditor>();
    LETPoint curve[50];
    std::copy (std::begin (model->points), std::end (model->points), curve);
    for (auto _ : state)
    {
        model->setLinePoints (curve);
        benchmark::DoNotOptimize (model->renderedLine);
    }
}
BENCHMARK (BM_SetLinePointsTwoPoints);

static void BM_UndoRedoStep (benchmark::State& state)
{
    auto model = std::make_unique<LineEditor>();
    std::mt19937 rng (2);
    LETPoint curve[50];
    fillCurve (curve, rng);
    model->setLinePoints (curve);
    model->startNewChange (0, 0);
    for (auto _ : state)
    {
        model->performUndo (0, 0);
        model->performRedo (0, 0);
        benchmark::DoNotOptimize (model->renderedLine);
    }
}
BENCHMARK (BM_UndoRedoStep);

// Nanoseconds per stereo sample, in blocks of 64, with the ramps idle or restarted every block.
static void splitterBench (benchmark::State& state, bool moving)
{
    EQBandSplit3 split;
    split.sampleRate = 48000.0;
    split.lowMidFreq = splitFrequency (0.242f);
    split.midHighFreq = splitFrequency (0.7627f);
    split.InitiateVars();

    constexpr int length = 4096, block = 64;
    static float left[length], right[length], outLeft[length], outRight[length];
    static float lowGain[length], midGain[length], highGain[length];
    std::mt19937 rng (3);
    std::uniform_real_distribution<float> noise (-1.0f, 1.0f);
    for (int n = 0; n < length; ++n)
    {
        left[n] = noise (rng), right[n] = noise (rng);
        lowGain[n] = 1.0f, midGain[n] = 0.5f, highGain[n] = 0.25f;
    }

    bool up = false;
    for (auto _ : state)
    {
        for (int n = 0; n < length; n += block)
        {
            if (moving)
            {
                up = !up;
                split.setParams (3, up ? 300.0f : 250.0f);
                split.setParams (4, up ? 2500.0f : 2000.0f);
            }
            split.process (left + n, right + n, outLeft + n, outRight + n, lowGain + n, midGain + n, highGain + n,
                           block);
        }
        benchmark::DoNotOptimize (outLeft);
        benchmark::DoNotOptimize (outRight);
    }
    state.counters["per_stereo_sample"] =
        benchmark::Counter (static_cast<double> (state.iterations()) * length,
                            benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

static void BM_SplitterSteady (benchmark::State& state)
{
    splitterBench (state, false);
}
BENCHMARK (BM_SplitterSteady);

static void BM_SplitterMoving (benchmark::State& state)
{
    splitterBench (state, true);
}
BENCHMARK (BM_SplitterMoving);
