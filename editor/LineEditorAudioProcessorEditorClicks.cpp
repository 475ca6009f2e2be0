// The click frame: pressed looks and the actions that cannot wait on mouseDown, the release
// dispatch on mouseUp, and the actions of Power, the line, solo and mute icons and the states.
#include "HostCalls.h"
#include "KnobHandling.h"
#include "LineEditorAudioProcessorEditor.h"
#include "LineTools.h"

namespace
{
// The pressed look, in the order the icons are tested.
constexpr int pressedIconButtons[] = { 0,  1,  2,  3,  4,  6,  7,  8,  9,  10, 11,
                                       18, 19, 12, 13, 16, 17, 14, 15, 20, 21 };

constexpr juce::uint32 learnColour = 0xFFD62400;
} // namespace

void LineEditorAudioProcessorEditor::connectActions()
{
    for (auto* curveEditor : { &lineEditorUI1, &lineEditorUI2 })
        curveEditor->showPointMenu = [this, curveEditor] (juce::PopupMenu& menu)
        { return modalSeam->showMenu (menu, curveEditor->menuLookAndFeel); };

    releaseActions[&iconButtons[0]] = [this] (const juce::MouseEvent&) { powerClicked(); };
    for (int line = 0; line < 4; ++line)
        releaseActions[&lineIcons[line]] = [this, line] (const juce::MouseEvent&) { lineClicked (line); };
    for (int band = 0; band < 3; ++band)
    {
        releaseActions[&soloIcons[band]] = [this, band] (const juce::MouseEvent&) { soloClicked (band); };
        releaseActions[&muteIcons[band]] = [this, band] (const juce::MouseEvent&) { muteClicked (band); };
    }
    for (int state = 0; state < 12; ++state)
    {
        releaseActions[&stateGraphs[state]] = [this, state] (const juce::MouseEvent& e)
        { stateGraphReleased (state, e.mods); };
        releaseActions[&stateIcons[state]] = [this, state] (const juce::MouseEvent& e)
        { stateIconReleased (state, e.mods); };
    }
    connectToolActions();
}

//==================================================================================================
void LineEditorAudioProcessorEditor::mouseDown (const juce::MouseEvent& e)
{
    const auto* child = e.originalComponent;
    const int line = editedLine();

    for (auto& graph : shapeGraphs)
    {
        if (child == &graph)
        {
            graph.colour = palette[6 + 3 * line].withAlpha (static_cast<juce::uint8> (0x7F));
            graph.repaint();
            return;
        }
    }

    for (int i = 0; i < 12; ++i)
    {
        if (child == &stateGraphs[i])
        {
            auto& shown = stateGraphs[12 * line + i];
            shown.colour = juce::Colour (0x90FFFFFF);
            shown.repaint();
            return;
        }
    }

    const auto pressed = [child] (Icons& icon)
    {
        if (child != &icon)
            return false;
        setIconState (icon, 1);
        return true;
    };
    for (int k : pressedIconButtons)
        if (pressed (iconButtons[k]))
            return;
    if (pressed (categoryIcon))
    {
        if (e.mods.isLeftButtonDown())
            categoryLeftClick = true;
        else if (e.mods.isRightButtonDown())
            categoryLeftClick = false;
        return;
    }
    for (int b = 0; b < 3; ++b)
        if (pressed (soloIcons[b]) || pressed (muteIcons[b]))
            return;
    for (auto& icon : stateIcons)
        if (pressed (icon))
            return;
    for (auto& icon : lineIcons)
        if (pressed (icon))
            return;

    for (int l = 0; l < 4; ++l)
    {
        if (child == &syncIcons[l])
        {
            syncPressed (l);
            return;
        }
    }

    if (child == &aboutLabels[0])
        ViewSelector (1);
    else if (child == &aboutLabels[1])
        ViewSelector (0);
}

void LineEditorAudioProcessorEditor::mouseUp (const juce::MouseEvent& e)
{
    const auto found = releaseActions.find (e.originalComponent);
    if (found == releaseActions.end())
        return;
    // The action may close the window, and the table with it.
    const auto action = found->second;
    action (e);
}

