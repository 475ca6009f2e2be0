// The editor's children configured group by group, and the knobs' handling.
#include "LineEditorAudioProcessorEditor.h"

void LineEditorAudioProcessorEditor::fillShapeThumbnails() {}

void LineEditorAudioProcessorEditor::setUpSkinImage() {}

void LineEditorAudioProcessorEditor::setUpIconButton (int) {}

void LineEditorAudioProcessorEditor::setUpPresetEntry() {}

void LineEditorAudioProcessorEditor::setUpFrames() {}

void LineEditorAudioProcessorEditor::setUpCategoryIcon() {}

void LineEditorAudioProcessorEditor::setUpLineIconAndMeter (int) {}

void LineEditorAudioProcessorEditor::setUpLengthGroup (int) {}

void LineEditorAudioProcessorEditor::setUpStateIcons() {}

void LineEditorAudioProcessorEditor::setUpSoloMuteIcons() {}

void LineEditorAudioProcessorEditor::setUpGlideGroup (int) {}

void LineEditorAudioProcessorEditor::setUpMasterMix() {}

void LineEditorAudioProcessorEditor::setUpMixGroup (int) {}

void LineEditorAudioProcessorEditor::setUpLevelGroups() {}

void LineEditorAudioProcessorEditor::setUpGridLabels() {}

void LineEditorAudioProcessorEditor::setUpCurveEditors() {}

void LineEditorAudioProcessorEditor::setUpGraphs() {}

void LineEditorAudioProcessorEditor::setUpPlayMarker()
{
    updateMarkerBeats();
}

void LineEditorAudioProcessorEditor::setUpShapeGraphs() {}

void LineEditorAudioProcessorEditor::setUpStateGraphs() {}

void LineEditorAudioProcessorEditor::setUpCrossover() {}

void LineEditorAudioProcessorEditor::setUpAboutWidgets() {}

void LineEditorAudioProcessorEditor::sliderValueChanged (juce::Slider*) {}

void LineEditorAudioProcessorEditor::sliderDragStarted (juce::Slider*) {}

void LineEditorAudioProcessorEditor::sliderDragEnded (juce::Slider*) {}
