// The editor's children configured group by group, and the knobs' handling.
#include "LineEditorAudioProcessorEditor.h"

#include "IconButtonTable.h"
#include "KnobHandling.h"
#include "KnobReadouts.h"
#include "ShapeThumbnailTable.h"
#include "UnlinkedLineMixes.h"
#include "WidgetSetUp.h"

#include <cstring>
#include <utility>

namespace
{
using Attachment = juce::AudioProcessorValueTreeState::SliderAttachment;

// The usual toggle look: lit when set, dim when not.
int litWhen (bool on)
{
    return on ? 0 : 2;
}
} // namespace

void LineEditorAudioProcessorEditor::fillShapeThumbnails()
{
    static_assert (sizeof (shapeThumbnails) == sizeof (ShapeThumbnailTable::Rows),
                   "one value per thumbnail point");
    std::memcpy (shapeThumbnails, ShapeThumbnailTable::rows(), sizeof (shapeThumbnails));
}

void LineEditorAudioProcessorEditor::setUpSkinImage()
{
    // The skin takes no clicks of its own: clicks on bare background reach the editor itself.
}

void LineEditorAudioProcessorEditor::setUpIconButton (int k)
{
    const auto& entry = IconButtonTable::entries[k];
    auto& icon = iconButtons[k];
    const bool frame = k == IconButtonTable::frame;

    WidgetSetUp::icon (icon, entry.glyph, processorRef.scaling, frame ? nullptr : this);
    if (frame)
        icon.setInterceptsMouseClicks (false, false);

    // The preset bar keeps the Main line's colours whatever line is edited.
    if (k <= 4)
    {
        icon.onColour = palette[6];
        icon.pressedColour = palette[8];
        icon.offColour = palette[6].withAlpha (static_cast<juce::uint8> (0x7F));
    }

    const int stage = processorRef.editedStage[editedLine()];
    switch (k)
    {
        case 6:
            icon.state = litWhen (stage == 0);
            break;
        case 7:
            icon.state = litWhen (stage == 1);
            break;
        case 11:
            icon.state = litWhen (ModelReading (processorRef).lineClipboardFull());
            break;
        case 19:
            icon.state = litWhen (ModelReading (processorRef).stateClipboardFull());
            break;
        case 20: // lit while switches wait for the cycle's end
            icon.state = litWhen (!processorRef.changeImmediately);
            break;
        case 21:
            icon.state = litWhen (processorRef.linkMix);
            break;
        default:
            break;
    }

    if (k == 3)
        WidgetSetUp::caption (icon, ModelReading (processorRef).presetName(), 9.0f, juce::Font::bold);
    else if (*entry.caption != 0)
        WidgetSetUp::caption (icon, entry.caption, 9.0f, juce::Font::bold);

    if (*entry.tooltip != 0)
        icon.setTooltip (entry.tooltip);
    icon.repaint();
}

void LineEditorAudioProcessorEditor::setUpPresetEntry()
{
    presetNameEditor.setMultiLine (false);
    presetNameEditor.setReadOnly (false);
    presetNameEditor.setScrollbarsShown (false);
    presetNameEditor.setCaretVisible (true);
    presetNameEditor.setPopupMenuEnabled (true);
    presetNameEditor.setColour (juce::TextEditor::textColourId, palette[6]);
    presetNameEditor.setColour (juce::TextEditor::backgroundColourId, juce::Colour (0xFF121212));
    presetNameEditor.setColour (juce::CaretComponent::caretColourId, palette[6]);
    presetNameEditor.setColour (juce::TextEditor::highlightColourId, palette[8]);
    presetNameEditor.setText (ModelReading (processorRef).presetName(), false);
    presetNameEditor.applyColourToAllText (palette[6]);
    presetNameEditor.setLookAndFeel (&lookAndFeels[8]);
    presetNameEditor.addListener (this);

    saveButton.setButtonText ("Save");
    cancelButton.setButtonText ("Cancel");
    for (auto* button : { &saveButton, &cancelButton })
    {
        button->addListener (this);
        button->setColour (juce::TextButton::textColourOffId, palette[6]);
        button->setLookAndFeel (&lookAndFeels[8]);
        button->setMouseCursor (juce::MouseCursor::PointingHandCursor);
    }
}

