// Colours and captions that follow Power, line and state; the preset lists and the name entry.
#include "EditorColours.h"
#include "LineEditorAudioProcessorEditor.h"
#include "PresetAlert.h"
#include "PresetBrowser.h"
#include "PresetCommands.h"
#include "PresetLists.h"
#include "PresetRename.h"
#include "StatusTexts.h"

namespace
{
using C = EditorColours;

// Widgets are repainted only when a colour really changes: the refresh calls these often.
void recolourGraph (GraphDraw& graph, juce::Colour colour)
{
    if (graph.colour != colour)
    {
        graph.colour = colour;
        graph.repaint();
    }
}

void recolourIcon (Icons& icon, const C::IconColours& colours)
{
    if (icon.onColour != colours.on || icon.pressedColour != colours.pressed || icon.offColour != colours.off)
    {
        icon.onColour = colours.on;
        icon.pressedColour = colours.pressed;
        icon.offColour = colours.off;
        icon.repaint();
    }
}

void setIconText (Icons& icon, const juce::String& text)
{
    if (icon.text != text)
    {
        icon.text = text;
        icon.repaint();
    }
}

void recolourLabel (juce::Label& label, juce::Colour colour)
{
    label.setColour (juce::Label::textColourId, colour); // repaints only on a change
}

void setLineColours (LineEditorUI& editor, juce::Colour line, juce::Colour grid)
{
    auto& menu = editor.menuLookAndFeel;
    menu.accentColour = menu.menuTextColour = menu.menuHighlightColour = line;
    menu.trackColour = menu.menuBackgroundColour = grid;
    menu.menuHighlightedTextColour = juce::Colour (0xFF202020);
    menu.ringInnerRadius = 2.0f * editor.gridInset;
    menu.rotaryStartAngle = 1.28f * juce::MathConstants<float>::pi;
    menu.rotaryEndAngle = 2.72f * juce::MathConstants<float>::pi;

    if (editor.lineColour != line || editor.gridColour != grid)
    {
        editor.lineColour = line;
        editor.gridColour = grid;
        editor.repaint();
    }
}
} // namespace

