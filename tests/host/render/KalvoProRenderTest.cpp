// kalvo-render's job with the real processor: what a user gets from the tool, and that the demo
// preset the README's demo uses really moves the three bands.
#include "LineEditorAudioProcessor.h"
#include "RenderSession.h"
#include "TestHome.h"
#include <limits>
#include <gtest/gtest.h>

namespace
{
juce::Result loadPreset (juce::AudioProcessor& processor, const juce::File& file)
{
    return static_cast<LineEditorAudioProcessor&> (processor).getStateFromFile (file)
               ? juce::Result::ok()
               : juce::Result::fail ("unreadable preset");
}

juce::AudioBuffer<float> readWav (const juce::File& file, double& rate)
{
    if (! file.existsAsFile())
        return {};
    std::unique_ptr<juce::AudioFormatReader> reader (
        juce::WavAudioFormat().createReaderFor (new juce::FileInputStream (file), true));
    if (reader == nullptr)
        return {};
    rate = reader->sampleRate;
    juce::AudioBuffer<float> audio (static_cast<int> (reader->numChannels),
                                    static_cast<int> (reader->lengthInSamples));
    reader->read (&audio, 0, audio.getNumSamples(), 0, true, true);
    return audio;
}

// Levels in dB of one band of the left channel, in windows of a 32nd note at 120 bpm, skipping
// the first beat while filters and glides settle.
std::vector<float> bandLevels (const juce::AudioBuffer<float>& audio, double rate,
                               const juce::IIRCoefficients& a, const juce::IIRCoefficients& b)
{
    juce::IIRFilter first, second;
    first.setCoefficients (a);
    second.setCoefficients (b);
    std::vector<float> band (static_cast<size_t> (audio.getNumSamples()));
    std::copy (audio.getReadPointer (0), audio.getReadPointer (0) + audio.getNumSamples(), band.begin());
    first.processSamples (band.data(), static_cast<int> (band.size()));
    second.processSamples (band.data(), static_cast<int> (band.size()));

    const auto window = static_cast<size_t> (rate * 0.0625);
    std::vector<float> levels;
    if (window == 0)
        return levels;
    for (size_t start = static_cast<size_t> (rate * 0.5); start + window <= band.size(); start += window)
    {
        double sum = 0.0;
        for (size_t i = start; i < start + window; ++i)
            sum += static_cast<double> (band[i]) * band[i];
        levels.push_back (
            juce::Decibels::gainToDecibels (static_cast<float> (std::sqrt (sum / window)), -120.0f));
    }
    return levels;
}

float spread (const std::vector<float>& levels)
{
    if (levels.empty())
        return std::numeric_limits<float>::quiet_NaN();
    const auto [low, high] = std::minmax_element (levels.begin(), levels.end());
    return *high - *low;
}

class KalvoProRender : public ::testing::Test
{
protected:
    juce::File folder;
    RenderSettings settings;
    RenderSession::Summary summary;

    void SetUp() override
    {
        // Inside this process's private home: parallel test processes never share the folder.
        folder = kalvo::test::temporaryHomeFolder().getChildFile ("kalvo-render");
        ASSERT_TRUE (folder.createDirectory().wasOk());
        settings.outputFile = folder.getChildFile ("out.wav");
    }

    void TearDown() override { folder.deleteRecursively(); }

    juce::AudioBuffer<float> render (double& rate)
    {
        auto processor = std::make_unique<LineEditorAudioProcessor>();
        const auto result = RenderSession::run (settings, *processor, loadPreset, summary);
        EXPECT_TRUE (result.wasOk()) << result.getErrorMessage();
        return readWav (settings.outputFile, rate);
    }
};
} // namespace

TEST_F (KalvoProRender, DefaultRenderIsFiniteStereoOfTheRightLengthAndRate)
{
    settings.sampleRate = 48000.0;
    settings.seconds = 3.0;
    double rate = 0.0;
    const auto audio = render (rate);
    EXPECT_EQ (rate, 48000.0);
    ASSERT_EQ (audio.getNumChannels(), 2);
    ASSERT_EQ (audio.getNumSamples(), 144000);
    for (int ch = 0; ch < 2; ++ch)
        for (int i = 0; i < audio.getNumSamples(); ++i)
            ASSERT_TRUE (std::isfinite (audio.getSample (ch, i))) << ch << " " << i;
    EXPECT_EQ (summary.numNonFinite, 0);

    // Flat curves, unity levels: the crossover's bands sum back to the input's level.
    const auto level = audio.getRMSLevel (0, 4800, 139200);
    EXPECT_GT (level, 0.15f);
    EXPECT_LT (level, 0.3f);
    EXPECT_GT (summary.getRealtimeFactor(), 1.0);
}