//==================================================================================================
void LineEditorAudioProcessorEditor::setParameterNotifying (const char* id, float value)
{
    HostCalls::setNormalisedValue (processorRef, id, value);
}

void LineEditorAudioProcessorEditor::powerClicked()
{
    // Not a number counts as off, so a click switches processing on.
    setParameterNotifying ("Power", processorRef.powerValue > 0.5f ? 0.0f : 1.0f);
}

void LineEditorAudioProcessorEditor::syncPressed (int line)
{
    auto& p = processorRef;
    const bool synced = KnobHandling::toggleSync (p, line);
    p.syncChanged[line] = true;
    p.speedChanged[line] = true;
    setIconState (syncIcons[line], synced ? 0 : 2);
}

void LineEditorAudioProcessorEditor::lineClicked (int line)
{
    commitPendingEdits();

    // A host may restore a state on its own thread: the reloads read the model it writes.
    const ModelLock::Hold hold (processorRef.curveModelLock);
    const auto relight = [this]
    {
        for (int i = 0; i < 4; ++i)
            setIconState (lineIcons[i], i == editedLine() ? 0 : 2);
    };
    if (line == editedLine())
    {
        relight();
        return;
    }

    processorRef.currentLine = line;
    relight();

    const int state = editedState();
    processorRef.syncCurveModels();
    // Rendering the line's tables again writes the model: not while a restore is under way, which
    // renders its own.
    if (ModelEdit edit (processorRef.restores()); edit.goesAhead())
    {
        processorRef.lineEditor1().getLineArray (processorRef.lineArray1()[line][state]);
        processorRef.lineEditor2().getLineArray (processorRef.lineArray2()[line][state]);
        LineTools::rebuildProduct (processorRef, line, state);
    }
    previewGraph.setPoint (ModelReading (processorRef).modulationArray()[line][state]);

    reloadCurveEditors();
    for (int k = 0; k < 48; ++k)
        stateGraphs[k].setPoint (ModelReading (processorRef).modulationArray()[k / 12][k % 12]);

    ColorLineTabs();
    setIndecLabelText();
    showUndoRedoCounts();

    // The waveform view starts again, flat, for the new line.
    processorRef.restartWaveform();

    const bool second = processorRef.editedStage[line] == 1;
    lineEditorUI1.setVisible (processorRef.editedStage[line] == 0);
    lineEditorUI2.setVisible (second);
    setIconState (iconButtons[6], processorRef.editedStage[line] == 0 ? 0 : 2);
    setIconState (iconButtons[7], second ? 0 : 2);
}

void LineEditorAudioProcessorEditor::soloClicked (int band)
{
    static const char* const solo[] = { "LowSolo", "MidSolo", "HighSolo" };
    static const char* const mute[] = { "LowMute", "MidMute", "HighMute" };
    auto& p = processorRef;

    if (p.bandSolo[band])
    {
        setParameterNotifying (solo[band], 0.0f);
        return;
    }

    // One band soloed at a time; soloing a muted band unmutes it.
    setParameterNotifying (solo[band], 1.0f);
    if (p.bandMute[band])
        setParameterNotifying (mute[band], 0.0f);
    for (int other = 0; other < 3; ++other)
        if (other != band && p.bandSolo[other])
            setParameterNotifying (solo[other], 0.0f);
}

void LineEditorAudioProcessorEditor::muteClicked (int band)
{
    static const char* const mute[] = { "LowMute", "MidMute", "HighMute" };
    setParameterNotifying (mute[band], processorRef.bandMute[band] ? 0.0f : 1.0f);
}

//==================================================================================================
void LineEditorAudioProcessorEditor::selectState (int state)
{
    setParameterNotifying ("State", static_cast<float> (state) / 11.0f);
}

