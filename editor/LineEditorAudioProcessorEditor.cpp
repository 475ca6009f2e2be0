#include "LineEditorAudioProcessorEditor.h"
#include "PresetAlert.h"

namespace
{
constexpr juce::uint32 paletteColours[18] = { 0xFF4ED36D, 0xFF457250, 0xFF2C372F, 0xFF4ED3C5, 0xFF4CABD3,
                                              0x90FFFFFF, 0xFF49A7E3, 0xFF48DEE3, 0xFF364A55, 0xFFE34949,
                                              0xFFE3754A, 0xFF553333, 0xFFE3CB45, 0xFFCFE345, 0xFF555533,
                                              0xFF52E343, 0xFF3EE388, 0xFF335538 };
} // namespace

//==================================================================================================
LineEditorAudioProcessorEditor::LineEditorAudioProcessorEditor (LineEditorAudioProcessor& p,
                                                                juce::AudioProcessorValueTreeState& vts)
    : juce::AudioProcessorEditor (p), processorRef (p), valueTreeState (vts)
{
    openWindow();
}

LineEditorAudioProcessorEditor::~LineEditorAudioProcessorEditor()
{
    closeWindow();
}

void LineEditorAudioProcessorEditor::openWindow()
{
    // The thumbnails come first: setting the size lays the children out and feeds them.
    fillShapeThumbnails();

    const float s = processorRef.scaling;
    windowWidth = EditorLayout::scaled (EditorLayout::logicalWidth, s);
    windowHeight = EditorLayout::scaled (EditorLayout::logicalHeight, s);
    setSize (windowWidth, windowHeight);

    for (int i = 0; i < 18; ++i)
        palette[i] = juce::Colour (paletteColours[i]);

    presetExtension = "kvp";

    for (int line = 0; line < 4; ++line)
    {
        lookAndFeels[line].scale = s;
        lookAndFeels[line].popupFontSize = 11.0f * s;
    }
    for (int band = 1; band <= 3; ++band)
    {
        auto& look = lookAndFeels[4 + band];
        look.accentColour = palette[6 + 3 * band];
        look.trackColour = palette[8 + 3 * band];
        look.menuBackgroundColour = palette[7 + 3 * band];
        look.rotaryStyle = 2;
        look.ringInnerRadius = 0.95f;
        look.rotaryStartAngle = 1.24f * juce::MathConstants<float>::pi;
        look.rotaryEndAngle = 2.76f * juce::MathConstants<float>::pi;
    }
    {
        auto& look = lookAndFeels[8];
        look.accentColour = palette[6];
        look.trackColour = palette[7];
        look.menuBackgroundColour = palette[8];
        look.ringInnerRadius = 0.95f;
        look.rotaryStartAngle = 1.28f * juce::MathConstants<float>::pi;
        look.rotaryEndAngle = 2.72f * juce::MathConstants<float>::pi;
        look.menuTextColour = palette[6];
        look.menuHighlightedTextColour = juce::Colour (0xFF202020);
        look.menuHighlightColour = palette[6];
        look.scale = s;
        look.popupFontSize = 11.0f * s;
    }

    // Always on top, so it ends up the last child although it is added first.
    tooltipWindow.setLookAndFeel (&lookAndFeels[8]);
    addAndMakeVisible (tooltipWindow);

    // Attaching a knob takes its parameter's listener lock, which a host thread holds while it
    // tells its own listener of a change, and that listener may save or wait for a save, which
    // needs the model lock: so they attach before addChildrenInStackingOrder takes it.
    setUpMasterMix();
    setUpLevelGroups();
    addChildrenInStackingOrder();

    setPowerColors();
    ColorLineTabs();

    // A new window always opens on the main view.
    ViewSelector (0);

    connectActions();

    processorRef.editorOpen = true;
    startTimer (refreshIntervalMs);
}

