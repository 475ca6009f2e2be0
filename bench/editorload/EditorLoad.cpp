// What an open editor costs, measured as a host shows it: the processor with its window on the
// display and an audio thread feeding it 512-sample blocks of a tone at 48 kHz in real time, the
// transport stopped or playing. Prints the CPU time the whole process used over the run as a
// share of one core, and the audio thread's part of it. With "empty", an empty window of the
// editor's size stands in for the editor: what any JUCE window costs on this display.
// Usage: kalvo_editor_load stopped|playing SECONDS [SCALE [empty]]

#include "LineEditorAudioProcessor.h"
#include "LineEditorAudioProcessorEditor.h"

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <pthread.h>
#include <thread>

namespace
{
constexpr double sampleRate = 48000.0;
constexpr int blockSize = 512;

// Written and read on the audio thread only, between blocks.
class PlayHead final : public juce::AudioPlayHead
{
public:
    juce::Optional<PositionInfo> getPosition() const override { return info; }
    PositionInfo info;
};

double seconds (clockid_t clock)
{
    timespec t{};
    clock_gettime (clock, &t);
    return static_cast<double> (t.tv_sec) + static_cast<double> (t.tv_nsec) * 1.0e-9;
}
} // namespace

int main (int argc, char** argv)
{
    if (argc < 3 || (std::strcmp (argv[1], "stopped") != 0 && std::strcmp (argv[1], "playing") != 0))
    {
        std::fprintf (stderr, "usage: %s stopped|playing SECONDS [SCALE [empty]]\n", argv[0]);
        return 2;
    }
    const bool playing = std::strcmp (argv[1], "playing") == 0;
    const double runSeconds = std::atof (argv[2]);
    const float scale = argc > 3 ? static_cast<float> (std::atof (argv[3])) : 1.5f;
    const bool empty = argc > 4 && std::strcmp (argv[4], "empty") == 0;

    const juce::ScopedJuceInitialiser_GUI gui;
    LineEditorAudioProcessor::editorFactory = &LineEditorAudioProcessorEditor::create;
    auto processor = std::make_unique<LineEditorAudioProcessor>();
    processor->scaling = scale;
    PlayHead playHead;
    playHead.info.setBpm (120.0);
    playHead.info.setTimeSignature (juce::AudioPlayHead::TimeSignature{ 4, 4 });
    playHead.info.setIsPlaying (playing);
    processor->enableAllBuses();
    processor->setPlayHead (&playHead);
    processor->setRateAndBufferSizeDetails (sampleRate, blockSize);
    processor->prepareToPlay (sampleRate, blockSize);

    std::unique_ptr<juce::AudioProcessorEditor> editor;
    juce::Component emptyWindow;
    juce::Component* window = &emptyWindow;
    if (empty)
    {
        emptyWindow.setSize (juce::roundToInt (592.0f * scale), juce::roundToInt (234.0f * scale));
    }
    else
    {
        editor.reset (processor->createEditorIfNeeded());
        if (editor == nullptr)
            return 1;
        window = editor.get();
    }
    window->addToDesktop (juce::ComponentPeer::windowHasTitleBar);
    window->setVisible (true);

    std::atomic<bool> running{ true };
    std::thread audio (
        [&]
        {
            juce::AudioBuffer<float> buffer (2, blockSize);
            juce::MidiBuffer midi;
            juce::int64 played = 0, generated = 0;
            const auto period =
                std::chrono::nanoseconds (static_cast<juce::int64> (1.0e9 * blockSize / sampleRate));
            auto next = std::chrono::steady_clock::now();
            while (running)
            {
                for (int n = 0; n < blockSize; ++n, ++generated)
                {
                    const auto t = static_cast<double> (generated) / sampleRate;
                    const auto v = static_cast<float> (
                        0.3 * std::sin (2.0 * juce::MathConstants<double>::pi * 220.0 * t));
                    buffer.setSample (0, n, v);
                    buffer.setSample (1, n, v);
                }
                playHead.info.setTimeInSamples (played);
                playHead.info.setPpqPosition (static_cast<double> (played) / sampleRate * 2.0);
                processor->processBlock (buffer, midi);
                if (playing)
                    played += blockSize;
                next += period;
                std::this_thread::sleep_until (next);
            }
        });
    clockid_t audioClock{};
    pthread_getcpuclockid (audio.native_handle(), &audioClock);

    // The window comes up and settles first. The loop runs as an application's does, sleeping
    // until an event is due.
    double processBefore = 0.0, audioBefore = 0.0, processUsed = 0.0, audioUsed = 0.0, wall = 0.0;
    auto wallBefore = std::chrono::steady_clock::now();
    const int settleMs = 3000;
    juce::Timer::callAfterDelay (settleMs,
                                 [&]
                                 {
                                     processBefore = seconds (CLOCK_PROCESS_CPUTIME_ID);
                                     audioBefore = seconds (audioClock);
                                     wallBefore = std::chrono::steady_clock::now();
                                 });
    juce::Timer::callAfterDelay (
        settleMs + static_cast<int> (runSeconds * 1000.0),
        [&]
        {
            processUsed = seconds (CLOCK_PROCESS_CPUTIME_ID) - processBefore;
            audioUsed = seconds (audioClock) - audioBefore;
            wall = std::chrono::duration<double> (std::chrono::steady_clock::now() - wallBefore).count();
            juce::MessageManager::getInstance()->stopDispatchLoop();
        });
    juce::MessageManager::getInstance()->runDispatchLoop();

    running = false;
    audio.join();
    window->removeFromDesktop();
    if (editor != nullptr)
        processor->editorBeingDeleted (editor.get());
    editor.reset();
    processor->setPlayHead (nullptr);
    processor.reset();

    std::printf ("%s at scale %.1f, transport %s, %.0f s: %.2f %% of a core (audio thread %.2f %%, "
                 "the rest %.2f %%)\n",
                 empty ? "an empty window" : "editor open", static_cast<double> (scale),
                 playing ? "playing" : "stopped", wall, 100.0 * processUsed / wall, 100.0 * audioUsed / wall,
                 100.0 * (processUsed - audioUsed) / wall);
    return 0;
}