TEST_F (KalvoProRender, MutingEveryBandSilencesTheOutput)
{
    settings.seconds = 1.0;
    settings.parameterSettings = { { "LowMute", 1.0f }, { "MidMute", 1.0f }, { "HighMute", 1.0f } };
    double rate = 0.0;
    const auto audio = render (rate);
    // The level ramps take 10 ms; after that nothing passes.
    EXPECT_EQ (audio.getMagnitude (0, 2000, audio.getNumSamples() - 2000), 0.0f);
    EXPECT_EQ (audio.getMagnitude (1, 2000, audio.getNumSamples() - 2000), 0.0f);
}

TEST_F (KalvoProRender, DemoPresetModulatesAllThreeBandsAndDefaultsDoNot)
{
    settings.seconds = 4.0;
    const auto lowBand = juce::IIRCoefficients::makeLowPass (44100.0, 150.0);
    const auto midLow = juce::IIRCoefficients::makeHighPass (44100.0, 400.0);
    const auto midHigh = juce::IIRCoefficients::makeLowPass (44100.0, 1200.0);
    const auto highBand = juce::IIRCoefficients::makeHighPass (44100.0, 3500.0);

    double rate = 0.0;
    const auto plain = render (rate);
    EXPECT_LT (spread (bandLevels (plain, rate, lowBand, lowBand)), 1.0f);
    EXPECT_LT (spread (bandLevels (plain, rate, midLow, midHigh)), 1.0f);
    EXPECT_LT (spread (bandLevels (plain, rate, highBand, highBand)), 1.0f);

    settings.presetFile = juce::File (KALVO_DEMO_PRESET);
    const auto demo = render (rate);
    EXPECT_GT (spread (bandLevels (demo, rate, lowBand, lowBand)), 12.0f);
    EXPECT_GT (spread (bandLevels (demo, rate, midLow, midHigh)), 12.0f);
    EXPECT_GT (spread (bandLevels (demo, rate, highBand, highBand)), 12.0f);
}

TEST_F (KalvoProRender, MidiTriggerNoteSwitchesToAFlatStateWhereThePositionReachesIt)
{
    // The demo preset with state 1 listening to its trigger note 61.
    auto document = juce::File (KALVO_DEMO_PRESET).loadFileAsString();
    const auto state1 = document.indexOf ("<LinePointsMain1St1 ");
    ASSERT_GT (state1, 0);
    const auto connection = document.indexOf (state1, "stateMIDICon=\"0\"");
    ASSERT_GT (connection, state1);
    document = document.replaceSection (connection, 16, "stateMIDICon=\"1\"");
    settings.presetFile = folder.getChildFile ("switching.kvp");
    ASSERT_TRUE (settings.presetFile.replaceWithText (document));

    // Note 61 at quarter note 4: two seconds in at 120 bpm, on a cycle boundary of every line.
    juce::MidiMessageSequence track;
    track.addEvent (juce::MidiMessage::noteOn (1, 61, 1.0f), 4.0 * 480);
    track.addEvent (juce::MidiMessage::noteOff (1, 61), 4.5 * 480);
    juce::MidiFile midiFile;
    midiFile.setTicksPerQuarterNote (480);
    midiFile.addTrack (track);
    settings.midiFile = folder.getChildFile ("switch.mid");
    {
        juce::FileOutputStream out (settings.midiFile);
        ASSERT_TRUE (midiFile.writeTo (out));
    }

    settings.seconds = 4.0;
    double rate = 0.0;
    const auto audio = render (rate);
    EXPECT_EQ (summary.midiEventsDelivered, 2);
    ASSERT_EQ (audio.getNumSamples(), 176400);

    const auto lowBand = juce::IIRCoefficients::makeLowPass (44100.0, 150.0);
    const auto levels = bandLevels (audio, rate, lowBand, lowBand);        // windows from 0.5 s, 62.5 ms each
    const std::vector<float> before (levels.begin(), levels.begin() + 20); // 0.5 .. 1.75 s
    const std::vector<float> after (levels.begin() + 28, levels.end());    // 2.25 s ..
    EXPECT_GT (spread (before), 12.0f);
    EXPECT_LT (spread (after), 1.0f);
}