void LineEditorAudioProcessorEditor::closeWindow()
{
    processorRef.editorOpen = false;
    // A host may close the window within a refresh period of a release: no pass would follow.
    commitPendingEdits();
    // An alert still up answers nobody, and lets go of lookAndFeels[8] before it goes.
    PresetAlert::dismissAll (*this);

    // Closed by the host from inside a menu or an alert: what is on show lets go of our looks.
    for (auto& look : lookAndFeels)
        ModalSeam::releaseLookAndFeel (look);
    ModalSeam::releaseLookAndFeel (lineEditorUI1.menuLookAndFeel);
    ModalSeam::releaseLookAndFeel (lineEditorUI2.menuLookAndFeel);

    // No child may call back into an editor whose members are going.
    for (auto* child : getChildren())
        child->removeMouseListener (this);

    for (auto* group : { &lengthSliders, &mixSliders, &glideSliders })
        for (auto& slider : *group)
            slider.removeListener (this);
    // Closed in the middle of a drag: the host must not wait for the end of that change.
    for (auto& slider : mixSliders)
        sliderDragEnded (&slider);
    for (auto& slider : splitSliders)
        slider.removeListener (this);

    saveButton.removeListener (this);
    cancelButton.removeListener (this);
    for (auto& link : linkButtons)
        link.removeListener (this);
    presetNameEditor.removeListener (this);
}

juce::AudioProcessorEditor* LineEditorAudioProcessorEditor::create (LineEditorAudioProcessor& p)
{
    return new LineEditorAudioProcessorEditor (p, p.parameters);
}

void LineEditorAudioProcessorEditor::setIconState (Icons& icon, int state)
{
    if (icon.state != state)
    {
        icon.state = state;
        icon.repaint();
    }
}

int LineEditorAudioProcessorEditor::editedLine() const noexcept
{
    return juce::jlimit (0, 3, processorRef.currentLine.load());
}

int LineEditorAudioProcessorEditor::editedState() const noexcept
{
    return juce::jlimit (0, 11, processorRef.currentState.load());
}

//==================================================================================================
void LineEditorAudioProcessorEditor::addChildrenInStackingOrder()
{
    // A host may restore a state on its own thread while the window opens.
    const ModelLock::Hold hold (processorRef.curveModelLock);
    const auto add = [this] (juce::Component& child) { addAndMakeVisible (child); };
    const auto addHidden = [this] (juce::Component& child)
    {
        addAndMakeVisible (child);
        child.setVisible (false);
    };
    const auto addIcon = [this, &add] (int k) KALVO_REQUIRES (processorRef.curveModelLock)
    {
        setUpIconButton (k);
        add (iconButtons[k]);
    };

    setUpSkinImage();
    add (skinImage);

    for (int k = 0; k <= 4; ++k)
        addIcon (k);

    setUpPresetEntry();
    addHidden (presetNameEditor);
    addHidden (saveButton);
    addHidden (cancelButton);

    addIcon (5);

    setUpFrames();
    for (auto& frame : shapeFrames)
        add (frame);
    for (auto& frame : stateFrames)
        add (frame);

    addIcon (6);
    addIcon (7);

    setUpCategoryIcon();
    add (categoryIcon);

    addIcon (8);
    addIcon (9);
    showUndoRedoCounts();
    for (int k : { 10, 11, 12, 13, 18, 19, 14, 15, 20, 21, 16, 17 })
        addIcon (k);

    for (int line = 0; line < 4; ++line)
    {
        setUpLineIconAndMeter (line);
        add (lineIcons[line]);
        add (levelMeters[line]);
    }

    for (int line = 0; line < 4; ++line)
    {
        setUpLengthGroup (line);
        add (lengthSliders[line]);
        add (lengthLabels[line]);
        add (lengthLabels[line + 4]);
        add (syncIcons[line]);
    }

    setUpStateIcons();
    for (auto& icon : stateIcons)
        add (icon);
    setSateLAbelText();

    setUpSoloMuteIcons();
    for (auto& icon : soloIcons)
        add (icon);
    for (auto& icon : muteIcons)
        add (icon);
    ColorSoloMuteButts();

    for (int line = 0; line < 4; ++line)
    {
        setUpGlideGroup (line);
        add (glideSliders[line]);
        add (glideLabels[line]);
        add (glideLabels[line + 4]);
    }

    add (masterMixSlider);
    add (masterMixLabel);

    for (int line = 0; line < 4; ++line)
    {
        setUpMixGroup (line);
        add (mixSliders[line]);
        add (mixLabels[line]);
        add (mixLabels[line + 4]);
    }

    for (auto* group : { &lowLevelSlider, &midLevelSlider, &highLevelSlider })
    {
        auto& labels = group == &lowLevelSlider   ? lowLevelLabels
                       : group == &midLevelSlider ? midLevelLabels
                                                  : highLevelLabels;
        add (*group);
        add (labels[0]);
        add (labels[1]);
    }

    setUpGridLabels();
    for (auto& label : gridLabels)
        add (label);
    setIndecLabelText();

    const int stage = processorRef.editedStage[editedLine()];
    setUpCurveEditors();
    add (lineEditorUI1);
    lineEditorUI1.setVisible (stage == 0);
    add (lineEditorUI2);
    lineEditorUI2.setVisible (stage == 1);
    ColorLineTabs();

    setUpGraphs();
    add (waveformGraph);
    waveformGraph.setVisible (processorRef.waveView == 1);
    add (previewGraph);

    setUpPlayMarker();
    add (playMarker);

    setUpShapeGraphs();
    for (auto& graph : shapeGraphs)
        add (graph);
    for (int r = 0; r < 40; ++r)
        shapeGraphs[r].setVisible (r / 10 == processorRef.shapeCategory);

    setUpStateGraphs();
    for (auto& graph : stateGraphs)
        add (graph);
    ColorStateGraph();

    setUpCrossover();
    add (freqDisplay);
    add (splitSliders[0]);
    add (splitSliders[1]);
    add (splitLabels[0]);
    add (splitLabels[1]);

    setUpAboutWidgets();
    addHidden (versionLabel);
    add (shortVersionLabel);
    add (aboutLabels[0]);
    add (aboutLabels[1]);
    add (linkButtons[0]);
    add (linkButtons[1]);
}

