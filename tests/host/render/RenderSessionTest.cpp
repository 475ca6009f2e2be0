#include "RenderSession.h"
#include "RecordingProcessor.h"
#include "WholeWriteFileStream.h"
#include <algorithm>
#include <atomic>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace
{
struct WavContents
{
    double sampleRate = 0.0;
    int numChannels = 0;
    unsigned int bitsPerSample = 0;
    bool floatingPoint = false;
    juce::AudioBuffer<float> audio;
};

bool readWav (const juce::File& file, WavContents& contents)
{
    std::unique_ptr<juce::AudioFormatReader> reader (
        juce::WavAudioFormat().createReaderFor (new juce::FileInputStream (file), true));
    if (reader == nullptr)
        return false;
    contents.sampleRate = reader->sampleRate;
    contents.numChannels = static_cast<int> (reader->numChannels);
    contents.bitsPerSample = reader->bitsPerSample;
    contents.floatingPoint = reader->usesFloatingPointData;
    contents.audio.setSize (contents.numChannels, static_cast<int> (reader->lengthInSamples));
    return reader->read (&contents.audio, 0, contents.audio.getNumSamples(), 0, true, true);
}

void writeWav (const juce::File& file, const juce::AudioBuffer<float>& audio, double rate, int bits)
{
    auto stream = std::make_unique<juce::FileOutputStream> (file);
    std::unique_ptr<juce::AudioFormatWriter> writer (juce::WavAudioFormat().createWriterFor (
        stream.get(), rate, static_cast<unsigned int> (audio.getNumChannels()), bits, {}, 0));
    ASSERT_NE (writer, nullptr);
    stream.release();
    ASSERT_TRUE (writer->writeFromAudioSampleBuffer (audio, 0, audio.getNumSamples()));
}

juce::Result noPresets (juce::AudioProcessor&, const juce::File&)
{
    return juce::Result::fail ("no presets here");
}

class RenderSessionTest : public ::testing::Test
{
protected:
    juce::TemporaryFile folderHolder;
    juce::File folder;
    RecordingProcessor processor;
    RenderSettings settings;
    RenderSession::Summary summary;

    void SetUp() override
    {
        folder = folderHolder.getFile();
        ASSERT_TRUE (folder.createDirectory().wasOk());
        settings.outputFile = folder.getChildFile ("out.wav");
    }

    void TearDown() override { folder.deleteRecursively(); }

    juce::Result run (const RenderSession::PresetLoader& loader = noPresets)
    {
        return RenderSession::run (settings, processor, loader, summary);
    }
};
} // namespace

TEST_F (RenderSessionTest, BuiltInInputGivesAStereoFloatWavOfTheAskedLengthAndRate)
{
    settings.sampleRate = 48000.0;
    settings.seconds = 1.5;
    const auto result = run();
    ASSERT_TRUE (result.wasOk()) << result.getErrorMessage();

    WavContents wav;
    ASSERT_TRUE (readWav (settings.outputFile, wav));
    EXPECT_EQ (wav.sampleRate, 48000.0);
    EXPECT_EQ (wav.numChannels, 2);
    EXPECT_EQ (wav.bitsPerSample, 32u);
    EXPECT_TRUE (wav.floatingPoint);
    EXPECT_EQ (wav.audio.getNumSamples(), 72000);

    float peak = 0.0f;
    for (int ch = 0; ch < 2; ++ch)
        for (int i = 0; i < wav.audio.getNumSamples(); ++i)
        {
            ASSERT_TRUE (std::isfinite (wav.audio.getSample (ch, i)));
            peak = std::max (peak, std::abs (wav.audio.getSample (ch, i)));
        }
    EXPECT_GT (peak, 0.3f); // the demo signal is well above silence
    EXPECT_LT (peak, 0.95f);
    EXPECT_EQ (summary.peak, peak);
    EXPECT_EQ (summary.numSamples, 72000);
    EXPECT_EQ (summary.numNonFinite, 0);
    EXPECT_GT (wav.audio.getRMSLevel (0, 0, 72000), 0.1f);
    EXPECT_GT (wav.audio.getRMSLevel (1, 0, 72000), 0.1f);

    const auto line = summary.describe();
    EXPECT_TRUE (line.contains (settings.outputFile.getFullPathName()));
    EXPECT_TRUE (line.contains ("1.500 s"));
    EXPECT_TRUE (line.contains ("48000 Hz"));
    EXPECT_TRUE (line.contains ("dBFS"));
    EXPECT_TRUE (line.contains ("x realtime"));
    EXPECT_FALSE (line.containsChar ('\n'));
}

