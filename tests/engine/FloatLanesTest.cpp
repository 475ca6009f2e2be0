#include "FloatLanes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <random>
#include <vector>

#if defined(__SSE2__)
namespace
{
using Values = std::vector<float>; // the four lanes, or what an operation wrote

template <typename Lanes>
Values lanesOf (Lanes x)
{
    return { x.lane (0), x.lane (1), x.lane (2), x.lane (3) };
}

// Every operation of the lane type on the inputs a, b (four floats each), its results flattened.
template <typename Lanes>
std::vector<Values> everyOperation (const float* a, const float* b)
{
    const Lanes x = Lanes::load (a), y = Lanes::load (b), mask = Lanes::greater (x, y);
    std::vector<Values> r = { lanesOf (x + y),
                              lanesOf (x - y),
                              lanesOf (x * y),
                              lanesOf (x.abs()),
                              lanesOf (mask),
                              lanesOf (Lanes::notGreater (x, y)),
                              lanesOf (Lanes::keep (mask, y)),
                              lanesOf (Lanes::select (mask, x, y)),
                              { static_cast<float> (Lanes::bits (mask)) },
                              lanesOf (Lanes::splat (a[2])),
                              lanesOf (Lanes::splatFrom (b + 3)),
                              lanesOf (Lanes::of (a[0], b[1])),
                              lanesOf (Lanes::of (a[0], b[1], a[2], b[3])),
                              lanesOf (Lanes::pairFrom (a + 3, b + 1)),
                              lanesOf (Lanes::loadPair (b + 2)) };
    Lanes c = x, d = y, e = x * y, f = x - y;
    Lanes::transpose (c, d, e, f);
    for (auto row : { c, d, e, f })
        r.push_back (lanesOf (row));
    Lanes low, high;
    Lanes::interleave (x, y, low, high);
    r.push_back (lanesOf (low));
    r.push_back (lanesOf (high));
    Values stored (6, 7.0f);
    x.store (stored.data() + 1);
    y.storePair (&stored[0], &stored[5]);
    r.push_back (stored);
    return r;
}
} // namespace

// The four-float lanes of targets without SSE2 compute bit for bit what the SSE2 lanes compute,
// NaN, infinities, signed zeros and subnormal values included.
TEST (FloatLanes, ScalarLanesMatchTheSse2LanesBitForBit)
{
    const float specials[] = { std::numeric_limits<float>::quiet_NaN(),
                               std::numeric_limits<float>::infinity(),
                               -std::numeric_limits<float>::infinity(),
                               0.0f,
                               -0.0f,
                               std::numeric_limits<float>::denorm_min(),
                               -1.0e-40f,
                               3.0e38f,
                               1.0f,
                               -0.5f };
    std::mt19937 rng (3);
    std::uniform_real_distribution<float> any (-4.0f, 4.0f);
    std::uniform_int_distribution<int> special (0, 2 * static_cast<int> (std::size (specials)));
    for (int round = 0; round < 2000; ++round)
    {
        float a[4], b[4];
        for (float* v : { a, b })
            for (int i = 0; i < 4; ++i)
            {
                const int k = special (rng);
                v[i] = k < static_cast<int> (std::size (specials)) ? specials[k] : any (rng);
            }
        const auto expected = everyOperation<Sse2FloatLanes> (a, b),
                   actual = everyOperation<ScalarFloatLanes> (a, b);
        ASSERT_EQ (expected.size(), actual.size());
        for (size_t op = 0; op < expected.size(); ++op)
        {
            ASSERT_EQ (expected[op].size(), actual[op].size());
            ASSERT_EQ (
                std::memcmp (expected[op].data(), actual[op].data(), expected[op].size() * sizeof (float)), 0)
                << "operation " << op << ", round " << round;
        }
    }
}
#endif