//==================================================================================================
void LineEditorAudioProcessorEditor::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colours::black);
    g.setColour (palette[0]);
}

void LineEditorAudioProcessorEditor::resized()
{
    setElementSizes();
}

//==================================================================================================
void LineEditorAudioProcessorEditor::setElementSizes()
{
    const float s = processorRef.scaling;

    // Changing the size runs this again from resized, with the same scale, before going on.
    windowWidth = EditorLayout::scaled (EditorLayout::logicalWidth, s);
    windowHeight = EditorLayout::scaled (EditorLayout::logicalHeight, s);
    setSize (windowWidth, windowHeight);

    setScaleFields (s);
    // Bounds before the displays are refed: their points follow the size they have then.
    placeChildren (s);
    // An edit the refresh has not committed yet goes into the model before the curve editors are
    // loaded from it again.
    commitPendingEdits();
    {
        const ModelLock::Hold hold (processorRef.curveModelLock);
        reloadDisplays();
        setFonts (s);
    }

    // The marker's beats follow its width, so a new scale needs a new beat width.
    updateMarkerBeats();
}

void LineEditorAudioProcessorEditor::setScaleFields (float s)
{
    skinImage.scale = s;
    skinImage.repaint();
    freqDisplay.scale = s;
    freqDisplay.repaint();

    for (auto& look : lookAndFeels)
        look.scale = s;

    const int inset = EditorLayout::scaled (4.0f, s);
    for (auto* graph : { &waveformGraph, &previewGraph })
    {
        graph->thickness = s;
        graph->inset = inset;
    }

    for (auto* curveEditor : { &lineEditorUI1, &lineEditorUI2 })
    {
        curveEditor->gridInset = s;
        curveEditor->margin = 4.0f * s;
        curveEditor->gridThickness = s;
        curveEditor->lineThickness = s;
        curveEditor->handleOutline = s;
        curveEditor->pointSize = 5.0f * s;
        curveEditor->menuLookAndFeel.scale = s;
        curveEditor->repaint();
    }

    playMarker.scale = s;
    playMarker.repaint();

    const auto scaleIcon = [s] (Icons& icon)
    {
        icon.scale = s;
        icon.repaint();
    };
    const auto scaleIcons = [&scaleIcon] (auto& icons)
    {
        for (auto& icon : icons)
            scaleIcon (icon);
    };
    scaleIcons (iconButtons);
    scaleIcons (shapeFrames);
    scaleIcons (stateFrames);
    scaleIcons (soloIcons);
    scaleIcons (muteIcons);
    scaleIcons (stateIcons);
    scaleIcons (lineIcons);
    scaleIcons (syncIcons);
    scaleIcon (categoryIcon);

    for (auto& meter : levelMeters)
    {
        meter.scale = s;
        meter.repaint();
    }

    for (auto& graph : shapeGraphs)
    {
        graph.thickness = s;
        graph.inset = inset;
    }
    for (auto& graph : stateGraphs)
    {
        graph.thickness = s;
        graph.inset = inset;
    }
}

