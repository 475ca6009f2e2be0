// Colours and captions that follow Power, line and state; the preset lists and the name entry.
#include "LineEditorAudioProcessorEditor.h"

void LineEditorAudioProcessorEditor::setPowerColors() {}

void LineEditorAudioProcessorEditor::ColorLineTabs() {}

void LineEditorAudioProcessorEditor::ColorSoloMuteButts() {}

void LineEditorAudioProcessorEditor::setSateLAbelText() {}

void LineEditorAudioProcessorEditor::ColorStateGraph() {}

void LineEditorAudioProcessorEditor::setUndoRedoLabels() {}

void LineEditorAudioProcessorEditor::setIndecLabelText() {}

void LineEditorAudioProcessorEditor::LoadPresetsList() {}

void LineEditorAudioProcessorEditor::SetPresetNameForMenu (bool) {}

void LineEditorAudioProcessorEditor::buttonClicked (juce::Button*) {}

void LineEditorAudioProcessorEditor::textEditorReturnKeyPressed (juce::TextEditor&) {}

void LineEditorAudioProcessorEditor::textEditorEscapeKeyPressed (juce::TextEditor&) {}
