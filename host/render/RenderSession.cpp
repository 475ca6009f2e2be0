#include "RenderSession.h"
#include "DemoSignal.h"
#include "MidiTimeline.h"
#include "OfflinePlayHead.h"
#include "OfflineRenderer.h"
#include "RegularFileInput.h"
#include "WholeWriteFileStream.h"
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <sys/stat.h>

namespace
{
juce::RangedAudioParameter* findParameter (juce::AudioProcessor& processor, const juce::String& id)
{
    for (auto* parameter : processor.getParameters())
        if (auto* ranged = dynamic_cast<juce::RangedAudioParameter*> (parameter))
            if (ranged->getParameterID() == id)
                return ranged;
    return nullptr;
}

// Reads happen only from regular files: a named pipe or a device would block or never end.
juce::Result checkReadable (const juce::File& file, const juce::String& what)
{
    if (auto result = RegularFileInput::check (file, std::numeric_limits<juce::int64>::max());
        result.failed())
        return juce::Result::fail (what + " " + result.getErrorMessage());
    return juce::Result::ok();
}

// The sample formats JUCE's WAV reader decodes; it leaves the buffer unwritten for any other.
bool isDecodableWav (const juce::AudioFormatReader& reader)
{
    const auto bits = reader.bitsPerSample;
    return reader.usesFloatingPointData ? bits == 32 : (bits == 8 || bits == 16 || bits == 24 || bits == 32);
}

juce::String parameterIds (juce::AudioProcessor& processor)
{
    juce::StringArray ids;
    for (auto* parameter : processor.getParameters())
        if (auto* ranged = dynamic_cast<juce::RangedAudioParameter*> (parameter))
            ids.add (ranged->getParameterID());
    return ids.joinIntoString (", ");
}
} // namespace

juce::Result RenderSession::applyParameterSettings (juce::AudioProcessor& processor,
                                                    const std::vector<ParameterSetting>& settings)
{
    for (const auto& setting : settings)
    {
        auto* parameter = findParameter (processor, setting.id);
        if (parameter == nullptr)
            return juce::Result::fail ("unknown parameter '" + setting.id + "'; the parameters are " +
                                       parameterIds (processor));

        const auto& range = parameter->getNormalisableRange();
        if (setting.value < range.start || setting.value > range.end)
            return juce::Result::fail ("--set " + setting.id + "=" + juce::String (setting.value) +
                                       " is outside " + setting.id + "'s range " +
                                       juce::String (range.start) + " to " + juce::String (range.end));

        parameter->setValueNotifyingHost (parameter->convertTo0to1 (setting.value));
    }
    return juce::Result::ok();
}

juce::Result RenderSession::checkSpaceFor (juce::int64 numFrames, const juce::File& outputFile)
{
    // Stereo 32-bit float, and room for the header. A volume that cannot tell its free space
    // (0) is left to the writer, which reports a failed write.
    const auto needed = static_cast<double> (numFrames) * 8.0 + 4096.0;
    const auto available = static_cast<double> (outputFile.getParentDirectory().getBytesFreeOnVolume());
    if (available > 0.0 && needed > available)
        return juce::Result::fail (
            "cannot write " + outputFile.getFullPathName() + ": the output needs " +
            juce::File::descriptionOfSizeInBytes (static_cast<juce::int64> (std::min (needed, 9.0e18))) +
            " but only " + juce::File::descriptionOfSizeInBytes (static_cast<juce::int64> (available)) +
            " are free there");
    return juce::Result::ok();
}

double RenderSession::Summary::getRealtimeFactor() const
{
    return processingSeconds > 0.0 ? getSeconds() / processingSeconds : 0.0;
}

juce::String RenderSession::Summary::describe() const
{
    const auto peakDb = juce::Decibels::gainToDecibels (peak, -200.0f);
    return "kalvo-render: wrote " + outputFile.getFullPathName() + ": " + juce::String (getSeconds(), 3) +
           " s (" + juce::String (numSamples) + " frames, " + juce::String (std::llround (sampleRate)) +
           " Hz, stereo, 32-bit float), peak " +
           (peak > 0.0f ? juce::String (peakDb, 2) + " dBFS" : juce::String ("-inf dBFS (silent)")) + ", " +
           juce::String (blockSize) + "-sample blocks, " + juce::String (std::llround (getRealtimeFactor())) +
           "x realtime";
}

