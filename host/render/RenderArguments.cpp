#include "RenderArguments.h"
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <sys/stat.h>
#include <utility>

namespace
{
juce::File fileFromArgument (const juce::String& path)
{
    return juce::File::getCurrentWorkingDirectory().getChildFile (path);
}

bool isPowerOfTwo (int value)
{
    return value > 0 && (value & (value - 1)) == 0;
}

// The same path, or two names (links) of one existing file.
bool sameFile (const juce::File& a, const juce::File& b)
{
    if (a == b)
        return true;
    struct stat sa = {};
    struct stat sb = {};
    return stat (a.getFullPathName().toRawUTF8(), &sa) == 0 &&
           stat (b.getFullPathName().toRawUTF8(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}
} // namespace

bool RenderArguments::parseNumber (const juce::String& text, double& value)
{
    const auto trimmed = text.trim();
    if (trimmed.isEmpty())
        return false;

    const auto utf8 = trimmed.toStdString();
    char* end = nullptr;
    errno = 0;
    const auto parsed = std::strtod (utf8.c_str(), &end);
    if (end != utf8.c_str() + utf8.size() || errno == ERANGE || !std::isfinite (parsed))
        return false;

    value = parsed;
    return true;
}

bool RenderArguments::parseInteger (const juce::String& text, int& value)
{
    double parsed = 0.0;
    if (!parseNumber (text, parsed) || parsed != std::floor (parsed) || std::abs (parsed) > 1.0e9)
        return false;

    value = static_cast<int> (parsed);
    return true;
}

RenderArguments::Outcome RenderArguments::parse (const juce::StringArray& arguments)
{
    Outcome outcome;
    auto& settings = outcome.settings;
    juce::StringArray seen;
    bool rateGiven = false, secondsGiven = false;

    const auto fail = [&outcome] (const juce::String& message)
    {
        outcome.ok = false;
        outcome.error = message;
        return outcome;
    };

    for (int i = 0; i < arguments.size(); ++i)
    {
        const auto& flag = arguments[i];

        if (flag == "--help" || flag == "-h")
        {
            outcome.ok = true;
            outcome.helpRequested = true;
            return outcome;
        }

        if (flag == "--stopped")
        {
            if (seen.contains (flag))
                return fail ("--stopped given twice");
            seen.add (flag);
            settings.playing = false;
            continue;
        }

        static const juce::StringArray valueFlags{ "--in",      "--out", "--preset", "--rate",
                                                   "--seconds", "--bpm", "--meter",  "--start-ppq",
                                                   "--block",   "--set", "--midi" };
        if (!valueFlags.contains (flag))
            return fail ("unknown argument '" + flag + "'");

        if (i + 1 >= arguments.size() || arguments[i + 1].isEmpty() ||
            valueFlags.contains (arguments[i + 1]) || arguments[i + 1] == "--stopped" ||
            arguments[i + 1] == "--help")
            return fail (flag + " needs a value");

        const auto value = arguments[++i];

        if (flag != "--set")
        {
            if (seen.contains (flag))
                return fail (flag + " given twice");
            seen.add (flag);
        }

        if (flag == "--in")
            settings.inputFile = fileFromArgument (value);
        else if (flag == "--out")
            settings.outputFile = fileFromArgument (value);
        else if (flag == "--preset")
            settings.presetFile = fileFromArgument (value);
        else if (flag == "--midi")
            settings.midiFile = fileFromArgument (value);
        else if (flag == "--rate")
        {
            if (!parseNumber (value, settings.sampleRate) || settings.sampleRate < 8000.0 ||
                settings.sampleRate > 384000.0)
                return fail ("--rate must be a sample rate in Hz from 8000 to 384000, not '" + value + "'");
            rateGiven = true;
        }
        else if (flag == "--seconds")
        {
            if (!parseNumber (value, settings.seconds) || settings.seconds <= 0.0 ||
                settings.seconds > 86400.0)
                return fail ("--seconds must be a length above 0 and at most 86400, not '" + value + "'");
            secondsGiven = true;
        }
        else if (flag == "--bpm")
        {
            // Below one beat a minute the samples per quarter note outgrow what a position can count.
            if (!parseNumber (value, settings.bpm) || settings.bpm < 1.0 || settings.bpm > 999.0)
                return fail ("--bpm must be a tempo from 1 to 999, not '" + value + "'");
        }
        else if (flag == "--meter")
        {
            const auto numerator = value.upToFirstOccurrenceOf ("/", false, false);
            const auto denominator = value.fromFirstOccurrenceOf ("/", false, false);
            if (!value.containsChar ('/') || !parseInteger (numerator, settings.meterNumerator) ||
                !parseInteger (denominator, settings.meterDenominator) || settings.meterNumerator < 1 ||
                settings.meterNumerator > 64 || !isPowerOfTwo (settings.meterDenominator) ||
                settings.meterDenominator > 64)
                return fail ("--meter must be N/D with N from 1 to 64 and D a power of two up to 64, not '" +
                             value + "'");
        }
        else if (flag == "--start-ppq")
        {
            if (!parseNumber (value, settings.startPpq) || std::abs (settings.startPpq) > 1.0e9)
                return fail ("--start-ppq must be a position in quarter notes, not '" + value + "'");
        }
        else if (flag == "--block")
        {
            if (!parseInteger (value, settings.blockSize) || settings.blockSize < 1 ||
                settings.blockSize > 65536)
                return fail ("--block must be a whole number of samples from 1 to 65536, not '" + value +
                             "'");
        }
        else if (flag == "--set")
        {
            ParameterSetting setting;
            setting.id = value.upToFirstOccurrenceOf ("=", false, false).trim();
            double number = 0.0;
            if (!value.containsChar ('=') || setting.id.isEmpty() ||
                !parseNumber (value.fromFirstOccurrenceOf ("=", false, false), number) ||
                std::abs (number) > static_cast<double> (std::numeric_limits<float>::max()))
                return fail ("--set needs ID=VALUE with a number as the value, not '" + value + "'");
            setting.value = static_cast<float> (number);
            settings.parameterSettings.push_back (setting);
        }
    }

    if (settings.outputFile == juce::File())
        return fail ("--out FILE is required");

    if (settings.hasInputFile() && (rateGiven || secondsGiven))
        return fail (juce::String (rateGiven ? "--rate" : "--seconds") +
                     " applies to the built-in input only; an --in file brings its own rate and length");

    // The output replaces its target at the end; it must never be one of the files read.
    const std::pair<const juce::File*, const char*> readFiles[] = { { &settings.inputFile, "--in" },
                                                                    { &settings.presetFile, "--preset" },
                                                                    { &settings.midiFile, "--midi" } };
    for (const auto& [file, flag] : readFiles)
        if (*file != juce::File() && sameFile (*file, settings.outputFile))
            return fail (juce::String ("--out must not be the ") + flag + " file");

    outcome.ok = true;
    return outcome;
}

juce::String RenderArguments::usage()
{
    return "Usage: kalvo-render --out FILE.wav [options]\n"
           "Puts audio through KalvoPro offline, block by block as a host would, and writes a\n"
           "32-bit float WAV file.\n"
           "\n"
           "  --in FILE          input WAV file (mono or stereo); without it a built-in demo signal\n"
           "  --out FILE         output WAV file (required)\n"
           "  --preset FILE.kvp  preset to load before rendering\n"
           "  --rate HZ          sample rate of the built-in input (default 44100)\n"
           "  --seconds S        length of the built-in input (default 8)\n"
           "  --bpm B            host tempo, 1 to 999 (default 120)\n"
           "  --meter N/D        host time signature (default 4/4)\n"
           "  --start-ppq Q      host position of the first sample, in quarter notes (default 0)\n"
           "  --block N          block size in samples (default 512)\n"
           "  --stopped          host transport stopped (default playing)\n"
           "  --set ID=VALUE     set a parameter to a plain value; repeatable\n"
           "  --midi FILE.mid    standard MIDI file; events play where the host position reaches them\n"
           "  --help             this text\n";
}
