// The one entry point every plug-in format wrapper calls to create an instance (declared by
// juce_audio_processors).
#include "LineEditorAudioProcessor.h"
#include "LineEditorAudioProcessorEditor.h"

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    // Inside the plug-in, the processor's window is our editor.
    LineEditorAudioProcessor::editorFactory = &LineEditorAudioProcessorEditor::create;
    return new LineEditorAudioProcessor();
}
