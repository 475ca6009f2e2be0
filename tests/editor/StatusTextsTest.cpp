// The editor's small texts: state captions, undo and redo tooltips, time captions and the preset
// name as the preset bar shows it.

#include "StatusTexts.h"
#include "PresetLists.h"

#include <gtest/gtest.h>

#include <numeric>

TEST (StatusTexts, StateCaptionsAndUndoTooltips)
{
    const struct
    {
        int connected, note;
        const char* expected;
    } cases[] = {
        { 1, 0, "C0" }, { 1, 60, "C5" }, { 1, 63, "D#5" }, { 1, 119, "B9" }, { 1, 120, "" },
        { 1, 127, "" }, { 1, -1, "" },   { 1, -12, "" },   { 0, 60, "--" },  { 2, 60, "--" },
    };
    for (const auto& c : cases)
        EXPECT_EQ (StatusTexts::stateCaption (c.connected, c.note), juce::String (c.expected)) << c.note;

    EXPECT_EQ (StatusTexts::undoTooltip (3), "Line Undo (3)");
    EXPECT_EQ (StatusTexts::redoTooltip (0), "Line Redo (0)");
}

TEST (StatusTexts, GridCaptionsNameTheQuartersOfEverySyncedLoop)
{
    // The thirteen synced loops in bars, and the captions at q/4 of each worked out as fractions:
    // reduced, except three quarters of a loop of 1/d bar, which reads 3/(4d).
    const int loops[13][2] = { { 4, 1 }, { 3, 1 }, { 2, 1 }, { 3, 2 }, { 1, 1 },  { 3, 4 }, { 1, 2 },
                               { 1, 3 }, { 1, 4 }, { 1, 6 }, { 1, 8 }, { 1, 12 }, { 1, 16 } };
    for (int k = 0; k <= 12; ++k)
    {
        const auto row = StatusTexts::gridCaptions (true, 4, 4, static_cast<float> (k) / 12.0f);
        ASSERT_NE (row, nullptr) << k;
        for (int q = 0; q <= 4; ++q)
        {
            int num = loops[k][0] * q, den = loops[k][1] * 4;
            juce::String expected;
            if (q == 3 && loops[k][0] == 1)
                expected = "3/" + juce::String (den);
            else
            {
                const int g = std::gcd (num, den);
                num /= g;
                den /= g;
                expected = den == 1 ? juce::String (num) : juce::String (num) + "/" + juce::String (den);
            }
            EXPECT_EQ (juce::String (row[q]), expected) << "k " << k << " q " << q;
        }
    }

    const auto texts = [] (StatusTexts::GridRow row)
    {
        juce::StringArray all;
        for (int i = 0; i < 5; ++i)
            all.add (row[i]);
        return all.joinIntoString (" ");
    };
    EXPECT_EQ (texts (StatusTexts::gridCaptions (true, 4, 4, 0.5f)), "0 1/8 1/4 3/8 1/2");
    EXPECT_EQ (texts (StatusTexts::gridCaptions (true, 4, 4, 7.0f / 12.0f)), "0 1/12 1/6 3/12 1/3");
    EXPECT_EQ (texts (StatusTexts::gridCaptions (true, 4, 4, 0.125f)), "0 1/2 1 3/2 2"); // 1.5: even row
    EXPECT_EQ (texts (StatusTexts::gridCaptions (false, 4, 4, 0.5f)), "    ");
    EXPECT_EQ (texts (StatusTexts::gridCaptions (true, 3, 4, 0.5f)), "    ");
    EXPECT_EQ (texts (StatusTexts::gridCaptions (true, 6, 8, 0.5f)), "    ");
    // Positions outside the rows leave the captions alone.
    EXPECT_EQ (StatusTexts::gridCaptions (true, 4, 4, 1.1f), nullptr);
    EXPECT_EQ (StatusTexts::gridCaptions (true, 4, 4, std::numeric_limits<float>::quiet_NaN()), nullptr);
}

TEST (PresetLists, DisplayNamesCountCharactersAndStayWithin32)
{
    const auto name = [] (int n, const char* letter = "abcdefghij")
    {
        juce::String s;
        for (int i = 0; i < n; ++i)
            s += juce::String::charToString (static_cast<juce::juce_wchar> (letter[i % 10]));
        return s;
    };
    const auto accented = [] (int n)
    {
        juce::String s;
        for (int i = 0; i < n; ++i)
            s += juce::String::charToString (0xE9); // two bytes in UTF-8
        return s;
    };

    const struct
    {
        juce::String shown;
        juce::String expected;
    } cases[] = {
        { PresetLists::displayName (name (4), false), name (4) },
        { PresetLists::displayName (name (4), true), name (4) + " *" },
        { PresetLists::displayName (name (29), false), name (29) },
        { PresetLists::displayName (name (29), true), name (29) + " *" },
        { PresetLists::displayName (name (30), false), name (30) },
        { PresetLists::displayName (name (30), true), name (26) + " ... *" },
        { PresetLists::displayName (name (31), false), name (31) },
        { PresetLists::displayName (name (31), true), name (26) + " ... *" },
        { PresetLists::displayName (name (32), false), name (28) + " ..." },
        { PresetLists::displayName (name (32), true), name (26) + " ... *" },
        { PresetLists::displayName (name (40), false), name (28) + " ..." },
        { PresetLists::displayName (name (40), true), name (26) + " ... *" },
        { PresetLists::displayName ({}, false), {} },
        { PresetLists::displayName ({}, true), " *" },
        { PresetLists::displayName (accented (31), false), accented (31) },
        { PresetLists::displayName (accented (31), true), accented (26) + " ... *" },
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ (c.shown, c.expected);
        EXPECT_LE (c.shown.length(), 32);
    }
}
