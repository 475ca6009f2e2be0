#pragma once

#include "EditorLayout.h"
#include "EditorLinks.h"
#include "FreqDisplay.h"
#include "GraphDraw.h"
#include "Icons.h"
#include "LevelMeter.h"
#include "LineEditorAudioProcessor.h"
#include "LineEditorUI.h"
#include "LooknFeel1.h"
#include "LooknFeel2.h"
#include "ModalSeam.h"
#include "PresetListCache.h"
#include "RectDrawComp.h"
#include "SkinImage.h"

#include <JuceHeader.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>

// The plug-in's editor window. Every child is a direct member, constructed in declaration order
// and added in one fixed order, which is the stacking order; children that start hidden are
// hidden right after they are added. The editor listens to its interactive children and tells
// the sender apart by comparing it with its members. Widget fields are plain: whoever writes
// them repaints the widget.
//
// Members are public: the set-up, colour, label, refresh and click code all work on them.
//
// The processor's model is read and written under its curveModelLock (see the processor's
// threads comment); what calls the host (sendLineChangeToHost, a parameter set with host
// notification) runs after the lock is released.
class LineEditorAudioProcessorEditor : public juce::AudioProcessorEditor,
                                       public juce::Timer,
                                       public juce::Button::Listener,
                                       public juce::TextEditor::Listener,
                                       public juce::Slider::Listener
{
public:
    static constexpr int refreshIntervalMs = 60;

    LineEditorAudioProcessorEditor (LineEditorAudioProcessor& p, juce::AudioProcessorValueTreeState& vts);
    ~LineEditorAudioProcessorEditor() override;

    // The constructor's and the destructor's work. The analysis skips constructors and
    // destructors, so their bodies do nothing but call these, where it sees every model access.
    void openWindow() KALVO_EXCLUDES (processorRef.curveModelLock);
    void closeWindow() KALVO_EXCLUDES (processorRef.curveModelLock);

    void mouseDown (const juce::MouseEvent& e) override;
    void mouseUp (const juce::MouseEvent& e) override KALVO_EXCLUDES (processorRef.curveModelLock);
    void paint (juce::Graphics& g) override;
    void resized() override KALVO_EXCLUDES (processorRef.curveModelLock);
    void timerCallback() override KALVO_EXCLUDES (processorRef.curveModelLock);
    void buttonClicked (juce::Button* button) override;
    void textEditorReturnKeyPressed (juce::TextEditor& editor) override;
    void textEditorEscapeKeyPressed (juce::TextEditor& editor) override;
    void sliderValueChanged (juce::Slider* slider) override;
    void sliderDragStarted (juce::Slider* slider) override KALVO_EXCLUDES (processorRef.curveModelLock);
    void sliderDragEnded (juce::Slider* slider) override KALVO_EXCLUDES (processorRef.curveModelLock);

    // Applies the processor's interface scale to the whole window: size, scale fields, fonts,
    // the displays that depend on the pixel size, and every child's bounds.
    void setElementSizes() KALVO_EXCLUDES (processorRef.curveModelLock);

    // 0 the main panel, 1 the about panel; any other number hides everything but the skin.
    void ViewSelector (int view);

    // Colour scheme and status labels, after the change that they mirror.
    void setPowerColors();
    void ColorLineTabs();
    void ColorSoloMuteButts();
    void setSateLAbelText();
    void ColorStateGraph();
    void setUndoRedoLabels() KALVO_EXCLUDES (processorRef.curveModelLock);
    void setIndecLabelText();

    // Preset lists and the preset name shown in the bar.
    void LoadPresetsList();
    void SetPresetNameForMenu (bool modified) KALVO_EXCLUDES (processorRef.curveModelLock);

    // The child placed by the layout tables as element `element` of `group`, or nullptr.
    juce::Component* layoutChild (EditorLayout::Group group, int element);

    // What the processor's createEditor builds once the plug-in has installed it.
    static juce::AudioProcessorEditor* create (LineEditorAudioProcessor& p);

    // Fills shapeThumbnails from the constant thumbnail table, before the first layout feeds
    // its rows to the shape graphs.
    void fillShapeThumbnails();

    // Configuration of each group of children, in the constructor's order; each runs just before
    // its children are added (the constructor adds them, and hides what starts hidden), with the
    // model lock held.
    void setUpSkinImage();
    void setUpIconButton (int k) KALVO_REQUIRES (processorRef.curveModelLock);
    void setUpPresetEntry() KALVO_REQUIRES (processorRef.curveModelLock);
    void setUpFrames();
    void setUpCategoryIcon();
    void setUpLineIconAndMeter (int line);
    void setUpLengthGroup (int line) KALVO_REQUIRES (processorRef.curveModelLock); // with syncIcons[line]
    void setUpStateIcons();
    void setUpSoloMuteIcons();
    void setUpGlideGroup (int line) KALVO_REQUIRES (processorRef.curveModelLock);
    void setUpMasterMix() KALVO_EXCLUDES (processorRef.curveModelLock); // attaches its knob
    void setUpMixGroup (int line) KALVO_REQUIRES (processorRef.curveModelLock);
    void setUpLevelGroups() KALVO_EXCLUDES (processorRef.curveModelLock); // attaches their knobs
    void setUpGridLabels();
    void setUpCurveEditors() KALVO_REQUIRES (processorRef.curveModelLock);
    void setUpGraphs() KALVO_REQUIRES (processorRef.curveModelLock);
    void setUpPlayMarker();
    void setUpShapeGraphs();
    void setUpStateGraphs() KALVO_REQUIRES (processorRef.curveModelLock);
    void setUpCrossover() KALVO_REQUIRES (processorRef.curveModelLock);
    void setUpAboutWidgets();

    // The play marker's beats from the processor's beatsPerBar and the marker's width.
    void updateMarkerBeats();

    // Sets a knob bound to a host parameter to the parameter's value, without notification.
    void showParameterValue (juce::Slider& knob, const char* parameterID);

    //==============================================================================================
    int32_t windowWidth = 0;
    int32_t windowHeight = 0;
    LineEditorAudioProcessor& processorRef;
    juce::AudioProcessorValueTreeState& valueTreeState;
    // [0..3] the line slider groups, [4] unused, [5..7] the level knobs, [8] the tooltip window,
    // menus, alerts and the name entry with its buttons.
    LooknFeel1 lookAndFeels[9];
    LooknFeel2 knobLookAndFeel;
    // Declared after the look-and-feels, so it is destroyed before the one that styles it.
    juce::TooltipWindow tooltipWindow{ nullptr, 700 };
    juce::Colour palette[18];

    LineEditorUI lineEditorUI1;
    LineEditorUI lineEditorUI2;
    GraphDraw waveformGraph;
    // The values waveformGraph was last given (see showWaveform).
    float shownWave[LineEditorAudioProcessor::tableSize] = {};
    GraphDraw previewGraph;
    Icons categoryIcon;
    bool categoryLeftClick = false;
    juce::String categoryNames[4] = { "Basic", "Ducking", "Gate", "Rhythm" };
    GraphDraw shapeGraphs[40];
    Icons shapeFrames[10];
    GraphDraw stateGraphs[48];
    Icons stateFrames[12];
    SkinImage skinImage;

    Icons iconButtons[22];
    Icons syncIcons[4];
    Icons lineIcons[4];
    LevelMeter levelMeters[4];
    Icons soloIcons[3];
    Icons muteIcons[3];
    Icons stateIcons[12];

    juce::String presetExtension;
    juce::TextEditor presetNameEditor;
    // The preset's name as the entry showed it when it opened: the rename writes nothing once the
    // preset has another (a host restored one meanwhile).
    juce::String presetNameEntered;
    juce::TextButton saveButton;
    juce::TextButton cancelButton;
    juce::Array<juce::File> presetSubfolders;
    juce::Array<juce::File> presetFiles[50];
    int32_t presetFileCounts[50] = {};
    int32_t numPresetSubfolders = 0;
    juce::Array<juce::File> unreadablePresetFolders;
    PresetListCache presetListCache; // what LoadPresetsList reads, kept while the folders are unchanged

    juce::Label aboutLabels[2];
    // Built with their addresses: setting one later copies an empty buffer through a null pointer.
    juce::HyperlinkButton linkButtons[2]{ { {}, juce::URL (EditorLinks::productPage) },
                                          { {}, juce::URL (EditorLinks::homePage) } };
    juce::Label versionLabel;
    juce::Label shortVersionLabel;

    juce::Slider lengthSliders[4];
    juce::Label lengthLabels[8];
    juce::Slider glideSliders[4];
    juce::Label glideLabels[8];

    juce::Slider masterMixSlider;
    std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment> masterMixAttachment;
    juce::Label masterMixLabel;

    juce::Slider mixSliders[4];
    juce::Label mixLabels[8];
    // The drags of mixSliders under way, and those the host heard begin as a change of the
    // line-mix parameter: at their first move that reached it.
    bool mixDragged[4] = {};
    bool mixGestures[4] = {};

    juce::Slider lowLevelSlider;
    std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment> lowLevelAttachment;
    juce::Label lowLevelLabels[2];
    juce::Slider midLevelSlider;
    std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment> midLevelAttachment;
    juce::Label midLevelLabels[2];
    juce::Slider highLevelSlider;
    std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment> highLevelAttachment;
    juce::Label highLevelLabels[2];

    juce::Slider splitSliders[2];
    FreqDisplay freqDisplay;
    juce::Label splitLabels[2];
    RectDrawComp playMarker;
    juce::Label gridLabels[5];

    float shapeThumbnails[40][100] = {};

    // Menus, alerts, file choosers and the folder reveal go through this (tests put their own).
    ModalSeam* modalSeam = &ModalSeam::system();

    // mouseUp's dispatch: the released child, by address, to its action.
    std::map<const juce::Component*, std::function<void (const juce::MouseEvent&)>> releaseActions;

    // Commits the edit either curve editor holds (finished, or a drag still in progress, which
    // ends) into the line and state it was loaded for, as one undo step, before anything reloads
    // them. An edit whose stored curve was replaced meanwhile (a load, a host restore), or whose
    // curve editor was loaded without its line and state, is dropped.
    // Without takeDrags a drag in progress is left to go on: the refresh passes only take one
    // when they are about to reload the curve editors. The check that the store won and the
    // commit are one step under the model lock; the host hears of the change after it.
    void commitPendingEdits (bool takeDrags = true) KALVO_EXCLUDES (processorRef.curveModelLock);

    // Click actions (mouseUp's branches).
    void powerClicked() KALVO_EXCLUDES (processorRef.curveModelLock);
    void lineClicked (int line) KALVO_EXCLUDES (processorRef.curveModelLock);
    void soloClicked (int band) KALVO_EXCLUDES (processorRef.curveModelLock);
    void muteClicked (int band) KALVO_EXCLUDES (processorRef.curveModelLock);
    void stateGraphReleased (int state, const juce::ModifierKeys& mods)
        KALVO_EXCLUDES (processorRef.curveModelLock);
    void stateIconReleased (int state, const juce::ModifierKeys& mods)
        KALVO_EXCLUDES (processorRef.curveModelLock);
    void syncPressed (int line) KALVO_EXCLUDES (processorRef.curveModelLock);
    void toolClicked (int icon) KALVO_EXCLUDES (processorRef.curveModelLock); // iconButtons 6..21
    void categoryClicked() KALVO_EXCLUDES (processorRef.curveModelLock);
    void showCategory() KALVO_EXCLUDES (processorRef.curveModelLock);
    void shapeClicked (int shape) KALVO_EXCLUDES (processorRef.curveModelLock);
    void presetMenuClicked() KALVO_EXCLUDES (processorRef.curveModelLock);
    void runPresetCommand (int id) KALVO_EXCLUDES (processorRef.curveModelLock);
    void presetBrowserClicked() KALVO_EXCLUDES (processorRef.curveModelLock);
    void presetStepClicked (bool forward) KALVO_EXCLUDES (processorRef.curveModelLock);

private:
    // Shows an icon lit (0), pressed (1) or dim (2); repaints it only when that changes.
    static void setIconState (Icons& icon, int state);

    void addChildrenInStackingOrder() KALVO_EXCLUDES (processorRef.curveModelLock);
    void setScaleFields (float s);
    void reloadDisplays() KALVO_REQUIRES (processorRef.curveModelLock);
    void setFonts (float s) KALVO_REQUIRES (processorRef.curveModelLock);
    void placeChildren (float s);
    int editedLine() const noexcept;
    void connectActions();
    void connectToolActions();
    void selectState (int state) KALVO_EXCLUDES (processorRef.curveModelLock);
    void restoreStateIconColours();
    void showStateMenu (int state) KALVO_EXCLUDES (processorRef.curveModelLock);
    void showLearnMenu (int state) KALVO_EXCLUDES (processorRef.curveModelLock);
    void setParameterNotifying (const char* id, float value) KALVO_EXCLUDES (processorRef.curveModelLock);
    void reloadCurveEditors() KALVO_REQUIRES (processorRef.curveModelLock);
    // The refresh pass under the lock; true when it committed an edit the host is to hear of.
    bool refreshModelViews() KALVO_REQUIRES (processorRef.curveModelLock);
    // commitPendingEdits' part under the lock: true when an edit was committed.
    bool commitEdits (bool takeDrags) KALVO_REQUIRES (processorRef.curveModelLock);
    bool commitStage (int stage, bool takeDrag) KALVO_REQUIRES (processorRef.curveModelLock);
    void showUndoRedoCounts() KALVO_REQUIRES (processorRef.curveModelLock);
    // Whether the state (or else the line) clipboard holds something.
    bool clipboardFull (bool state) KALVO_EXCLUDES (processorRef.curveModelLock);
    // Every waveform the graph shows goes through here, so the refresh can skip one that did not
    // change.
    void showWaveform (const float* values);
    int editedState() const noexcept;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (LineEditorAudioProcessorEditor)
};
