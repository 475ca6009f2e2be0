// kalvo-render: puts audio through KalvoPro offline, without a DAW.
#include "LineEditorAudioProcessor.h"
#include "RegularFileInput.h"
#include "RenderArguments.h"
#include "RenderSession.h"
#include "StateDocument.h"
#include <atomic>
#include <csignal>
#include <iostream>

namespace
{
// The signal that asked the render to stop. The handler only records it: the render loop sees it
// at the next block and stops, and the temporary output file is removed on the way out. A second
// signal takes its default action.
std::atomic<int> stopSignal{ 0 };
static_assert (std::atomic<int>::is_always_lock_free);

void requestStop (int signal)
{
    stopSignal.store (signal);
}

void stopOnInterruption()
{
    struct sigaction action = {};
    action.sa_handler = requestStop;
    action.sa_flags = static_cast<int> (SA_RESETHAND);
    sigemptyset (&action.sa_mask);
    // SIGHUP too: closing the terminal a render runs in must not leave the temporary file behind.
    for (int signal : { SIGINT, SIGTERM, SIGHUP })
    {
        // A signal ignored on entry (a background job of a shell, nohup) stays ignored.
        struct sigaction previous = {};
        if (sigaction (signal, nullptr, &previous) == 0 && previous.sa_handler != SIG_IGN)
            sigaction (signal, &action, nullptr);
    }
}

// The one place that knows how KalvoPro reads its presets.
juce::Result loadPreset (juce::AudioProcessor& processor, const juce::File& file)
{
    if (static_cast<LineEditorAudioProcessor&> (processor).getStateFromFile (file))
        return juce::Result::ok();
    if (auto unreadable = RegularFileInput::check (file, StateDocument::maxDocumentBytes);
        unreadable.failed())
        return juce::Result::fail ("preset file " + unreadable.getErrorMessage());
    return juce::Result::fail ("cannot load preset " + file.getFullPathName() +
                               ": not a readable KalvoPro preset");
}
} // namespace

int main (int argc, char* argv[])
{
    juce::StringArray arguments;
    for (int i = 1; i < argc; ++i)
        arguments.add (juce::String::fromUTF8 (argv[i]));

    const auto parsed = RenderArguments::parse (arguments);
    if (parsed.helpRequested)
    {
        std::cout << RenderArguments::usage();
        return 0;
    }
    if (!parsed.ok)
    {
        std::cerr << "kalvo-render: " << parsed.error << "\nRun kalvo-render --help for the flags.\n";
        return 2;
    }

    const juce::ScopedJuceInitialiser_GUI juce;
    auto processor = std::make_unique<LineEditorAudioProcessor>();
    RenderSession::Summary summary;
    stopOnInterruption();
    // A write beyond a file size limit (ulimit -f) then fails, and the render says why and removes
    // its temporary file, instead of ending the process with that file left beside the target.
    std::signal (SIGXFSZ, SIG_IGN);
    const auto result = RenderSession::run (parsed.settings, *processor, loadPreset, summary, &stopSignal);
    processor.reset();

    if (result.failed())
    {
        std::cerr << "kalvo-render: " << result.getErrorMessage() << "\n";
        // Stopped by a signal: exit as the shell expects of one that the signal ended.
        return stopSignal.load() != 0 ? 128 + stopSignal.load() : 1;
    }

    std::cout << summary.describe() << std::endl;

    if (summary.midiEventsNotDelivered > 0)
        std::cerr
            << "kalvo-render: note: " << summary.midiEventsNotDelivered
            << " MIDI events lie where the host position never reaches (before --start-ppq, after the end, "
               "or past the start with --stopped)\n";
    return 0;
}
