// The one entry point every plug-in format wrapper calls to create an instance (declared by
// juce_audio_processors).
#include "LineEditorAudioProcessor.h"

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return new LineEditorAudioProcessor();
}