void LineEditorAudioProcessorEditor::setUpFrames()
{
    const auto frame = [this] (Icons& icon)
    {
        icon.setWantsKeyboardFocus (false);
        icon.iconType = 6;
        icon.setInterceptsMouseClicks (false, false);
        icon.setMouseCursor (juce::MouseCursor::PointingHandCursor);
        icon.scale = processorRef.scaling;
        icon.repaint();
    };
    for (auto& icon : shapeFrames)
        frame (icon);
    for (auto& icon : stateFrames)
        frame (icon);
}

void LineEditorAudioProcessorEditor::setUpCategoryIcon()
{
    WidgetSetUp::icon (categoryIcon, 4, processorRef.scaling, this);
    WidgetSetUp::caption (categoryIcon, categoryNames[juce::jlimit (0, 3, processorRef.shapeCategory)], 9.0f,
                          juce::Font::bold);
}

void LineEditorAudioProcessorEditor::setUpLineIconAndMeter (int line)
{
    static const char* const names[] = { "Main", "Low", "Mid", "High" };
    auto& icon = lineIcons[line];
    WidgetSetUp::icon (icon, 4, processorRef.scaling, this);
    WidgetSetUp::caption (icon, names[line], 9.0f, juce::Font::bold);
    icon.state = litWhen (line == editedLine());
    icon.repaint();

    levelMeters[line].scale = processorRef.scaling;
    levelMeters[line].setInterceptsMouseClicks (false, false);
    levelMeters[line].repaint();
}

void LineEditorAudioProcessorEditor::setUpLengthGroup (int line)
{
    const float s = processorRef.scaling;
    WidgetSetUp::editingKnob (lengthSliders[line], lookAndFeels[line], 150, { 0.0, 1.0, 0.001 }, 0.63,
                              "Loop Length (Bars)",
                              ModelReading (processorRef).lineLength()[line][editedState()], this);

    WidgetSetUp::label (lengthLabels[line],
                        KnobReadouts::length (processorRef.activeLength[line], processorRef.activeSync[line]),
                        10.0f * s, false, juce::Justification::centred);
    WidgetSetUp::label (lengthLabels[line + 4], "Length", 9.0f * s, true, juce::Justification::centred);

    auto& sync = syncIcons[line];
    WidgetSetUp::icon (sync, 13, s, this);
    sync.state = litWhen (processorRef.activeSync[line]);
    sync.text = "Sync";
    sync.setTooltip ("Tempo Sync");
    sync.repaint();
}

void LineEditorAudioProcessorEditor::setUpStateIcons()
{
    for (auto& icon : stateIcons)
    {
        WidgetSetUp::icon (icon, 13, processorRef.scaling, this);
        icon.fontHeight = 9.0f;
        icon.justification = juce::Justification::centred;
        icon.fontStyle = juce::Font::plain;
    }
}

void LineEditorAudioProcessorEditor::setUpSoloMuteIcons()
{
    const struct
    {
        Icons* icons;
        const char* caption;
        const char* tooltip;
        const LineEditorAudioProcessor::Flag* on;
    } families[] = { { soloIcons, "S", "Solo", processorRef.bandSolo },
                     { muteIcons, "M", "Mute", processorRef.bandMute } };

    for (const auto& family : families)
        for (int band = 0; band < 3; ++band)
        {
            auto& icon = family.icons[band];
            WidgetSetUp::icon (icon, 13, processorRef.scaling, this);
            WidgetSetUp::caption (icon, family.caption, 10.0f, juce::Font::plain);
            icon.setTooltip (family.tooltip);
            icon.state = litWhen (family.on[band]);
            icon.repaint();
        }
}