TEST_F (RenderSessionTest, MonoInputFileFeedsBothChannelsAtItsOwnRateAndLength)
{
    juce::AudioBuffer<float> input (1, 30001);
    for (int i = 0; i < input.getNumSamples(); ++i)
        input.setSample (0, i, 0.5f * std::sin (0.01f * static_cast<float> (i)));
    settings.inputFile = folder.getChildFile ("in.wav");
    writeWav (settings.inputFile, input, 22050.0, 32);
    settings.blockSize = 777;
    settings.parameterSettings = { { "Gain", 0.5f } };

    ASSERT_TRUE (run().wasOk());
    WavContents wav;
    ASSERT_TRUE (readWav (settings.outputFile, wav));
    EXPECT_EQ (wav.sampleRate, 22050.0);
    ASSERT_EQ (wav.audio.getNumSamples(), 30001);
    for (int i = 0; i < 30001; i += 97)
    {
        EXPECT_FLOAT_EQ (wav.audio.getSample (0, i), 0.5f * input.getSample (0, i));
        EXPECT_FLOAT_EQ (wav.audio.getSample (1, i), 0.5f * input.getSample (0, i));
    }
    EXPECT_EQ (processor.blocks.front().numSamples, 777);
}

TEST_F (RenderSessionTest, ParametersTakePlainValuesWithinTheirRange)
{
    settings.seconds = 0.01;
    settings.parameterSettings = { { "State", 5.0f }, { "Gain", 2.0f } };
    ASSERT_TRUE (run().wasOk());
    EXPECT_EQ (processor.state->get(), 5.0f);
    EXPECT_NEAR (static_cast<juce::AudioProcessorParameter*> (processor.state)->getValue(), 5.0f / 11.0f,
                 1e-6f);
    EXPECT_EQ (processor.gain->get(), 2.0f);

    for (const auto& bad : { ParameterSetting{ "Volume", 1.0f }, ParameterSetting{ "State", 12.0f },
                             ParameterSetting{ "Gain", -0.1f } })
    {
        const auto result = RenderSession::applyParameterSettings (processor, { bad });
        EXPECT_TRUE (result.failed());
        EXPECT_TRUE (result.getErrorMessage().contains (bad.id));
    }
    EXPECT_TRUE (RenderSession::applyParameterSettings (processor, { { "Volume", 1.0f } })
                     .getErrorMessage()
                     .contains ("Gain, State")); // lists what exists
}

TEST_F (RenderSessionTest, FailuresLeaveAnExistingOutputFileAlone)
{
    ASSERT_TRUE (settings.outputFile.replaceWithText ("keep me"));

    settings.parameterSettings = { { "Nope", 1.0f } };
    EXPECT_TRUE (run().failed());
    settings.parameterSettings.clear();

    settings.inputFile = folder.getChildFile ("missing.wav");
    EXPECT_TRUE (run().getErrorMessage().contains ("does not exist"));

    settings.inputFile = folder.getChildFile ("text.wav");
    ASSERT_TRUE (settings.inputFile.replaceWithText ("RIFF? no."));
    EXPECT_TRUE (run().getErrorMessage().contains ("not a WAV file"));

    juce::AudioBuffer<float> threeChannels (3, 100);
    threeChannels.clear();
    settings.inputFile = folder.getChildFile ("three.wav");
    writeWav (settings.inputFile, threeChannels, 44100.0, 16);
    EXPECT_TRUE (run().getErrorMessage().contains ("3 channels"));

    settings.inputFile = juce::File();
    settings.midiFile = folder.getChildFile ("missing.mid");
    EXPECT_TRUE (run().failed());
    settings.midiFile = juce::File();

    processor.acceptStereo = false;
    EXPECT_TRUE (run().getErrorMessage().contains ("stereo"));

    EXPECT_EQ (settings.outputFile.loadFileAsString(), "keep me");
    EXPECT_EQ (folder.getNumberOfChildFiles (juce::File::findFiles), 3); // out, text, three: no leftovers
}