void LineEditorAudioProcessorEditor::restoreStateIconColours()
{
    for (auto& icon : stateIcons)
    {
        icon.onColour = palette[6];
        icon.pressedColour = palette[8];
        icon.offColour = palette[6].withAlpha (static_cast<juce::uint8> (0x7F));
        icon.repaint();
    }
}

void LineEditorAudioProcessorEditor::stateGraphReleased (int state, const juce::ModifierKeys& mods)
{
    const bool left = mods.isLeftButtonDown();
    if (!left && !mods.isRightButtonDown())
    {
        // Another button selects nothing, but the press's highlight must not stay.
        ColorStateGraph();
        return;
    }

    commitPendingEdits();
    if (state != editedState())
    {
        selectState (state);
        setUndoRedoLabels();
    }
    ColorStateGraph();

    if (!left)
        showStateMenu (state);
}

void LineEditorAudioProcessorEditor::showStateMenu (int state)
{
    auto& p = processorRef;
    juce::PopupMenu menu;
    menu.addItem (1, "Cut");
    menu.addItem (2, "Copy");
    menu.addItem (3, "Paste", clipboardFull (true));
    menu.addItem (4, "Reset");
    menu.addItem (5, "Randomize");

    const juce::Component::SafePointer<LineEditorAudioProcessorEditor> self (this);
    const int choice = modalSeam->showMenu (menu, lookAndFeels[8]);
    if (self == nullptr)
        return;

    // The operations act on the state the user pointed at, which may still be waiting to play.
    commitPendingEdits();
    switch (choice)
    {
        case 1:
            p.CopyState (state);
            p.ResetState (state);
            break;
        case 2:
            p.CopyState (state);
            break;
        case 3:
            p.PasteState (state);
            break;
        case 4:
            p.ResetState (state);
            break;
        case 5:
            p.RandomizeState (state);
            break;
        default:
            break;
    }
    // Cut and Copy fill the clipboard as the Copy State icon does, so Paste State lights alike.
    setIconState (iconButtons[19], clipboardFull (true) ? 0 : 2);
}

void LineEditorAudioProcessorEditor::stateIconReleased (int state, const juce::ModifierKeys& mods)
{
    auto& icon = stateIcons[state];
    if (mods.isRightButtonDown())
    {
        setIconState (icon, 0);
        commitPendingEdits();
        // Selected even when it is the current state.
        selectState (state);
        ColorStateGraph();
        setUndoRedoLabels();
        return;
    }
    if (!mods.isLeftButtonDown())
    {
        ColorStateGraph(); // another button: no action, and no pressed look left behind
        return;
    }

    setIconState (icon, state == editedState() ? 0 : 2);
    showLearnMenu (state);
}

void LineEditorAudioProcessorEditor::showLearnMenu (int state)
{
    auto& p = processorRef;
    juce::PopupMenu menu;
    menu.addItem (1, "Midi Learn");
    if (p.stateMIDICon[state] != 0)
        menu.addItem (2, "Remove MIDI Connection");

    // Opening any learn menu cancels a learn that is armed.
    if (p.midiLearnActive)
    {
        restoreStateIconColours();
        setSateLAbelText();
        p.midiLearnActive = false;
        p.midiLearnTarget = -1;
    }

    const juce::Component::SafePointer<LineEditorAudioProcessorEditor> self (this);
    const int choice = modalSeam->showMenu (menu, lookAndFeels[8]);
    if (self == nullptr)
        return;

    if (choice == 1)
    {
        // The target first: the audio thread reads it once it sees the learn armed.
        p.midiLearnTarget = state;
        p.midiLearnActive = true;
        auto& icon = stateIcons[state];
        icon.onColour = icon.pressedColour = icon.offColour = juce::Colour (learnColour);
        icon.text = "Waiting";
        icon.repaint();
    }
    else if (choice == 2)
    {
        if (ModelEdit edit (p); edit.goesAhead())
        {
            p.stateMIDICon[state] = 0;
            p.stateMIDINote[state] = StateDefaults::firstMidiNote + state;
        }
        setSateLAbelText();
    }
}