void LineEditorAudioProcessorEditor::setUpGlideGroup (int line)
{
    const float s = processorRef.scaling;
    auto& knob = glideSliders[line];
    // Legal values are 0.2 ms plus whole milliseconds; the skew gives short times more travel.
    WidgetSetUp::editingKnob (knob, lookAndFeels[line], 150, { 0.2, 500.0, 1.0, 0.5 }, 10.0,
                              "Smooth Time (MS)",
                              ModelReading (processorRef).bandGlide()[line][editedState()], this);

    WidgetSetUp::label (glideLabels[line], KnobReadouts::glide (static_cast<float> (knob.getValue())),
                        10.0f * s, false, juce::Justification::centred);
    WidgetSetUp::label (glideLabels[line + 4], "Smooth", 9.0f * s, true, juce::Justification::centred);
}

void LineEditorAudioProcessorEditor::setUpMasterMix()
{
    // The attachment sets the range, the value and the double-click default from the
    // parameter, so it comes after the look and is never followed by a range of our own.
    WidgetSetUp::knob (masterMixSlider, knobLookAndFeel, 150);
    masterMixAttachment = std::make_unique<Attachment> (valueTreeState, "MixMaster", masterMixSlider);
    showParameterValue (masterMixSlider, "MixMaster");
    masterMixSlider.setTooltip ("Dry/Wet Mix");

    WidgetSetUp::label (masterMixLabel,
                        KnobReadouts::masterMix (static_cast<float> (masterMixSlider.getValue())),
                        9.0f * processorRef.scaling, true, juce::Justification::centredLeft);
}

void LineEditorAudioProcessorEditor::showParameterValue (juce::Slider& knob, const char* parameterID)
{
    // The attachment moves its knob at once only on JUCE's message thread. A host may build the
    // window on a thread of its own (a VST3 host on Linux: its thread becomes the message thread
    // only when the window is attached), and the knob then moves later, after its read-out was
    // written: the knob takes the value here, whichever thread this is.
    if (auto* parameter = valueTreeState.getParameter (parameterID))
        knob.setValue (parameter->convertFrom0to1 (parameter->getValue()), juce::dontSendNotification);
}

void LineEditorAudioProcessorEditor::setUpMixGroup (int line)
{
    const float s = processorRef.scaling;
    auto& knob = mixSliders[line];
    WidgetSetUp::editingKnob (knob, lookAndFeels[line], 150, { 0.0, 1.0, 0.001 }, 0.5, "Dry/Wet Mix",
                              UnlinkedLineMixes::playing (processorRef, line, editedState()), this);

    WidgetSetUp::label (mixLabels[line], KnobReadouts::mix (static_cast<float> (knob.getValue())), 10.0f * s,
                        false, juce::Justification::centred);
    WidgetSetUp::label (mixLabels[line + 4], "Mix", 9.0f * s, true, juce::Justification::centred);
}

void LineEditorAudioProcessorEditor::setUpLevelGroups()
{
    struct Row
    {
        juce::Slider& knob;
        std::unique_ptr<Attachment>& attachment;
        juce::Label* labels;
        LooknFeel1& look;
        const char* parameter;
        const char* tooltip;
        const char* caption;
    };
    const Row rows[] = {
        { lowLevelSlider, lowLevelAttachment, lowLevelLabels, lookAndFeels[5], "LowLevel", "Low Level",
          "Low" },
        { midLevelSlider, midLevelAttachment, midLevelLabels, lookAndFeels[6], "MidLevel", "Mid Level",
          "Mid" },
        { highLevelSlider, highLevelAttachment, highLevelLabels, lookAndFeels[7], "HighLevel", "High Level",
          "High" },
    };

    const float s = processorRef.scaling;
    for (const auto& row : rows)
    {
        WidgetSetUp::knob (row.knob, row.look, 150);
        row.attachment = std::make_unique<Attachment> (valueTreeState, row.parameter, row.knob);
        showParameterValue (row.knob, row.parameter);
        row.knob.setTooltip (row.tooltip);
        WidgetSetUp::label (row.labels[0], KnobReadouts::level (static_cast<float> (row.knob.getValue())),
                            10.0f * s, false, juce::Justification::centred);
        WidgetSetUp::label (row.labels[1], row.caption, 9.0f * s, true, juce::Justification::centred);
    }
}