//==================================================================================================
void LineEditorAudioProcessorEditor::setPowerColors()
{
    ColorStateGraph();

    const float power = processorRef.powerValue.load();
    const bool lit = C::lit (power), framesLit = C::framesLit (power);
    const auto litOr = [lit] (juce::uint8 a, juce::uint8 b) { return C::pick (lit, a, b); };
    const auto white = palette[5];

    recolourGraph (waveformGraph, C::alpha (white, litOr (0x66, 0x26)));
    recolourGraph (previewGraph, C::alpha (white, litOr (0x66, 0x26)));
    if (const auto marker = C::alpha (white, litOr (0x51, 0x1E)); playMarker.colour != marker)
    {
        playMarker.colour = marker;
        playMarker.repaint();
    }

    bool knobsChanged = false;
    for (int line = 0; line < 4; ++line)
        for (auto* look : { &lookAndFeels[line], &lookAndFeels[4 + line] })
        {
            const auto accent = C::alpha (C::bright (palette, line), litOr (0xFF, 0x7F));
            knobsChanged = knobsChanged || look->accentColour != accent;
            look->accentColour = accent;
            look->trackColour = C::alpha (C::dark (palette, line), litOr (0xFF, 0x7F));
            look->menuBackgroundColour = C::alpha (C::second (palette, line), litOr (0xFF, 0x7F));
            look->ringInnerRadius = 0.95f;
            look->rotaryStartAngle = 1.24f * juce::MathConstants<float>::pi;
            look->rotaryEndAngle = 2.76f * juce::MathConstants<float>::pi;
        }
    if (knobsChanged)
    {
        for (int line = 0; line < 4; ++line)
            for (auto* knob : { &lengthSliders[line], &mixSliders[line], &glideSliders[line] })
                knob->repaint();
        for (auto* knob : { &masterMixSlider, &lowLevelSlider, &midLevelSlider, &highLevelSlider })
            knob->repaint();
    }

    for (int line = 0; line < 4; ++line)
    {
        const auto text = C::alpha (C::bright (palette, line), litOr (0xFF, 0x7F));
        for (auto* label : { &lengthLabels[line], &lengthLabels[4 + line], &glideLabels[line],
                             &glideLabels[4 + line], &mixLabels[line], &mixLabels[4 + line] })
            recolourLabel (*label, text);
    }
    recolourLabel (masterMixLabel, C::alpha (C::bright (palette, 0), litOr (0xFF, 0x7F)));
    juce::Label* bandLabels[3][2] = { { &lowLevelLabels[0], &lowLevelLabels[1] },
                                      { &midLevelLabels[0], &midLevelLabels[1] },
                                      { &highLevelLabels[0], &highLevelLabels[1] } };
    for (int band = 0; band < 3; ++band)
        for (auto* label : bandLabels[band])
            recolourLabel (*label, C::alpha (C::bright (palette, band + 1), litOr (0xFF, 0x7F)));
    for (auto& label : gridLabels)
        recolourLabel (label, C::alpha (palette[0], litOr (0xFF, 0x7F)));

    for (auto& frame : stateFrames)
        recolourIcon (frame, framesLit ? C::frameSet (palette, 0, 0xCC, 0x99)
                                       : C::frameSet (palette, 0, 0x66, 0x33));

    const auto iconSet = [&] (int line)
    { return lit ? C::iconSet (palette, line, 0xFF, 0x7F) : C::iconSet (palette, line, 0x7F, 0x33); };
    for (int k : { 18, 19, 14, 15, 20, 21 })
        recolourIcon (iconButtons[k], iconSet (0));

    for (int line = 0; line < 4; ++line)
    {
        recolourIcon (lineIcons[line], iconSet (line));
        if (const auto meter = C::alpha (C::bright (palette, line), litOr (0xB3, 0x59));
            levelMeters[line].colour != meter)
        {
            levelMeters[line].colour = meter;
            levelMeters[line].repaint();
        }
    }

    const auto band = [&] (int line) { return C::alpha (C::bright (palette, line), litOr (0xB3, 0x59)); };
    if (freqDisplay.lowColour != band (1) || freqDisplay.midColour != band (2) ||
        freqDisplay.highColour != band (3))
    {
        freqDisplay.lowColour = band (1);
        freqDisplay.midColour = band (2);
        freqDisplay.highColour = band (3);
        freqDisplay.repaint();
    }

    for (int line = 0; line < 4; ++line)
        recolourIcon (syncIcons[line], iconSet (line));
    for (auto& icon : stateIcons)
        recolourIcon (icon, iconSet (0));

    const auto shape = C::alpha (C::bright (palette, editedLine()), litOr (0xFF, 0x7F));
    for (auto& graph : shapeGraphs)
        recolourGraph (graph, shape);
}

void LineEditorAudioProcessorEditor::ColorLineTabs()
{
    const int cur = editedLine();
    const float power = processorRef.powerValue.load();
    const bool lit = C::lit (power), framesLit = C::framesLit (power);
    const auto a = C::pick (lit, 0xFF, 0x66);

    setLineColours (lineEditorUI1, C::alpha (C::bright (palette, cur), a),
                    C::alpha (C::dark (palette, cur), a));
    setLineColours (lineEditorUI2, C::alpha (C::second (palette, cur), a),
                    C::alpha (C::dark (palette, cur), a));

    ColorStateGraph();

    for (auto& graph : shapeGraphs)
        recolourGraph (graph, C::alpha (C::bright (palette, cur), a));

    recolourIcon (iconButtons[5], framesLit ? C::frameSet (palette, cur, 0xCC, 0x66)
                                            : C::frameSet (palette, cur, 0x66, 0x33));
    for (auto& frame : shapeFrames)
        recolourIcon (frame, framesLit ? C::frameSet (palette, cur, 0xCC, 0x99)
                                       : C::frameSet (palette, cur, 0x66, 0x33));

    const auto tools = lit ? C::iconSet (palette, cur, 0xFF, 0x7F) : C::iconSet (palette, cur, 0x66, 0x33);
    for (int k : { 6, 7, 8, 9, 10, 11, 16, 17, 12, 13 })
        recolourIcon (iconButtons[k], tools);
    recolourIcon (categoryIcon, tools);

    for (auto& label : gridLabels)
        recolourLabel (label, C::alpha (C::bright (palette, cur), a));

    playMarker.repaint();

    // The knob groups belong to the main view: a Power change from the host while the about
    // panel shows must not put them over it.
    const bool mainView = processorRef.currentView == 0;
    for (int line = 0; line < 4; ++line)
        for (auto* child : std::initializer_list<juce::Component*>{
                 &lengthSliders[line], &lengthLabels[line], &syncIcons[line], &lengthLabels[4 + line],
                 &mixSliders[line], &mixLabels[line], &mixLabels[4 + line], &glideSliders[line],
                 &glideLabels[line], &glideLabels[4 + line] })
            child->setVisible (mainView && line == cur);
}

