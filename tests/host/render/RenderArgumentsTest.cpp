#include "RenderArguments.h"
#include <gtest/gtest.h>

namespace
{
RenderArguments::Outcome parse (std::initializer_list<const char*> args)
{
    juce::StringArray array;
    for (auto* a : args)
        array.add (a);
    return RenderArguments::parse (array);
}
} // namespace

TEST (RenderArguments, OnlyOutputGivesTheDocumentedDefaults)
{
    const auto outcome = parse ({ "--out", "x.wav" });
    ASSERT_TRUE (outcome.ok) << outcome.error;
    const auto& s = outcome.settings;
    EXPECT_EQ (s.outputFile, juce::File::getCurrentWorkingDirectory().getChildFile ("x.wav"));
    EXPECT_FALSE (s.hasInputFile());
    EXPECT_FALSE (s.hasPresetFile());
    EXPECT_FALSE (s.hasMidiFile());
    EXPECT_EQ (s.bpm, 120.0);
    EXPECT_EQ (s.meterNumerator, 4);
    EXPECT_EQ (s.meterDenominator, 4);
    EXPECT_EQ (s.startPpq, 0.0);
    EXPECT_EQ (s.blockSize, 512);
    EXPECT_TRUE (s.playing);
    EXPECT_TRUE (s.parameterSettings.empty());
}

TEST (RenderArguments, EveryFlagReachesItsSetting)
{
    const auto outcome =
        parse ({ "--out",         "/tmp/o.wav", "--preset", "/tmp/p.kvp", "--rate",    "48000",
                 "--seconds",     "2.5",        "--bpm",    "93.5",       "--meter",   "6/8",
                 "--start-ppq",   "-3.25",      "--block",  "64",         "--stopped", "--set",
                 "LowLevel=0.75", "--set",      "State=3",  "--midi",     "/tmp/m.mid" });
    ASSERT_TRUE (outcome.ok) << outcome.error;
    const auto& s = outcome.settings;
    EXPECT_EQ (s.outputFile.getFullPathName(), "/tmp/o.wav");
    EXPECT_EQ (s.presetFile.getFullPathName(), "/tmp/p.kvp");
    EXPECT_EQ (s.midiFile.getFullPathName(), "/tmp/m.mid");
    EXPECT_EQ (s.sampleRate, 48000.0);
    EXPECT_EQ (s.seconds, 2.5);
    EXPECT_EQ (s.bpm, 93.5);
    EXPECT_EQ (s.meterNumerator, 6);
    EXPECT_EQ (s.meterDenominator, 8);
    EXPECT_EQ (s.startPpq, -3.25);
    EXPECT_EQ (s.blockSize, 64);
    EXPECT_FALSE (s.playing);
    ASSERT_EQ (s.parameterSettings.size(), 2u);
    EXPECT_EQ (s.parameterSettings[0].id, "LowLevel");
    EXPECT_EQ (s.parameterSettings[0].value, 0.75f);
    EXPECT_EQ (s.parameterSettings[1].id, "State");
    EXPECT_EQ (s.parameterSettings[1].value, 3.0f);
}

TEST (RenderArguments, InputFileIsTakenAndHelpIsRecognised)
{
    const auto outcome = parse ({ "--in", "/tmp/in.wav", "--out", "/tmp/out.wav" });
    ASSERT_TRUE (outcome.ok) << outcome.error;
    EXPECT_EQ (outcome.settings.inputFile.getFullPathName(), "/tmp/in.wav");

    for (auto* flag : { "--help", "-h" })
    {
        const auto help = parse ({ "--bpm", "nonsense", flag });
        EXPECT_FALSE (help.ok); // the bad value comes first and is reported
        EXPECT_TRUE (parse ({ flag }).helpRequested);
    }
    EXPECT_TRUE (RenderArguments::usage().contains ("--start-ppq Q"));
}

struct BadCase
{
    std::vector<const char*> args;
    const char* mentions;
};

class RenderArgumentsRejects : public ::testing::TestWithParam<BadCase>
{
};