void LineEditorAudioProcessorEditor::setUpGridLabels()
{
    for (int k = 0; k < 5; ++k)
        WidgetSetUp::label (gridLabels[k], {}, 9.0f * processorRef.scaling, false,
                            k < 4 ? juce::Justification::centredLeft : juce::Justification::centredRight);
}

void LineEditorAudioProcessorEditor::setUpCurveEditors()
{
    const float s = processorRef.scaling;
    const int line = editedLine(), state = editedState();
    const int numerator = processorRef.timeSigNumerator;

    for (auto* curveEditor : { &lineEditorUI1, &lineEditorUI2 })
    {
        // With the line and state they show, so that an edit made here goes back there.
        curveEditor->setLinePoints (curveEditor == &lineEditorUI1
                                        ? ModelReading (processorRef).linePoints1()[line][state]
                                        : ModelReading (processorRef).linePoints2()[line][state],
                                    line, state);
        curveEditor->timeSigNumerator = numerator;
        // Triple meters snap to a grid that divides by three.
        curveEditor->xSnapDivisions = numerator == 3 || numerator == 6 || numerator == 12 ? 72.0f : 128.0f;
        // The layout, run when the constructor set the size, gave them their scaled sizes.
        curveEditor->menuLookAndFeel.popupFontSize = 11.0f * s;
        curveEditor->snapX = ModelReading (processorRef).snapX();
        curveEditor->snapY = ModelReading (processorRef).snapY();
        curveEditor->repaint();
    }
}

void LineEditorAudioProcessorEditor::setUpGraphs()
{
    float wave[LineEditorAudioProcessor::tableSize];
    processorRef.copyWaveDisplay (wave);
    const float* values[] = { wave,
                              ModelReading (processorRef).modulationArray()[editedLine()][editedState()] };

    // Both lie over the curve editors and let every click through to them.
    GraphDraw* graphs[] = { &waveformGraph, &previewGraph };
    for (int i = 0; i < 2; ++i)
    {
        graphs[i]->mode = 1;
        if (graphs[i] == &waveformGraph)
            showWaveform (values[i]);
        else
            graphs[i]->setPoint (values[i]);
        graphs[i]->setInterceptsMouseClicks (false, false);
        graphs[i]->thickness = processorRef.scaling;
        graphs[i]->inset = EditorLayout::scaled (4.0f, processorRef.scaling);
    }
}

void LineEditorAudioProcessorEditor::setUpPlayMarker()
{
    playMarker.setInterceptsMouseClicks (false, false);
    updateMarkerBeats();
    playMarker.scale = processorRef.scaling;
    playMarker.repaint();
}

void LineEditorAudioProcessorEditor::setUpShapeGraphs()
{
    for (int r = 0; r < 40; ++r)
    {
        shapeGraphs[r].mode = 0;
        shapeGraphs[r].setPoint (shapeThumbnails[r]);
        shapeGraphs[r].setMouseCursor (juce::MouseCursor::PointingHandCursor);
        shapeGraphs[r].addMouseListener (this, false);
    }
}

void LineEditorAudioProcessorEditor::setUpStateGraphs()
{
    // The four lines' rows lie on the same places; only the Main row takes clicks, so a click on
    // any state's picture reaches the Main row's graph of that state.
    for (int line = 0; line < 4; ++line)
        for (int state = 0; state < 12; ++state)
        {
            auto& graph = stateGraphs[line * 12 + state];
            graph.mode = 2;
            graph.setPoint (ModelReading (processorRef).modulationArray()[line][state]);
            graph.setMouseCursor (juce::MouseCursor::PointingHandCursor);
            if (line == 0)
                graph.addMouseListener (this, false);
            else
                graph.setInterceptsMouseClicks (false, false);
        }
}