juce::Result RenderSession::run (const RenderSettings& settings, juce::AudioProcessor& processor,
                                 const PresetLoader& loadPreset, Summary& summary,
                                 const std::atomic<int>* stopSignal)
{
    // Input: a WAV file, or the demo signal.
    juce::AudioFormatManager formats;
    formats.registerFormat (new juce::WavAudioFormat(), true);
    std::unique_ptr<juce::AudioFormatReader> reader;
    auto sampleRate = settings.sampleRate;
    auto numSamples = static_cast<juce::int64> (std::llround (settings.seconds * settings.sampleRate));

    if (settings.hasInputFile())
    {
        const auto& file = settings.inputFile;
        auto input = std::make_unique<RegularFileInput> (file);
        if (!input->openedOk())
            return juce::Result::fail ("input file " + input->getStatus().getErrorMessage());
        const auto fileSize = input->getTotalLength();

        reader.reset (formats.createReaderFor (std::move (input)));
        if (reader == nullptr)
            return juce::Result::fail ("cannot read " + file.getFullPathName() +
                                       ": not a WAV file that can be decoded");
        if (!isDecodableWav (*reader))
            return juce::Result::fail (file.getFullPathName() + " holds " +
                                       juce::String (reader->bitsPerSample) + "-bit " +
                                       (reader->usesFloatingPointData ? "floating-point" : "integer") +
                                       " samples; kalvo-render reads 8, 16, 24 and 32-bit integer and 32-bit "
                                       "floating-point WAV files");
        if (reader->numChannels < 1 || reader->numChannels > 2)
            return juce::Result::fail (file.getFullPathName() + " has " + juce::String (reader->numChannels) +
                                       " channels; kalvo-render reads mono or stereo files");
        if (reader->sampleRate < 8000.0 || reader->sampleRate > 384000.0)
            return juce::Result::fail (file.getFullPathName() + " has an unusable sample rate of " +
                                       juce::String (reader->sampleRate) + " Hz");
        if (reader->lengthInSamples <= 0)
            return juce::Result::fail (file.getFullPathName() + " holds no audio");

        // The length comes from the header alone; a damaged or hostile one could announce far
        // more frames than the file has, which would be rendered as silence without end.
        const auto bits = static_cast<juce::int64> (reader->bitsPerSample);
        const auto bytesPerFrame =
            std::max<juce::int64> (1, bits >= 8 && bits <= 64 ? reader->numChannels * bits / 8 : 1);
        const auto framesInFile = fileSize / bytesPerFrame;
        if (reader->lengthInSamples > framesInFile)
            return juce::Result::fail (file.getFullPathName() +
                                       " is cut short or damaged: its header announces " +
                                       juce::String (reader->lengthInSamples) +
                                       " frames, but the file holds at most " + juce::String (framesInFile));

        sampleRate = reader->sampleRate;
        numSamples = reader->lengthInSamples;
    }

    if (numSamples < 1)
        return juce::Result::fail ("--seconds " + juce::String (settings.seconds) +
                                   " is shorter than one sample at " + juce::String (sampleRate) + " Hz");

    MidiTimeline midi;
    if (settings.hasMidiFile())
    {
        if (auto result = checkReadable (settings.midiFile, "MIDI file"); result.failed())
            return result;
        if (auto result = midi.loadFile (settings.midiFile); result.failed())
            return result;
    }

    if (settings.hasPresetFile())
    {
        if (auto result = checkReadable (settings.presetFile, "preset file"); result.failed())
            return result;
        if (auto result = loadPreset (processor, settings.presetFile); result.failed())
            return result;
    }

    if (auto result = applyParameterSettings (processor, settings.parameterSettings); result.failed())
        return result;

    // Output: written to a temporary file beside the target, which replaces the target only once
    // the whole render has succeeded.
    const auto& outFile = settings.outputFile;
    if (!outFile.getParentDirectory().isDirectory())
        return juce::Result::fail ("cannot write " + outFile.getFullPathName() +
                                   ": the folder does not exist");
    // The finished file is renamed over the target: a device or a pipe there would be replaced
    // by a plain file (as root, /dev/null itself). The kind comes from stat itself, as
    // juce::File::isDirectory takes a socket for a folder.
    if (struct stat info = {};
        stat (outFile.getFullPathName().toRawUTF8(), &info) == 0 && !S_ISREG (info.st_mode))
        return juce::Result::fail ("cannot write " + outFile.getFullPathName() +
                                   (S_ISDIR (info.st_mode)
                                        ? juce::String (": it is a folder")
                                        : ": it is not a regular file (a pipe, a device or a socket); "
                                          "kalvo-render writes regular files only"));

    if (auto result = checkSpaceFor (numSamples, outFile); result.failed())
        return result;
    // What a failure from here on says of the target, which only a finished render replaces.
    const auto targetKept = outFile.existsAsFile() ? outFile.getFullPathName() + " was left as it was"
                                                   : "nothing was written to " + outFile.getFullPathName();

    juce::TemporaryFile temporary (outFile);
    std::unique_ptr<juce::AudioFormatWriter> writer;
    WholeWriteFileStream* output = nullptr; // owned by the writer
    juce::int64 headerBytes = 0;
    {
        auto stream = std::make_unique<WholeWriteFileStream> (temporary.getFile());
        if (!stream->openedOk())
            return juce::Result::fail ("cannot write " + outFile.getFullPathName() + ": " +
                                       stream->getStatus().getErrorMessage());
        writer.reset (juce::WavAudioFormat().createWriterFor (stream.get(), sampleRate, 2, 32, {}, 0));
        if (writer == nullptr)
            return juce::Result::fail ("cannot write a WAV file at " + juce::String (sampleRate) + " Hz");
        headerBytes = stream->getPosition();
        output = stream.release();
    }

    OfflinePlayHead playHead (sampleRate, settings.bpm, settings.meterNumerator, settings.meterDenominator,
                              settings.startPpq, settings.playing);
    OfflineRenderer renderer (processor, playHead, midi, sampleRate, settings.blockSize);
    if (auto result = renderer.prepare(); result.failed())
        return result;

    const DemoSignal demo (sampleRate);
    const auto source = [&] (juce::AudioBuffer<float>& buffer, juce::int64 first, int n)
    {
        if (stopSignal != nullptr && stopSignal->load() != 0)
            return juce::Result::fail ("interrupted by " + juce::String (strsignal (stopSignal->load())) +
                                       "; " + targetKept);
        if (reader == nullptr)
        {
            demo.render (buffer, first, n);
            return juce::Result::ok();
        }
        if (!reader->read (&buffer, 0, n, first, true, true))
            return juce::Result::fail ("reading " + settings.inputFile.getFullPathName() + " failed");
        if (reader->numChannels == 1)
            buffer.copyFrom (1, 0, buffer, 0, 0, n);
        return juce::Result::ok();
    };
    // A write that fails, during the render or at its end, says why (a full disk, a size limit),
    // how far it came and that the target was kept.
    const auto expectedBytes = headerBytes + numSamples * 8; // stereo 32-bit float
    const auto writeFailed = [&] (const juce::Result& status)
    {
        return juce::Result::fail ("writing " + outFile.getFullPathName() + " failed" +
                                   (status.failed() ? ": " + status.getErrorMessage() : juce::String()) +
                                   " (" + juce::String (temporary.getFile().getSize()) + " of " +
                                   juce::String (expectedBytes) + " bytes written); " + targetKept);
    };
    const auto sink = [&] (const juce::AudioBuffer<float>& buffer, int n)
    {
        return writer->writeFromAudioSampleBuffer (buffer, 0, n) ? juce::Result::ok()
                                                                 : writeFailed (output->getStatus());
    };

    const auto rendered = renderer.render (numSamples, source, sink);
    renderer.release();
    if (rendered.failed())
        return rendered;

    // The last of the data and the final header reach the file only here: the stream's status
    // after the flush and the finished file's size tell whether all of it did.
    const auto headerWritten = writer->flush();
    output->flush();
    const auto streamStatus = output->getStatus();
    writer.reset(); // closes the file
    if (!headerWritten || streamStatus.failed() || temporary.getFile().getSize() != expectedBytes)
        return writeFailed (streamStatus);

    const auto& stats = renderer.getStats();
    if (stats.numNonFinite > 0)
        return juce::Result::fail ("the output holds non-finite samples (" +
                                   juce::String (stats.numNonFinite) + "); " + targetKept);
    if (!temporary.overwriteTargetFileWithTemporary())
        return juce::Result::fail ("cannot replace " + outFile.getFullPathName());

    summary.outputFile = outFile;
    summary.sampleRate = sampleRate;
    summary.numSamples = stats.numSamples;
    summary.peak = stats.peak;
    summary.numNonFinite = stats.numNonFinite;
    summary.processingSeconds = stats.processingSeconds;
    summary.blockSize = settings.blockSize;
    summary.midiEventsDelivered = midi.getNumDelivered();
    summary.midiEventsNotDelivered = midi.getNumNotDelivered();
    return juce::Result::ok();
}