TEST_P (RenderArgumentsRejects, WithAMessageNamingTheProblem)
{
    juce::StringArray array;
    for (auto* a : GetParam().args)
        array.add (a);
    const auto outcome = RenderArguments::parse (array);
    EXPECT_FALSE (outcome.ok);
    EXPECT_FALSE (outcome.helpRequested);
    EXPECT_TRUE (outcome.error.contains (GetParam().mentions)) << outcome.error.toStdString();
}

INSTANTIATE_TEST_SUITE_P (
    BadArguments, RenderArgumentsRejects,
    ::testing::Values (
        BadCase{ {}, "--out" }, BadCase{ { "--in", "a.wav" }, "--out" },
        BadCase{ { "--out", "o.wav", "--bogus" }, "--bogus" },
        BadCase{ { "--out", "o.wav", "stray" }, "stray" }, BadCase{ { "--out" }, "--out needs a value" },
        BadCase{ { "--in", "--out", "o.wav" }, "--in needs a value" },
        BadCase{ { "--out", "o.wav", "--block" }, "--block needs a value" },
        BadCase{ { "--out", "o.wav", "--bpm", "" }, "--bpm needs a value" },
        BadCase{ { "--out", "o.wav", "--rate", "0" }, "--rate" },
        BadCase{ { "--out", "o.wav", "--rate", "44.1k" }, "--rate" },
        BadCase{ { "--out", "o.wav", "--rate", "1e999" }, "--rate" },
        BadCase{ { "--out", "o.wav", "--seconds", "0" }, "--seconds" },
        BadCase{ { "--out", "o.wav", "--seconds", "-1" }, "--seconds" },
        BadCase{ { "--out", "o.wav", "--seconds", "nan" }, "--seconds" },
        BadCase{ { "--out", "o.wav", "--bpm", "0" }, "--bpm" },
        BadCase{ { "--out", "o.wav", "--bpm", "inf" }, "--bpm" },
        BadCase{ { "--out", "o.wav", "--bpm", "0.5" }, "--bpm must be a tempo from 1 to 999" },
        BadCase{ { "--out", "o.wav", "--bpm", "1e-300" }, "--bpm" },
        BadCase{ { "--out", "o.wav", "--meter", "4" }, "--meter" },
        BadCase{ { "--out", "o.wav", "--meter", "0/4" }, "--meter" },
        BadCase{ { "--out", "o.wav", "--meter", "4/0" }, "--meter" },
        BadCase{ { "--out", "o.wav", "--meter", "4/3" }, "--meter" },
        BadCase{ { "--out", "o.wav", "--meter", "4/4/4" }, "--meter" },
        BadCase{ { "--out", "o.wav", "--start-ppq", "x" }, "--start-ppq" },
        BadCase{ { "--out", "o.wav", "--start-ppq", "nan" }, "--start-ppq" },
        BadCase{ { "--out", "o.wav", "--block", "0" }, "--block" },
        BadCase{ { "--out", "o.wav", "--block", "1.5" }, "--block" },
        BadCase{ { "--out", "o.wav", "--block", "70000" }, "--block" },
        BadCase{ { "--out", "o.wav", "--set", "LowLevel" }, "--set" },
        BadCase{ { "--out", "o.wav", "--set", "=1" }, "--set" },
        BadCase{ { "--out", "o.wav", "--set", "LowLevel=loud" }, "--set" },
        BadCase{ { "--out", "o.wav", "--set", "LowLevel=1e39" }, "--set" }, // beyond any float
        BadCase{ { "--out", "o.wav", "--bpm", "100", "--bpm", "120" }, "given twice" },
        BadCase{ { "--out", "o.wav", "--stopped", "--stopped" }, "given twice" },
        BadCase{ { "--out", "o.wav", "--in", "i.wav", "--rate", "48000" }, "built-in input only" },
        BadCase{ { "--out", "o.wav", "--in", "i.wav", "--seconds", "3" }, "built-in input only" },
        BadCase{ { "--out", "same.wav", "--in", "same.wav" }, "must not be the --in file" },
        BadCase{ { "--out", "same.kvp", "--preset", "same.kvp" }, "must not be the --preset file" },
        BadCase{ { "--out", "same.mid", "--midi", "./same.mid" }, "must not be the --midi file" }));