TEST_F (RenderSessionTest, OutputIntoAMissingFolderOrOntoAFolderIsRefused)
{
    settings.outputFile = folder.getChildFile ("no/such/folder/out.wav");
    EXPECT_TRUE (run().getErrorMessage().contains ("folder does not exist"));
    settings.outputFile = folder;
    EXPECT_TRUE (run().failed());
}

TEST_F (RenderSessionTest, PresetGoesThroughTheLoaderBeforeParametersAreSet)
{
    settings.seconds = 0.01;
    settings.presetFile = folder.getChildFile ("missing.kvp");
    int calls = 0;
    const auto loader = [&calls] (juce::AudioProcessor& p, const juce::File&)
    {
        ++calls;
        dynamic_cast<RecordingProcessor&> (p).gain->setValueNotifyingHost (0.0f);
        return juce::Result::ok();
    };
    EXPECT_TRUE (run (loader).getErrorMessage().contains ("does not exist"));
    EXPECT_EQ (calls, 0);

    settings.presetFile = folder.getChildFile ("p.kvp");
    ASSERT_TRUE (settings.presetFile.replaceWithText ("<x/>"));
    settings.parameterSettings = { { "Gain", 1.5f } };
    ASSERT_TRUE (run (loader).wasOk());
    EXPECT_EQ (calls, 1);
    EXPECT_EQ (processor.gain->get(), 1.5f); // --set wins over the preset

    EXPECT_EQ (run (noPresets).getErrorMessage(), "no presets here");
}

TEST_F (RenderSessionTest, InputWhoseHeaderAnnouncesMoreThanTheFileHoldsIsRefused)
{
    ASSERT_TRUE (settings.outputFile.replaceWithText ("keep me"));

    settings.inputFile = folder;
    EXPECT_TRUE (run().getErrorMessage().contains ("is a folder"));

    // A 16-bit stereo WAV of 4 frames whose data chunk claims 0xfffffff0 bytes: about a billion
    // frames, most of them not in the file.
    juce::MemoryOutputStream wav;
    wav.write ("RIFF", 4);
    wav.writeInt (36 + 16);
    wav.write ("WAVEfmt ", 8);
    wav.writeInt (16);
    wav.writeShort (1);
    wav.writeShort (2);
    wav.writeInt (44100);
    wav.writeInt (44100 * 4);
    wav.writeShort (4);
    wav.writeShort (16);
    wav.write ("data", 4);
    wav.writeInt (static_cast<int> (0xfffffff0u));
    for (int i = 0; i < 8; ++i)
        wav.writeShort (1000);
    settings.inputFile = folder.getChildFile ("liar.wav");
    ASSERT_TRUE (settings.inputFile.replaceWithData (wav.getData(), wav.getDataSize()));

    const auto result = run();
    EXPECT_TRUE (result.getErrorMessage().contains ("cut short or damaged")) << result.getErrorMessage();
    EXPECT_TRUE (result.getErrorMessage().contains ("1073741820 frames")) << result.getErrorMessage();
    EXPECT_TRUE (processor.blocks.empty());
    EXPECT_EQ (settings.outputFile.loadFileAsString(), "keep me");
}

TEST_F (RenderSessionTest, BuiltInInputShorterThanOneSampleIsRefused)
{
    settings.sampleRate = 8000.0;
    settings.seconds = 0.00006; // 0.48 samples
    const auto result = run();
    EXPECT_TRUE (result.getErrorMessage().contains ("shorter than one sample")) << result.getErrorMessage();
    EXPECT_FALSE (settings.outputFile.exists());

    settings.seconds = 0.0000625; // exactly 0.5 samples rounds to one
    ASSERT_TRUE (run().wasOk());
    EXPECT_EQ (summary.numSamples, 1);
}