void LineEditorAudioProcessorEditor::reloadDisplays()
{
    for (int r = 0; r < 40; ++r)
        shapeGraphs[r].setPoint (shapeThumbnails[r]);

    const int line = editedLine(), state = editedState();
    lineEditorUI1.setLinePoints (ModelReading (processorRef).linePoints1()[line][state], line, state);
    lineEditorUI2.setLinePoints (ModelReading (processorRef).linePoints2()[line][state], line, state);
    previewGraph.setPoint (ModelReading (processorRef).modulationArray()[line][state]);

    float wave[LineEditorAudioProcessor::tableSize];
    processorRef.copyWaveDisplay (wave);
    showWaveform (wave);
}

void LineEditorAudioProcessorEditor::setFonts (float s)
{
    const juce::Font value (10.0f * s, juce::Font::plain), caption (9.0f * s, juce::Font::bold),
        grid (9.0f * s, juce::Font::plain), split (11.0f * s, juce::Font::bold);

    for (int line = 0; line < 4; ++line)
    {
        for (auto* labels : { &lengthLabels, &glideLabels, &mixLabels })
        {
            (*labels)[line].setFont (value);
            (*labels)[line + 4].setFont (caption);
        }
    }
    for (auto* labels : { &lowLevelLabels, &midLevelLabels, &highLevelLabels })
    {
        (*labels)[0].setFont (value);
        (*labels)[1].setFont (caption);
    }
    masterMixLabel.setFont (caption);
    for (auto& label : gridLabels)
        label.setFont (grid);
    for (auto& label : splitLabels)
        label.setFont (split);
    versionLabel.setFont (juce::Font (9.0f * s, juce::Font::bold));
    shortVersionLabel.setFont (juce::Font (8.0f * s, juce::Font::bold));

    // A font applies only to text typed after it is set, so the entry is refilled; unsaved
    // typing is lost.
    presetNameEditor.setFont (juce::Font (10.0f * s, juce::Font::bold));
    presetNameEditor.clear();
    presetNameEditor.setText (ModelReading (processorRef).presetName(), true);
}

void LineEditorAudioProcessorEditor::placeChildren (float s)
{
    for (const auto& entry : EditorLayout::entries)
    {
        for (int element = entry.first; element < entry.first + entry.count; ++element)
        {
            if (auto* child = layoutChild (entry.group, element))
            {
                const auto box = EditorLayout::place (entry, element, s);
                child->setBounds (box.x, box.y, box.w, box.h);
            }
        }
    }
}

