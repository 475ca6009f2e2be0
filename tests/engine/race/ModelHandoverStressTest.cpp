// The hand-over between its two threads at full speed, for as long as KALVO_SOAK_SECONDS says
// (0.5 s when unset): the message side publishes whole copies numbered 1, 2, 3..., every value
// of copy n being n; the audio side takes copies and checks that each is whole, stays unchanged
// while it holds it, and is never older than one it held before. scripts/test runs it longer
// under ThreadSanitizer, which also reports any access of both sides to one copy.

#include "ModelHandover.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <thread>

namespace
{
using Model = ModelHandover::Model;

void fill (Model& m, int n)
{
    const auto value = static_cast<float> (n);
    for (auto& line : m.table)
        for (auto& state : line)
            std::fill (std::begin (state), std::end (state), value);
    for (auto* field : { &m.length, &m.glide, &m.mix })
        for (auto& line : *field)
            std::fill (std::begin (line), std::end (line), value);
    for (auto& line : m.sync)
        std::fill (std::begin (line), std::end (line), n % 2 == 1);
    std::fill (std::begin (m.lowMidSplit), std::end (m.lowMidSplit), value);
    std::fill (std::begin (m.midHighSplit), std::end (m.midHighSplit), value);
}

// Whether every value of m belongs to copy n.
bool whole (const Model& m, int n)
{
    const auto value = static_cast<float> (n);
    const auto is = [value] (const auto& row)
    { return std::all_of (std::begin (row), std::end (row), [value] (float v) { return v == value; }); };
    for (const auto& line : m.table)
        for (const auto& state : line)
            if (!is (state))
                return false;
    for (const auto* field : { &m.length, &m.glide, &m.mix })
        for (const auto& line : *field)
            if (!is (line))
                return false;
    for (const auto& line : m.sync)
        if (std::any_of (std::begin (line), std::end (line), [n] (bool s) { return s != (n % 2 == 1); }))
            return false;
    return is (m.lowMidSplit) && is (m.midHighSplit);
}

std::chrono::duration<double> stressSeconds()
{
    const auto* text = std::getenv ("KALVO_SOAK_SECONDS");
    const double seconds = text != nullptr ? std::atof (text) : 0.0;
    return std::chrono::duration<double> (seconds > 0.0 ? seconds : 0.5);
}
} // namespace

TEST (ModelHandoverStress, EveryCopyTakenIsWholeUnchangedAndNeverOlder)
{
    auto handover = std::make_unique<ModelHandover>();
    std::atomic<bool> stop{ false };
    std::atomic<int> published{ 0 };
    std::thread writer (
        [&]
        {
            for (int n = 1; !stop; ++n)
            {
                fill (handover->toFill(), n);
                handover->publish();
                published = n;
            }
        });

    int last = 0, distinct = 0, broken = 0;
    const auto end = std::chrono::steady_clock::now() + stressSeconds();
    while (std::chrono::steady_clock::now() < end && broken == 0)
    {
        const auto& m = handover->take();
        const int n = static_cast<int> (m.length[0][0]);
        if (n < last || !whole (m, n))
            ++broken;
        // Held while the writer goes on: still the same copy, all of it.
        std::this_thread::yield();
        if (&handover->taken() != &m || !whole (m, n))
            ++broken;
        distinct += n != last ? 1 : 0;
        last = n;
    }
    stop = true;
    writer.join();

    EXPECT_EQ (broken, 0) << "copy " << last << " of " << published.load() << " published";
    EXPECT_GT (distinct, 1);
}
