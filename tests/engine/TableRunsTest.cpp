#include "TableRuns.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <random>

namespace
{
// The runs found for one chunk against the position of every sample on its own.
template <typename Whole>
void expectRunsOfEverySample (double base, double step, double first, int length, const float* table)
{
    TableRuns runs;
    findRuns<Whole> (base, step, first, length, table, runs);
    int j = 0;
    for (int r = 0; r < runs.count; ++r)
    {
        ASSERT_GT (runs.end[r], j);
        for (; j < runs.end[r]; ++j)
        {
            const auto p = tablePosition<Whole> (base + (first + static_cast<double> (j)) * step);
            ASSERT_EQ (runs.value[r], table[p.index]) << "base " << base << " step " << step << " first "
                                                      << first << " length " << length << " sample " << j;
        }
    }
    ASSERT_EQ (j, length);
}
} // namespace

// Runs hold exactly the table entry each sample reads, wherever the line stands: the start of the
// timeline, a pre-roll crossing zero, around 2^31 (where the narrow form gives way) and far beyond,
// edges landing exactly on samples (a step of one entry per eight samples, the fastest that still
// goes by runs), lines crawling at 1 bpm, standing, running backward, chunks of 1 to 64 samples.
TEST (TableRuns, EveryRunHoldsTheEntryOfEachOfItsSamples)
{
    float table[TableRuns::tableSize];
    for (int k = 0; k < TableRuns::tableSize; ++k)
        table[k] = static_cast<float> (k); // every entry its own value

    std::mt19937_64 rng (11);
    std::uniform_real_distribution<double> unit (0.0, 1.0);
    const double fastest = 1.0 / (511.0 * 8.0);
    const std::function<double()> bases[] = {
        [&] { return unit (rng) * 10.0; },
        [&] { return -unit (rng) * 2.0; },
        [&] { return 2147483647.0 - unit (rng) * 0.01; },
        [&] { return std::floor (unit (rng) * 1.0e5) - 1.0e-12 * std::floor (unit (rng) * 1000.0); },
        [&] { return unit (rng) * 1.0e11; },
    };
    const std::function<double()> steps[] = {
        [&] { return unit (rng) * fastest; },  [&] { return fastest; },
        [&] { return unit (rng) * 1.0e-8; },   [&] { return 0.0; },
        [&] { return -unit (rng) * fastest; }, [&] { return 1.0e-3 + unit (rng); },
    };
    for (const auto& base : bases)
        for (const auto& step : steps)
            for (int draw = 0; draw < 1500; ++draw)
            {
                const double b = base(), s = step(), first = std::floor (unit (rng) * 2.0e5);
                const int length = 1 + static_cast<int> (rng() % TableRuns::capacity);
                if (std::abs (b) + (first + length) * std::abs (s) < 2147483647.0)
                    expectRunsOfEverySample<int32_t> (b, s, first, length, table);
                expectRunsOfEverySample<int64_t> (b, s, first, length, table);
                if (HasFatalFailure())
                    return;
            }
}