TEST_F (RenderSessionTest, OutputThatCannotFitOnItsVolumeIsRefusedBeforeRendering)
{
    // 2^60 stereo float frames are 8 EiB: no volume has that.
    const auto huge = RenderSession::checkSpaceFor (juce::int64 (1) << 60, settings.outputFile);
    EXPECT_TRUE (huge.failed());
    EXPECT_TRUE (huge.getErrorMessage().contains ("are free there")) << huge.getErrorMessage();
    EXPECT_TRUE (RenderSession::checkSpaceFor (1000, settings.outputFile).wasOk());
}

namespace
{
// A WAV header in any sample format, followed by silent frames.
juce::MemoryBlock wavWithFormat (int formatTag, int bits, int channels, int frames)
{
    const int blockAlign = channels * ((bits + 7) / 8);
    juce::MemoryOutputStream wav;
    wav.write ("RIFF", 4);
    wav.writeInt (36 + frames * blockAlign);
    wav.write ("WAVEfmt ", 8);
    wav.writeInt (16);
    wav.writeShort (static_cast<short> (formatTag));
    wav.writeShort (static_cast<short> (channels));
    wav.writeInt (44100);
    wav.writeInt (44100 * blockAlign);
    wav.writeShort (static_cast<short> (blockAlign));
    wav.writeShort (static_cast<short> (bits));
    wav.write ("data", 4);
    wav.writeInt (frames * blockAlign);
    wav.writeRepeatedByte (0, static_cast<size_t> (frames * blockAlign));
    return wav.getMemoryBlock();
}
} // namespace