void LineEditorAudioProcessorEditor::ColorSoloMuteButts()
{
    const bool lit = C::lit (processorRef.powerValue.load());
    for (int band = 0; band < 3; ++band)
    {
        const auto colours =
            lit ? C::iconSet (palette, band + 1, 0xFF, 0x7F) : C::iconSet (palette, band + 1, 0x7F, 0x33);
        recolourIcon (soloIcons[band], colours);
        recolourIcon (muteIcons[band], colours);
    }
}

void LineEditorAudioProcessorEditor::ColorStateGraph()
{
    const int cur = editedLine();
    const int playing = processorRef.currentState.load();
    const int requested = C::requestedState (valueTreeState.getRawParameterValue ("State")->load());
    const bool lit = C::lit (processorRef.powerValue.load());

    for (int line = 0; line < 4; ++line)
        for (int state = 0; state < 12; ++state)
            recolourGraph (stateGraphs[12 * line + state],
                           C::stateGraph (palette, line, state, cur, playing, requested, lit));

    for (int state = 0; state < 12; ++state)
        setIconState (stateIcons[state], state == playing ? 0 : 2);
}

//==================================================================================================
void LineEditorAudioProcessorEditor::setSateLAbelText()
{
    for (int i = 0; i < 12; ++i)
        setIconText (stateIcons[i], StatusTexts::stateCaption (processorRef.stateMIDICon[i].load(),
                                                               processorRef.stateMIDINote[i].load()));
}

void LineEditorAudioProcessorEditor::setUndoRedoLabels()
{
    const ModelLock::Hold hold (processorRef.curveModelLock);
    showUndoRedoCounts();
}

void LineEditorAudioProcessorEditor::showUndoRedoCounts()
{
    const int line = editedLine(), state = editedState();
    const auto& model = processorRef.editedStage[line] == 0 ? ModelReading (processorRef).lineEditor1()
                                                            : ModelReading (processorRef).lineEditor2();
    const int undo = model.undoCount[line][state];
    const int redo = model.redoCount[line][state];

    setIconState (iconButtons[8], undo >= 1 ? 0 : 2);
    setIconState (iconButtons[9], redo >= 1 ? 0 : 2);
    iconButtons[8].setTooltip (StatusTexts::undoTooltip (undo));
    iconButtons[9].setTooltip (StatusTexts::redoTooltip (redo));
}

bool LineEditorAudioProcessorEditor::clipboardFull (bool state)
{
    const ModelLock::Hold hold (processorRef.curveModelLock);
    return state ? ModelReading (processorRef).stateClipboardFull()
                 : ModelReading (processorRef).lineClipboardFull();
}

void LineEditorAudioProcessorEditor::setIndecLabelText()
{
    const int line = editedLine();
    const auto row = StatusTexts::gridCaptions (
        processorRef.activeSync[line].load(), processorRef.timeSigNumerator.load(),
        processorRef.timeSigDenominator.load(), processorRef.activeLength[line].load());
    if (row == nullptr)
        return;
    for (int i = 0; i < 5; ++i)
        gridLabels[i].setText (row[i], juce::dontSendNotification);
}

//==================================================================================================
void LineEditorAudioProcessorEditor::LoadPresetsList()
{
    auto lists = presetListCache.lists (processorRef.presetsFolder, presetExtension);
    presetSubfolders = std::move (lists.subfolders);
    numPresetSubfolders = lists.numSubfolders;
    unreadablePresetFolders = std::move (lists.unreadable);
    for (int slot = 0; slot < PresetLists::numSlots; ++slot)
    {
        presetFiles[slot] = std::move (lists.files[slot]);
        presetFileCounts[slot] = presetFiles[slot].size();
    }

    // The index follows the current preset's folder, wherever the rescan placed it.
    auto& index = processorRef.presetFolderIndex;
    index = processorRef.currentPresetFolder != juce::File()
                ? PresetBrowser::slotOfFolder (processorRef.currentPresetFolder, presetSubfolders,
                                               numPresetSubfolders)
                : PresetBrowser::validFolderIndex (index);
}