void LineEditorAudioProcessorEditor::setUpCrossover()
{
    const float s = processorRef.scaling;
    const int state = editedState();
    freqDisplay.setInterceptsMouseClicks (false, false);

    const double defaults[] = { 0.242, 0.7627 }; // about 250 Hz and 2 kHz
    const char* const tooltips[] = { "Low-Mid Split Frequency", "Mid-High Split Frequency" };
    const float positions[] = { ModelReading (processorRef).lmFreq()[state],
                                ModelReading (processorRef).hmFreq()[state] };
    for (int i = 0; i < 2; ++i)
        WidgetSetUp::editingKnob (splitSliders[i], knobLookAndFeel, 200, { 0.0, 1.0, 0.0001 }, defaults[i],
                                  tooltips[i], positions[i], this);

    for (int i = 0; i < 2; ++i)
    {
        splitLabels[i].setColour (juce::Label::textColourId, juce::Colour (0xFF000000));
        WidgetSetUp::label (
            splitLabels[i], KnobReadouts::split (static_cast<float> (splitSliders[i].getValue())), 11.0f * s,
            true, i == 0 ? juce::Justification::centredLeft : juce::Justification::centredRight);
    }

    freqDisplay.lowSplit = static_cast<float> (splitSliders[0].getValue());
    freqDisplay.highSplit = static_cast<float> (splitSliders[1].getValue());
    freqDisplay.scale = s;
    freqDisplay.repaint();
}

void LineEditorAudioProcessorEditor::setUpAboutWidgets()
{
    versionLabel.setColour (juce::Label::textColourId,
                            palette[6].withAlpha (static_cast<juce::uint8> (0x7F)));
    versionLabel.setText (processorRef.versionText, juce::dontSendNotification);
    versionLabel.setJustificationType (juce::Justification::centredRight);
    shortVersionLabel.setColour (juce::Label::textColourId, juce::Colour (0xFF505050));
    shortVersionLabel.setText (processorRef.shortVersionText, juce::dontSendNotification);
    shortVersionLabel.setJustificationType (juce::Justification::centredLeft);
    for (auto* label : { &versionLabel, &shortVersionLabel })
    {
        label->setInterceptsMouseClicks (false, false);
        label->setWantsKeyboardFocus (false);
    }

    // Click areas that draw nothing, over the pictures.
    for (auto& label : aboutLabels)
    {
        label.setText ({}, juce::dontSendNotification);
        label.setWantsKeyboardFocus (false);
        label.addMouseListener (this, false);
        label.setMouseCursor (juce::MouseCursor::PointingHandCursor);
    }

    // Their addresses come with their construction.
    for (auto& link : linkButtons)
    {
        link.setButtonText ({});
        link.addListener (this);
        link.setWantsKeyboardFocus (false);
    }
}

//==================================================================================================
void LineEditorAudioProcessorEditor::sliderValueChanged (juce::Slider* slider)
{
    const float value = static_cast<float> (slider->getValue());
    for (int line = 0; line < 4; ++line)
    {
        if (slider == &lengthSliders[line])
            return KnobHandling::length (processorRef, line, value);
        if (slider == &mixSliders[line])
            return KnobHandling::mix (processorRef, line, value,
                                      mixDragged[line] ? &mixGestures[line] : nullptr);
        if (slider == &glideSliders[line])
        {
            KnobHandling::glide (processorRef, line, value);
            glideLabels[line].setText (KnobReadouts::glide (value), juce::dontSendNotification);
            return;
        }
    }

    for (int moved = 0; moved < 2; ++moved)
        if (slider == &splitSliders[moved])
        {
            const auto positions = KnobHandling::split (processorRef, moved, value);
            // The pushed knob is already stored with the moved one; its own notification would
            // arrive later, perhaps after a state switch, and store into the wrong state.
            if (positions.pushed)
                splitSliders[1 - moved].setValue (moved == 0 ? positions.high : positions.low,
                                                  juce::dontSendNotification);
            return;
        }
}

void LineEditorAudioProcessorEditor::sliderDragStarted (juce::Slider* slider)
{
    for (int line = 0; line < 4; ++line)
        if (slider == &mixSliders[line])
            mixDragged[line] = true;
}

void LineEditorAudioProcessorEditor::sliderDragEnded (juce::Slider* slider)
{
    for (int line = 0; line < 4; ++line)
    {
        if (slider != &mixSliders[line])
            continue;
        mixDragged[line] = false;
        if (std::exchange (mixGestures[line], false))
            UnlinkedLineMixes::endDrag (processorRef, line);
    }
}
