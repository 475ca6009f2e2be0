// kalvo-render: puts audio through KalvoPro offline, without a DAW.
#include "LineEditorAudioProcessor.h"
#include "RenderArguments.h"
#include "RenderSession.h"
#include <iostream>

namespace
{
// The one place that knows how KalvoPro reads its presets.
juce::Result loadPreset (juce::AudioProcessor& processor, const juce::File& file)
{
    if (static_cast<LineEditorAudioProcessor&> (processor).getStateFromFile (file))
        return juce::Result::ok();
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
    const auto result = RenderSession::run (parsed.settings, *processor, loadPreset, summary);
    processor.reset();

    if (result.failed())
    {
        std::cerr << "kalvo-render: " << result.getErrorMessage() << "\n";
        return 1;
    }

    std::cout << summary.describe() << std::endl;

    if (summary.midiEventsNotDelivered > 0)
        std::cerr
            << "kalvo-render: note: " << summary.midiEventsNotDelivered
            << " MIDI events lie where the host position never reaches (before --start-ppq, after the end, "
               "or past the start with --stopped)\n";

    if (summary.numNonFinite > 0)
    {
        std::cerr << "kalvo-render: the output holds " << summary.numNonFinite << " non-finite samples\n";
        return 1;
    }
    return 0;
}
