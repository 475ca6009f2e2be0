#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

// Where a phase x falls in a line's table: the fraction of x and the index of that fraction,
// phase * 511 rounded to the nearest integer, halves to even. Whole is the integer type used to
// take the fraction: 32 bits serve while |x| < 2^31, beyond that 64 bits are used; both give the
// same result. The index of a sample depends only on its distance from the anchor, never on how
// the host cut the blocks.
struct TablePosition
{
    double whole;
    int32_t index;

    bool operator== (const TablePosition& other) const noexcept
    {
        return whole == other.whole && index == other.index;
    }
};

template <typename Whole>
inline TablePosition tablePosition (double x) noexcept
{
    double whole = static_cast<double> (static_cast<Whole> (x));
    whole -= static_cast<double> (whole > x); // toward minus infinity
    // x - whole lies in [0, 1] (exact for x >= 0; a negative x a hair below a whole number can
    // round up to 1), so the index lies in 0..511 and never falls as x rises. Adding and removing
    // 2^23 rounds to an integer in the default rounding mode.
    const float scaled = static_cast<float> (x - whole) * 511.0f;
    return { whole, static_cast<int32_t> ((scaled + 8388608.0f) - 8388608.0f) };
}

// A line's table values over a chunk of samples, as runs of one value: run r covers the samples
// from end[r - 1] (0 for the first) up to, not including, end[r].
struct TableRuns
{
    static constexpr int capacity = 64; // samples at most
    static constexpr int tableSize = 512;

    int count = 0;
    int end[capacity];
    float value[capacity];

    void add (int runEnd, float v) noexcept
    {
        if (count > 0 && value[count - 1] == v)
        {
            end[count - 1] = runEnd;
            return;
        }
        end[count] = runEnd;
        value[count] = v;
        ++count;
    }
};

// The runs of samples [0, length) whose phase is base + (first + j) * step. The position never
// goes back along the samples (the arithmetic is monotonic in j), so a run ends exactly where
// its last sample still has the run's position and the next one has the following position.
// For a line moving forward, every edge of the chunk is predicted from the step and then checked
// at those two samples (all independent of each other, so they overlap in the processor): about
// two positions per run instead of one per sample. Anything else, or a prediction that fails a
// check, is found by bisection.
template <typename Whole>
inline void findRuns (double base, double step, double first, int length, const float* table,
                      TableRuns& runs) noexcept
{
    const auto at = [&] (int j)
    { return tablePosition<Whole> (base + (first + static_cast<double> (j)) * step); };
    const auto valueOf = [table] (const TablePosition& p)
    { return table[p.index & (TableRuns::tableSize - 1)]; };

    runs.count = 0;
    if (std::abs (step) * 511.0 * 8.0 > 1.0)
    {
        // Faster than an index per eight samples: every sample on its own is cheaper.
        for (int j = 0; j < length; ++j)
            runs.add (j + 1, valueOf (at (j)));
        return;
    }

    const TablePosition atStart = at (0);
    if (length == 1 || step == 0.0)
    {
        runs.add (length, valueOf (atStart));
        return;
    }
    if (step > 0.0)
    {
        // Positions follow one another: the index rises by one, and after 511 the whole part does.
        TablePosition expected[TableRuns::capacity + 1];
        int edge[TableRuns::capacity + 1];
        int count = 0;
        expected[0] = atStart;
        const double inverse = 1.0 / step;
        for (int previous = 0;;)
        {
            const TablePosition& p = expected[count];
            const double phase =
                p.whole + std::min ((static_cast<double> (p.index) + 0.5) * (1.0 / 511.0), 1.0);
            const double sample = (phase - base) * inverse - first;
            if (!(sample < static_cast<double> (length)))
                break;
            // Only a guess, checked below; a tiny step can make it far out either way.
            int j = sample > 0.0 ? static_cast<int> (sample) : 0;
            j += static_cast<double> (j) < sample ? 1 : 0;
            j = std::max (j, previous + 1);
            if (j >= length)
                break;
            edge[count] = previous = j;
            expected[count + 1] =
                p.index == 511 ? TablePosition{ p.whole + 1.0, 0 } : TablePosition{ p.whole, p.index + 1 };
            ++count;
        }

        bool confirmed = at (length - 1) == expected[count];
        for (int k = 0; k < count; ++k)
        {
            // Not &&: every check runs, none waits on the result of another.
            const bool runEndsBefore = at (edge[k] - 1) == expected[k];
            const bool nextStartsAt = at (edge[k]) == expected[k + 1];
            confirmed &= runEndsBefore & nextStartsAt;
        }
        if (confirmed)
        {
            for (int k = 0; k < count; ++k)
                runs.add (edge[k], valueOf (expected[k]));
            runs.add (length, valueOf (expected[count]));
            return;
        }
    }

    int start = 0;
    TablePosition startPosition = atStart;
    while (start < length)
    {
        // The first sample past the run: at lo the position is startPosition's, at hi it is not.
        int lo = start, hi = length;
        TablePosition atHi = startPosition;
        if (at (length - 1) == startPosition)
            lo = length - 1;
        while (hi - lo > 1)
        {
            const int middle = lo + (hi - lo) / 2;
            const TablePosition p = at (middle);
            if (p == startPosition)
                lo = middle;
            else
            {
                hi = middle;
                atHi = p;
            }
        }
        runs.add (hi, valueOf (startPosition));
        start = hi;
        startPosition = atHi;
    }
}
