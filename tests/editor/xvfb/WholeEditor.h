#pragma once

// The whole plug-in window as a host runs it: the processor's own editor on screen, an audio
// thread rendering blocks through a playing 4/4 120 bpm play head (and sending MIDI when told),
// and a host-side listener that counts each parameter's changes and those on the message thread.

#include "../EditorTestSupport.h"
#include "OnScreen.h"
#include "ProcessorTestSupport.h"

#include <JuceHeader.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <mutex>
#include <vector>

namespace kalvo::test
{
// Registered on the processor as JUCE's format wrappers register theirs. It keeps counts, not the
// changes themselves: a soak brings hundreds a second for as long as it runs, and a record of them
// would hide what the code under test allocates.
class HostListener final : public juce::AudioProcessorListener
{
public:
    struct Changes
    {
        int count = 0;
        int onMessageThread = 0;
    };

    explicit HostListener (juce::AudioProcessor& p) : processor (p), changes ((size_t) p.getParameters().size())
    {
        processor.addListener (this);
    }
    ~HostListener() override { processor.removeListener (this); }

    void audioProcessorParameterChanged (juce::AudioProcessor*, int index, float) override
    {
        const bool onMessageThread = juce::MessageManager::getInstance()->isThisTheMessageThread();
        const std::lock_guard<std::mutex> lock (mutex);
        auto& c = changes.at ((size_t) index);
        ++c.count;
        c.onMessageThread += onMessageThread ? 1 : 0;
    }
    void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails&) override {}

    Changes of (int index) const
    {
        const std::lock_guard<std::mutex> lock (mutex);
        return changes.at ((size_t) index);
    }

    void clear()
    {
        const std::lock_guard<std::mutex> lock (mutex);
        std::fill (changes.begin(), changes.end(), Changes{});
    }

private:
    juce::AudioProcessor& processor;
    mutable std::mutex mutex;
    std::vector<Changes> changes;
};

// Renders 512-sample blocks of the fixed test signal in about real time. MIDI events queued
// from the message thread go out with the next block.
class AudioThread final : private juce::Thread
{
public:
    explicit AudioThread (TestHost& h) : juce::Thread ("test audio"), host (h), buffer (2, blockSize)
    {
        midi.ensureSize (256);
    }
    ~AudioThread() override { stop(); }

    void start() { startThread (juce::Thread::Priority::high); }
    void stop() { stopThread (2000); }

    void sendNote (int note, bool on)
    {
        const auto scope = queue.write (1);
        if (scope.blockSize1 > 0)
            events[scope.startIndex1] = on ? note : -1 - note;
    }

    // Waits for `count` more blocks; false on timeout.
    bool waitForBlocks (int count, int timeoutMs = 3000) const
    {
        const auto target = blocks.load() + count;
        return OnScreen::pumpUntil ([&] { return blocks.load() >= target; }, timeoutMs);
    }

    static constexpr int blockSize = 512;

    // Runs on the audio thread before every block, as a host's automation does. Set before start.
    std::function<void()> beforeBlock;

private:
    void run() override
    {
        const auto blockMs = juce::roundToInt (1000.0 * blockSize / host.sampleRate);
        while (!threadShouldExit())
        {
            midi.clear();
            queue.read (queue.getNumReady())
                .forEach (
                    [this] (int i)
                    {
                        const int e = events[i];
                        midi.addEvent (e >= 0 ? juce::MidiMessage::noteOn (1, e, (juce::uint8) 100)
                                              : juce::MidiMessage::noteOff (1, -1 - e),
                                       0);
                    });
            if (beforeBlock)
                beforeBlock();
            fillSignal (buffer, host.samplePosition, host.sampleRate);
            host.process (buffer, midi);
            ++blocks;
            wait (blockMs);
        }
    }

    TestHost& host;
    juce::AudioBuffer<float> buffer;
    juce::MidiBuffer midi;
    juce::AbstractFifo queue{ 64 };
    int events[64] = {};
    std::atomic<juce::int64> blocks{ 0 };
};

// A preset with curves of all nine segment types on the four lines of state 0, known lengths,
// splits, mixes and levels, and states 0..2 switched by notes 60..62. Written as a preset file
// and loaded through the processor, as a user loads one.
inline void loadFixedPreset (LineEditorAudioProcessor& p)
{
    using P = LineEditorAudioProcessor;
    for (int line = 0; line < P::numLines; ++line)
    {
        // Stage 1: four segments of types 2l+1 .. 2l+4 (wrapping at 9); stage 2 a shallow ramp.
        auto* one = p.linePoints1()[line][0];
        auto* two = p.linePoints2()[line][0];
        for (int i = 0; i < P::numCurvePoints; ++i)
            one[i] = two[i] = LETPoint{ 2.0f, 0.0f, 0.0f, -1, 0.0f, 0.0f, 1, true, false, true };
        const float xs[] = { 0.0f, 0.2f, 0.45f, 0.7f, 1.0f };
        const float ys[] = { 0.9f, 0.3f, 0.8f, 0.1f, 0.6f };
        for (int i = 0; i < 5; ++i)
            one[i] = LETPoint{ xs[i],
                               ys[i],
                               i == 2 ? 0.5f : 0.0f,
                               i,
                               0.0f,
                               0.0f,
                               1 + (2 * line + i + 8) % 9,
                               i == 0 || i == 4,
                               false,
                               i != 0 && i != 4 };
        two[0] = LETPoint{ 0.0f, 1.0f, 0.0f, 0, 0.0f, 0.0f, 1, true, false, false };
        two[1] = LETPoint{ 1.0f, 0.7f, 0.0f, 1, 0.0f, 0.0f, 1, true, false, false };

        p.lineLength()[line][0] = 0.63f - 0.125f * (float) (line % 2);
        p.bandMix()[line][0] = 1.0f - 0.2f * (float) line;
        p.bandGlide()[line][0] = 10.0f + 20.0f * (float) line;
    }
    p.lmFreq()[0] = 0.3f;
    p.hmFreq()[0] = 0.7f;
    for (int state = 0; state < 3; ++state)
        p.stateMIDICon[state] = 1;

    for (const auto& [id, value] :
         { std::pair{ "LowLevel", 0.25f }, { "MidLevel", 0.5f }, { "HighLevel", 0.75f } })
        p.parameters.getParameter (id)->setValueNotifyingHost (value);

    const auto file = temporaryHomeFolder().getChildFile ("fixed.kvp");
    EXPECT_TRUE (p.saveStateToFile (file));
    EXPECT_TRUE (p.getStateFromFile (file));
}

// The window and its host. The editor is shown like a host's window (on the desktop, in front,
// with keyboard focus) but owned here, so a test may delete it at any moment, even inside a menu.
struct WholeEditor
{
    static constexpr int lineCh = 16; // "LineCH"'s index

    explicit WholeEditor (float scale = 1.0f)
    {
        p.scaling = scale;
        loadFixedPreset (p);
    }

    ~WholeEditor()
    {
        close();
        audio.stop();
    }

    void open()
    {
        editor = openEditor (p);
        OnScreen::show (*editor, { 20, 20 });
    }

    void close() { editor.reset(); }

    LineEditorAudioProcessorEditor& e() { return *editor; }

    TestHost host;
    LineEditorAudioProcessor& p = *host.processor;
    HostListener listener{ p };
    AudioThread audio{ host };
    EditorPtr editor;
};
} // namespace kalvo::test
