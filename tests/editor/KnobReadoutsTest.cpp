#include "KnobReadouts.h"

#include <gtest/gtest.h>

TEST (KnobReadouts, EveryReadoutFormatsItsValue)
{
    struct Case
    {
        juce::String actual;
        const char* expected;
    };
    const Case cases[] = {
        // Synced lengths name the cycle in bars; free ones are a percentage, halves to even.
        { KnobReadouts::length (0.0f, true), "4" },
        { KnobReadouts::length (0.5f, true), "1/2" },
        { KnobReadouts::length (1.0f, true), "1/16" },
        { KnobReadouts::length (0.125f, true), "2" }, // 1.5 rounds to the even row
        { KnobReadouts::length (1.1f, true), "" },
        { KnobReadouts::length (-0.5f / 12.0f, true), "4" }, // the rows' outer halves round inward
        { KnobReadouts::length (12.5f / 12.0f, true), "1/16" },
        { KnobReadouts::length (-0.51f / 12.0f, true), "" },
        { KnobReadouts::length (0.5f, false), "50" },
        { KnobReadouts::length (0.625f, false), "62" },
        { KnobReadouts::length (0.63f, false), "63" },
        { KnobReadouts::glide (10.2f), "10" },
        { KnobReadouts::glide (0.2f), "0" },
        { KnobReadouts::glide (500.0f), "500" },
        { KnobReadouts::mix (1.0f), "100" },
        { KnobReadouts::mix (0.0f), "0" },
        { KnobReadouts::masterMix (0.5f), "Master Mix: %50" },
        { KnobReadouts::masterMix (1.0f), "Master Mix: %100" },
        { KnobReadouts::level (0.0f), "-inf" },
        { KnobReadouts::level (0.25f), "-7.5" },
        { KnobReadouts::level (0.5f), "0.0" },
        { KnobReadouts::level (0.75f), "5.3" },
        { KnobReadouts::level (1.0f), "10.0" },
        { KnobReadouts::split (0.0f), "30Hz" },
        { KnobReadouts::split (0.242f), "250Hz" },
        { KnobReadouts::split (0.5f), "700Hz" },
        { KnobReadouts::split (0.7627f), "2000Hz" },
        { KnobReadouts::split (1.0f), "16000Hz" },
        { KnobReadouts::split (0.9999f), "15963Hz" }, // 15963.6 Hz: cut, not rounded
    };
    for (const auto& c : cases)
        EXPECT_EQ (c.actual, juce::String (c.expected));

    // Every synced row, from the thirteen cycle lengths in bars.
    const char* const bars[] = { "4",   "3",   "2",   "1.5", "1",    "3/4", "1/2",
                                 "1/3", "1/4", "1/6", "1/8", "1/12", "1/16" };
    for (int k = 0; k <= 12; ++k)
        EXPECT_EQ (KnobReadouts::length (static_cast<float> (k) / 12.0f, true), juce::String (bars[k])) << k;
}