juce::Component* LineEditorAudioProcessorEditor::layoutChild (EditorLayout::Group group, int element)
{
    using G = EditorLayout::Group;
    const auto pick = [element] (auto& array) -> juce::Component*
    {
        const int size = static_cast<int> (std::size (array));
        return element >= 0 && element < size ? &array[static_cast<size_t> (element)] : nullptr;
    };
    const auto single = [element] (juce::Component& child) -> juce::Component*
    { return element == 0 ? &child : nullptr; };

    switch (group)
    {
        case G::skinImage:
            return single (skinImage);
        case G::aboutLabels:
            return pick (aboutLabels);
        case G::shortVersionLabel:
            return single (shortVersionLabel);
        case G::linkButtons:
            return pick (linkButtons);
        case G::versionLabel:
            return single (versionLabel);
        case G::iconButtons:
            return pick (iconButtons);
        case G::presetNameEditor:
            return single (presetNameEditor);
        case G::saveButton:
            return single (saveButton);
        case G::cancelButton:
            return single (cancelButton);
        case G::lineIcons:
            return pick (lineIcons);
        case G::masterMixSlider:
            return single (masterMixSlider);
        case G::masterMixLabel:
            return single (masterMixLabel);
        case G::freqDisplay:
            return single (freqDisplay);
        case G::splitSliders:
            return pick (splitSliders);
        case G::splitLabels:
            return pick (splitLabels);
        case G::levelMeters:
            return pick (levelMeters);
        case G::waveformGraph:
            return single (waveformGraph);
        case G::previewGraph:
            return single (previewGraph);
        case G::lineEditorUI1:
            return single (lineEditorUI1);
        case G::lineEditorUI2:
            return single (lineEditorUI2);
        case G::playMarker:
            return single (playMarker);
        case G::gridLabels:
            return pick (gridLabels);
        case G::categoryIcon:
            return single (categoryIcon);
        case G::shapeGraphs:
            return pick (shapeGraphs);
        case G::shapeFrames:
            return pick (shapeFrames);
        case G::stateGraphs:
            return pick (stateGraphs);
        case G::stateFrames:
            return pick (stateFrames);
        case G::stateIcons:
            return pick (stateIcons);
        case G::glideSliders:
            return pick (glideSliders);
        case G::glideLabels:
            return pick (glideLabels);
        case G::syncIcons:
            return pick (syncIcons);
        case G::lengthSliders:
            return pick (lengthSliders);
        case G::lengthLabels:
            return pick (lengthLabels);
        case G::mixSliders:
            return pick (mixSliders);
        case G::mixLabels:
            return pick (mixLabels);
        case G::highLevelSlider:
            return single (highLevelSlider);
        case G::midLevelSlider:
            return single (midLevelSlider);
        case G::lowLevelSlider:
            return single (lowLevelSlider);
        case G::highLevelLabels:
            return pick (highLevelLabels);
        case G::midLevelLabels:
            return pick (midLevelLabels);
        case G::lowLevelLabels:
            return pick (lowLevelLabels);
        case G::soloIcons:
            return pick (soloIcons);
        case G::muteIcons:
            return pick (muteIcons);
    }
    return nullptr;
}

void LineEditorAudioProcessorEditor::updateMarkerBeats()
{
    const float beatsPerBar = processorRef.beatsPerBar;
    playMarker.beatCount = EditorLayout::beatCount (beatsPerBar);
    playMarker.beatWidth = EditorLayout::beatWidth (playMarker.getWidth(), beatsPerBar);
}

//==================================================================================================
void LineEditorAudioProcessorEditor::ViewSelector (int view)
{
    processorRef.currentView = view;
    skinImage.view = view;
    skinImage.repaint();

    const bool main = view == 0, about = view == 1;
    const int line = editedLine();
    const int stage = processorRef.editedStage[line];

    for (auto* child : getChildren())
        if (child != &skinImage && child != &tooltipWindow)
            child->setVisible (main);

    waveformGraph.setVisible (main && processorRef.waveView == 1);
    lineEditorUI1.setVisible (main && stage == 0);
    lineEditorUI2.setVisible (main && stage == 1);
    for (int r = 0; r < 40; ++r)
        shapeGraphs[r].setVisible (main && r / 10 == processorRef.shapeCategory);

    for (int i = 0; i < 4; ++i)
    {
        const bool shown = main && i == line;
        for (auto* child : std::initializer_list<juce::Component*>{
                 &lengthSliders[i], &lengthLabels[i], &lengthLabels[i + 4], &syncIcons[i], &glideSliders[i],
                 &glideLabels[i], &glideLabels[i + 4], &mixSliders[i], &mixLabels[i], &mixLabels[i + 4] })
            child->setVisible (shown);
    }

    aboutLabels[1].setVisible (about);
    versionLabel.setVisible (about);

    // The rename entry opens only from the preset menu.
    presetNameEditor.setVisible (false);
    saveButton.setVisible (false);
    cancelButton.setVisible (false);
}