void LineEditorAudioProcessorEditor::SetPresetNameForMenu (bool modified)
{
    setIconText (iconButtons[3], PresetLists::displayName (processorRef.getPresetName(), modified));
}

//==================================================================================================
// The preset-name entry. Save and Return save under the typed name and close the entry; a name
// that cannot be saved keeps it open with the typed text and an alert saying why.
namespace
{
void closeEntry (LineEditorAudioProcessorEditor& editor)
{
    editor.presetNameEditor.setVisible (false);
    editor.saveButton.setVisible (false);
    editor.cancelButton.setVisible (false);
    for (int k = 1; k <= 4; ++k)
        editor.iconButtons[k].setVisible (true);
}

// Once the alert is answered, an entry still open takes the keyboard back, so typing goes on.
void alert (LineEditorAudioProcessorEditor& editor, const PresetAlert::Request& request,
            PresetAlert::Reply reply = {})
{
    juce::Component::SafePointer<juce::TextEditor> entry (&editor.presetNameEditor);
    PresetAlert::show (editor, editor.lookAndFeels[8], editor.palette[6], request,
                       [entry, reply = std::move (reply)] (int result)
                       {
                           if (reply)
                               reply (result);
                           // Not from under another alert the reply may have put up.
                           if (entry != nullptr && entry->isShowing() &&
                               !entry->isCurrentlyBlockedByAnotherModalComponent())
                               entry->grabKeyboardFocus();
                       });
}

void saveUnderTypedName (LineEditorAudioProcessorEditor& editor, const juce::String& typed, bool rescanAfter,
                         bool replaceConfirmed)
{
    auto& p = editor.processorRef;
    // An edit released within the last refresh period belongs in the file.
    editor.commitPendingEdits();
    editor.LoadPresetsList();
    const auto folder = PresetCommands::currentFolder (p, editor.presetSubfolders);
    const auto plan = PresetRename::plan (folder, editor.presetNameEntered, typed, editor.presetExtension);

    if (plan.refusal != PresetRename::Refusal::none)
    {
        alert (editor, PresetAlert::message (PresetRename::reason (plan.refusal)));
        return;
    }

    if (plan.replacesAnother && !replaceConfirmed)
    {
        // The disk may change while the question is up, so the save starts over once answered.
        juce::Component::SafePointer<LineEditorAudioProcessorEditor> safe (&editor);
        alert (editor, PresetAlert::replaceQuestion (typed),
               [safe, typed, rescanAfter] (int result)
               {
                   if (safe != nullptr && result == 1)
                       saveUnderTypedName (*safe, typed, rescanAfter, true);
               });
        return;
    }

    switch (PresetRename::save (p, plan, typed))
    {
        case NamedPresetSave::Result::named:
        case NamedPresetSave::Result::restoredMeanwhile:
            break;
        case NamedPresetSave::Result::restoring:
            alert (editor, PresetAlert::message (PresetCommands::restoringMessage (typed)));
            return;
        case NamedPresetSave::Result::notWritten:
            alert (editor, PresetAlert::message ("Could not save the preset file"));
            return;
    }

    editor.SetPresetNameForMenu (false);
    closeEntry (editor);
    if (rescanAfter)
        editor.LoadPresetsList();
}
} // namespace

void LineEditorAudioProcessorEditor::buttonClicked (juce::Button* button)
{
    if (button == &saveButton)
        saveUnderTypedName (*this, presetNameEditor.getText(), true, false);
    else if (button == &cancelButton)
    {
        closeEntry (*this);
        LoadPresetsList();
    }
}

void LineEditorAudioProcessorEditor::textEditorReturnKeyPressed (juce::TextEditor& editor)
{
    if (&editor == &presetNameEditor)
        saveUnderTypedName (*this, presetNameEditor.getText(), false, false);
}

void LineEditorAudioProcessorEditor::textEditorEscapeKeyPressed (juce::TextEditor& editor)
{
    if (&editor == &presetNameEditor)
        closeEntry (*this);
}