// Inputs a user can hand the tool by mistake: each is refused with a message naming the problem,
// reads nothing it cannot decode, and leaves the target file as it was, with nothing left beside it.
TEST_F (RenderSessionTest, HostileInputsAreRefusedAndTheTargetStaysAsItWas)
{
    const auto pipe = folder.getChildFile ("pipe");
    ASSERT_EQ (mkfifo (pipe.getFullPathName().toRawUTF8(), 0600), 0);
    sockaddr_un address{ AF_UNIX, {} };
    const auto socketFile = folder.getChildFile ("socket");
    socketFile.getFullPathName().copyToUTF8 (address.sun_path, sizeof (address.sun_path));
    const int listening = socket (AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ (bind (listening, reinterpret_cast<const sockaddr*> (&address), sizeof (address)), 0);
    const auto write = [this] (const char* name, const juce::MemoryBlock& data)
    {
        const auto file = folder.getChildFile (name);
        EXPECT_TRUE (file.replaceWithData (data.getData(), data.getSize()));
        return file;
    };
    const auto twelveBit = write ("twelve.wav", wavWithFormat (1, 12, 2, 1000));
    const auto doubles = write ("doubles.wav", wavWithFormat (3, 64, 2, 1000));
    juce::AudioBuffer<float> withNaN (2, 1000);
    withNaN.clear();
    withNaN.setSample (1, 500, std::numeric_limits<float>::quiet_NaN());
    const auto nanFile = folder.getChildFile ("nan.wav");
    writeWav (nanFile, withNaN, 44100.0, 32);
    std::atomic<int> interrupted{ SIGINT };

    // The size a finished render of the table's length comes to.
    RenderSettings full = settings;
    full.seconds = 0.1;
    full.outputFile = folder.getChildFile ("full.wav");
    ASSERT_TRUE (RenderSession::run (full, processor, noPresets, summary).wasOk());
    const auto finishedSize = static_cast<rlim_t> (full.outputFile.getSize());
    ASSERT_TRUE (full.outputFile.deleteFile());

    const struct
    {
        const char* name;
        std::function<void (RenderSettings&)> set;
        const std::atomic<int>* stop;
        const char* mentions;
        rlim_t fileSizeLimit = RLIM_INFINITY;
    } cases[] = {
        { "12-bit integer input", [&] (RenderSettings& s) { s.inputFile = twelveBit; }, nullptr,
          "12-bit integer" },
        { "64-bit float input", [&] (RenderSettings& s) { s.inputFile = doubles; }, nullptr,
          "can be decoded" },
        { "pipe as input", [&] (RenderSettings& s) { s.inputFile = pipe; }, nullptr, "not a regular file" },
        { "pipe as preset", [&] (RenderSettings& s) { s.presetFile = pipe; }, nullptr, "not a regular file" },
        { "pipe as MIDI", [&] (RenderSettings& s) { s.midiFile = pipe; }, nullptr, "not a regular file" },
        { "device as preset", [] (RenderSettings& s) { s.presetFile = juce::File ("/dev/zero"); }, nullptr,
          "not a regular file" },
        { "non-finite output", [&] (RenderSettings& s) { s.inputFile = nanFile; }, nullptr,
          "non-finite samples (1)" },
        { "interrupted", [] (RenderSettings&) {}, &interrupted, "interrupted by" },
        { "pipe as output", [&] (RenderSettings& s) { s.outputFile = pipe; }, nullptr, "not a regular file" },
        { "socket as output", [&] (RenderSettings& s) { s.outputFile = socketFile; }, nullptr,
          "not a regular file" },
        // A write that fails while rendering names its cause as the last one does.
        { "limit reached mid-render", [] (RenderSettings& s) { s.seconds = 1.0; }, nullptr,
          ": File too large (", finishedSize },
        // The last write cut short by a size limit (or a full disk) is no finished render.
        { "1 byte short", [] (RenderSettings&) {}, nullptr, " failed", finishedSize - 1 },
        { "10 bytes short", [] (RenderSettings&) {}, nullptr, " failed", finishedSize - 10 },
        { "4000 bytes short", [] (RenderSettings&) {}, nullptr, " failed", finishedSize - 4000 },
    };

    ASSERT_TRUE (settings.outputFile.replaceWithText ("keep me"));
    const auto filesBefore = folder.getNumberOfChildFiles (juce::File::findFiles);
    for (const auto& c : cases)
    {
        RenderSettings hostile = settings;
        hostile.seconds = 0.1;
        c.set (hostile);
        processor.blocks.clear();
        rlimit previous{};
        getrlimit (RLIMIT_FSIZE, &previous);
        const auto previousHandler = std::signal (SIGXFSZ, SIG_IGN);
        rlimit limited = previous;
        limited.rlim_cur = std::min (c.fileSizeLimit, previous.rlim_max);
        setrlimit (RLIMIT_FSIZE, &limited);
        const auto result = RenderSession::run (hostile, processor, noPresets, summary, c.stop);
        setrlimit (RLIMIT_FSIZE, &previous);
        std::signal (SIGXFSZ, previousHandler);
        EXPECT_TRUE (result.getErrorMessage().contains (c.mentions))
            << c.name << ": " << result.getErrorMessage();
        EXPECT_EQ (settings.outputFile.loadFileAsString(), "keep me") << c.name;
        EXPECT_EQ (folder.getNumberOfChildFiles (juce::File::findFiles), filesBefore) << c.name;
    }
    struct stat info = {};
    EXPECT_TRUE (stat (pipe.getFullPathName().toRawUTF8(), &info) == 0 && S_ISFIFO (info.st_mode));
    close (listening);
    unlink (address.sun_path); // the framework takes it for a folder and would leave it
}

// A full disk as the system reports it, without filling one: /dev/full takes no byte.
TEST (WholeWriteFileStream, KeepsTheReasonAWriteFailed)
{
    WholeWriteFileStream full (juce::File ("/dev/full"));
    ASSERT_TRUE (full.openedOk());
    full.write ("x", 1);
    full.flush();
    EXPECT_EQ (full.getStatus().getErrorMessage(), "No space left on device");
    EXPECT_FALSE (full.write ("x", 1));
}
