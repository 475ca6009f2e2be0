// The line and state tools, the shape library, preset browsing and the preset menu: mouseUp's
// branches for the icon row, the category icon, the shape thumbnails and the preset bar. Every
// menu, alert and file chooser goes through the modal seam; the host may close the window while
// one is up, so nothing of the window is touched after one returns unless it still exists.

#include "LineEditorAudioProcessorEditor.h"
#include "LineTools.h"
#include "MenuData.h"
#include "PresetAlert.h"
#include "PresetBrowser.h"
#include "PresetCommands.h"
#include "PresetRename.h"
#include "ShapeLibrary.h"

namespace
{
using Editor = LineEditorAudioProcessorEditor;
using Safe = juce::Component::SafePointer<Editor>;

int line (const Editor& e)
{
    return juce::jlimit (0, 3, e.processorRef.currentLine.load());
}

int state (const Editor& e)
{
    return juce::jlimit (0, 11, e.processorRef.currentState.load());
}

void refreshPreview (Editor& e) KALVO_EXCLUDES (e.processorRef.curveModelLock)
{
    const ModelLock::Hold hold (e.processorRef.curveModelLock);
    e.previewGraph.setPoint (ModelReading (e.processorRef).modulationArray()[line (e)][state (e)]);
}

// Shows an alert in the window's style; the answer as the button's own result. nullptr editor
// afterwards means the window went while the alert was up.
int ask (Safe& safe, const PresetCommands::Question& q)
{
    auto& e = *safe;
    ModalSeam::Alert alert{ q.title, q.message, q.buttons, &e.lookAndFeels[8], e.palette[6], &e };
    const int answer = e.modalSeam->showAlert (alert);
    return safe != nullptr ? q.resultOf (answer) : 0;
}

void tell (Safe& safe, const juce::String& title, const juce::String& message)
{
    ask (safe, { title, message, { "OK" }, { 0 } });
}

// Loads flat position `position` of the lists the last rescan made.
void loadPosition (Editor& e, int position)
{
    const PresetBrowser browser (e.presetFiles, e.numPresetSubfolders);
    const auto at = browser.at (position);
    if (at.slot < 0)
        return;
    e.commitPendingEdits();
    Safe safe (&e);
    // The position moves onto a file that cannot be read as well, so the next step goes past it.
    // The folder stays the current preset's, which is still the one loaded before: a save goes
    // there, not into the broken file's folder.
    e.processorRef.presetFileIndex = position;
    if (!PresetCommands::load (e.processorRef, at.file))
    {
        tell (safe, "Loading preset...", PresetCommands::readFailedMessage (at.file));
        return;
    }
    e.processorRef.presetFolderIndex = at.slot;
    e.SetPresetNameForMenu (false);
}

void saveAs (Safe& safe);

void save (Safe& safe)
{
    auto& e = *safe;
    const auto shown = e.processorRef.getPresetName();
    e.commitPendingEdits();
    e.LoadPresetsList();
    switch (PresetCommands::save (e.processorRef, e.presetSubfolders, e.presetExtension, shown))
    {
        case PresetCommands::Outcome::done:
            e.SetPresetNameForMenu (false);
            e.LoadPresetsList();
            return;
        case PresetCommands::Outcome::unusableName:
            saveAs (safe);
            return;
        case PresetCommands::Outcome::failed:
            tell (safe, "Saving preset...", PresetCommands::saveFailedMessage (shown));
            return;
        case PresetCommands::Outcome::restoring:
            tell (safe, "Saving preset...", PresetCommands::restoringMessage (shown));
            return;
    }
}

void saveAs (Safe& safe)
{
    auto& p = safe->processorRef;
    const auto shown = p.getPresetName();
    safe->commitPendingEdits();
    safe->LoadPresetsList();
    const auto extension = safe->presetExtension;
    const auto chosen = safe->modalSeam->chooseFile (
        { ModalSeam::Choice::fileToSave, "Save Preset As...",
          PresetCommands::saveAsSuggestion (p, safe->presetSubfolders, extension), "*." + extension });
    if (safe == nullptr || chosen == juce::File())
        return;

    // No chooser here adds the extension or asks before replacing a file: this does both.
    const auto file = PresetCommands::withExtension (chosen, extension);
    if (file.exists())
    {
        const auto replace = PresetAlert::replaceQuestion (file.getFileNameWithoutExtension());
        if (ask (safe, { replace.title, replace.message, { "Yes", "Cancel" }, { 1, 0 } }) != 1)
            return;
    }

    const auto name = file.getFileNameWithoutExtension();
    switch (PresetCommands::saveAs (p, file, shown))
    {
        case PresetCommands::Outcome::done:
            safe->SetPresetNameForMenu (false);
            safe->LoadPresetsList();
            return;
        case PresetCommands::Outcome::unusableName:
            tell (safe, "Saving preset...", PresetRename::reason (PresetRename::check (name, extension)));
            return;
        case PresetCommands::Outcome::failed:
            tell (safe, "Saving preset...", PresetCommands::saveFailedMessage (name));
            return;
        case PresetCommands::Outcome::restoring:
            tell (safe, "Saving preset...", PresetCommands::restoringMessage (name));
            return;
    }
}

void load (Safe& safe)
{
    auto& p = safe->processorRef;
    const auto file = safe->modalSeam->chooseFile (
        { ModalSeam::Choice::fileToOpen, "Load Preset", p.presetsFolder, "*." + safe->presetExtension });
    if (safe == nullptr || file == juce::File())
        return;
    safe->commitPendingEdits();
    if (!PresetCommands::load (p, file))
    {
        tell (safe, "Loading preset...", PresetCommands::readFailedMessage (file));
        return;
    }
    safe->SetPresetNameForMenu (false);
    safe->LoadPresetsList();
}

void openNameEntry (Editor& e)
{
    e.presetNameEntered = e.processorRef.getPresetName();
    e.presetNameEditor.setText (e.presetNameEntered, true);
    e.presetNameEditor.setVisible (true);
    e.saveButton.setVisible (true);
    e.cancelButton.setVisible (true);
    for (int k : { 1, 2, 4, 3 })
        e.iconButtons[k].setVisible (false);
    // Typing goes into the entry at once (a window not on screen has no keyboard to give).
    if (e.presetNameEditor.isShowing())
        e.presetNameEditor.grabKeyboardFocus();
}

void deletePreset (Safe& safe)
{
    auto& e = *safe;
    auto& p = e.processorRef;
    e.LoadPresetsList();
    const auto name = p.getPresetName();
    const auto folder = PresetCommands::currentFolder (p, e.presetSubfolders);
    const int matches = PresetCommands::countMatches (e.presetFiles, e.numPresetSubfolders, name);
    const auto choice =
        ask (safe, PresetCommands::deleteQuestion (name, matches, PresetCommands::folderLabel (p, folder),
                                                   e.unreadablePresetFolders));
    if (safe == nullptr || matches < 1 || choice == PresetCommands::deleteNothing)
        return;

    // Everything to delete is collected first, then deleted, then the lists are read once.
    const auto files = choice == PresetCommands::deleteAll
                           ? PresetCommands::matchesEverywhere (e.presetFiles, e.numPresetSubfolders, name)
                           : PresetCommands::matchesInFolder (folder, name, e.presetExtension);
    const auto failed = PresetCommands::deleteFiles (files);
    e.LoadPresetsList();
    p.presetModified = true;
    e.SetPresetNameForMenu (true);
    if (!failed.isEmpty())
        tell (safe, "Deleting preset...", PresetCommands::failedDeletionsMessage (failed));
}

void applyScale (Editor& e, int id) KALVO_EXCLUDES (e.processorRef.curveModelLock)
{
    PresetCommands::applyInterfaceSetting (e.processorRef, id);
    e.setElementSizes();
    const ModelLock::Hold hold (e.processorRef.curveModelLock);
    for (int k = 0; k < 48; ++k)
        e.stateGraphs[k].setPoint (ModelReading (e.processorRef).modulationArray()[k / 12][k % 12]);
    e.repaint();
}
} // namespace

void LineEditorAudioProcessorEditor::connectToolActions()
{
    auto on = [this] (juce::Component& c, std::function<void()> action)
    { releaseActions[&c] = [action] (const juce::MouseEvent&) { action(); }; };

    on (iconButtons[1], [this] { presetMenuClicked(); });
    on (iconButtons[2], [this] { presetStepClicked (false); });
    on (iconButtons[3], [this] { presetBrowserClicked(); });
    on (iconButtons[4], [this] { presetStepClicked (true); });
    for (int icon = 6; icon <= 21; ++icon)
        on (iconButtons[icon], [this, icon] { toolClicked (icon); });
    on (categoryIcon, [this] { categoryClicked(); });
    for (int shape = 0; shape < ShapeLibrary::numShapes; ++shape)
        on (shapeGraphs[shape], [this, shape] { shapeClicked (shape); });
}

void LineEditorAudioProcessorEditor::toolClicked (int icon)
{
    commitPendingEdits();
    auto& p = processorRef;
    // Each tool takes the model lock itself, and tells the host of what it changed (if at all)
    // only after releasing it.
    auto& tool = iconButtons[icon];
    switch (icon)
    {
        case 6:
        case 7:
        {
            const int stage = icon - 6;
            if (p.editedStage[line (*this)] != stage)
            {
                p.editedStage[line (*this)] = stage;
                lineEditorUI1.setVisible (stage == 0);
                lineEditorUI2.setVisible (stage == 1);
            }
            setIconState (iconButtons[6], stage == 0 ? 0 : 2);
            setIconState (iconButtons[7], stage == 1 ? 0 : 2);
            break;
        }
        case 8:
        case 9:
            if (icon == 8 ? LineTools::undo (p) : LineTools::redo (p))
                refreshPreview (*this);
            break;
        case 10:
            LineTools::copyLine (p);
            setIconState (tool, 0);
            setIconState (iconButtons[11], 0);
            break;
        case 11:
            setIconState (tool, clipboardFull (false) ? 0 : 2);
            LineTools::pasteLine (p);
            break;
        case 12:
        case 13:
            icon == 12 ? LineTools::randomizeLine (p) : LineTools::resetLine (p);
            setIconState (tool, 0);
            break;
        case 14:
            p.ResetState (state (*this));
            setIconState (tool, 0);
            break;
        case 15:
            p.RandomizeState (state (*this));
            setIconState (tool, 0);
            break;
        case 16:
        case 17:
            p.flipLine (icon == 17);
            setIconState (tool, 0);
            return;
        case 18:
            p.CopyState (state (*this));
            setIconState (tool, 0);
            setIconState (iconButtons[19], clipboardFull (true) ? 0 : 2);
            return;
        case 19:
            setIconState (tool, clipboardFull (true) ? 0 : 2);
            p.PasteState (state (*this));
            break;
        case 20:
            LineTools::toggleQuantize (p);
            setIconState (tool, p.changeImmediately ? 2 : 0);
            return;
        case 21:
            LineTools::toggleLinkMix (p);
            setIconState (tool, p.linkMix ? 0 : 2);
            return;
        default:
            return;
    }
    setUndoRedoLabels();
}

void LineEditorAudioProcessorEditor::categoryClicked()
{
    setIconState (categoryIcon, 0);
    auto& category = processorRef.shapeCategory;
    if (categoryLeftClick)
    {
        category = category > 2 || category < 0 ? 0 : category + 1;
        showCategory();
        return;
    }

    MenuData data;
    for (int k = 1; k <= 4; ++k)
        data.addItem (k, categoryNames[k - 1], true, category == k - 1);
    auto menu = data.build();
    Safe safe (this);
    const int chosen = modalSeam->showMenu (menu, lookAndFeels[8]);
    if (safe == nullptr || chosen < 1 || chosen > 4)
        return;
    category = chosen - 1;
    showCategory();
}

void LineEditorAudioProcessorEditor::showCategory()
{
    const int category = juce::jlimit (0, 3, processorRef.shapeCategory);
    categoryIcon.text = categoryNames[category];
    categoryIcon.repaint();
    for (int i = 0; i < ShapeLibrary::numShapes; ++i)
        shapeGraphs[i].setVisible (i / ShapeLibrary::shapesPerCategory == category);
}

void LineEditorAudioProcessorEditor::shapeClicked (int shape)
{
    commitPendingEdits();
    if (!LineTools::applyShape (processorRef, shape))
        return;
    shapeGraphs[shape].colour = palette[6 + 3 * line (*this)];
    shapeGraphs[shape].repaint();
    SetPresetNameForMenu (true);
}

void LineEditorAudioProcessorEditor::presetBrowserClicked()
{
    setIconState (iconButtons[3], 0);
    LoadPresetsList();
    const PresetBrowser browser (presetFiles, numPresetSubfolders);
    auto menu =
        browser.menu (presetSubfolders, processorRef.getPresetName(), processorRef.presetFolderIndex).build();
    Safe safe (this);
    const int chosen = modalSeam->showMenu (menu, lookAndFeels[8]);
    if (safe == nullptr || chosen < 1 || chosen > browser.total())
        return;
    loadPosition (*this, chosen - 1);
}

void LineEditorAudioProcessorEditor::presetStepClicked (bool forward)
{
    setIconState (iconButtons[forward ? 4 : 2], 0);
    LoadPresetsList();
    const int total = PresetBrowser (presetFiles, numPresetSubfolders).total();
    const int old = processorRef.presetFileIndex;
    const int position = forward ? PresetBrowser::next (old, total) : PresetBrowser::previous (old, total);
    if (position >= 0)
        loadPosition (*this, position);
}

void LineEditorAudioProcessorEditor::presetMenuClicked()
{
    setIconState (iconButtons[1], 0);
    auto menu = PresetCommands::presetMenu (processorRef).build();
    Safe safe (this);
    const int chosen = modalSeam->showMenu (menu, lookAndFeels[8]);
    if (safe != nullptr)
        runPresetCommand (chosen);
}

void LineEditorAudioProcessorEditor::runPresetCommand (int id)
{
    Safe safe (this);
    auto& p = processorRef;
    switch (id)
    {
        case PresetCommands::savePreset:
            save (safe);
            break;
        case PresetCommands::renamePreset:
            openNameEntry (*this);
            break;
        case PresetCommands::savePresetAs:
            saveAs (safe);
            break;
        case PresetCommands::loadPreset:
            load (safe);
            break;
        case PresetCommands::resetPreset:
            commitPendingEdits();
            // Marked modified in its model step, before it tells the host.
            p.resetPreset();
            SetPresetNameForMenu (true);
            break;
        case PresetCommands::copyPreset:
            commitPendingEdits();
            if (!PresetCommands::copyToTemporary (p, presetExtension))
                tell (safe, "Saving preset...", PresetCommands::saveFailedMessage (p.getPresetName()));
            break;
        case PresetCommands::pastePreset:
            commitPendingEdits();
            switch (PresetCommands::pasteTemporary (p, presetExtension))
            {
                case PresetCommands::Paste::pasted:
                    SetPresetNameForMenu (true);
                    break;
                case PresetCommands::Paste::failed:
                    tell (safe, "Loading preset...",
                          PresetCommands::readFailedMessage (
                              PresetCommands::temporaryPreset (p, presetExtension)));
                    break;
                case PresetCommands::Paste::nothingCopied:
                    break;
            }
            break;
        case PresetCommands::deletePreset:
            deletePreset (safe);
            break;
        case PresetCommands::openPresetFolder:
            modalSeam->revealFolder (p.presetsFolder);
            break;
        case PresetCommands::scale50:
        case PresetCommands::scale75:
        case PresetCommands::scale100:
            applyScale (*this, id);
            break;
        case PresetCommands::waveformShow:
            PresetCommands::applyInterfaceSetting (p, id);
            if (p.waveView == 0 || p.waveView == 1)
                waveformGraph.setVisible (p.waveView == 1);
            break;
        case PresetCommands::waveformSeparateBands:
        case PresetCommands::waveformBoth:
        case PresetCommands::waveformLeft:
        case PresetCommands::waveformRight:
            PresetCommands::applyInterfaceSetting (p, id);
            break;
        case PresetCommands::about:
            ViewSelector (1);
            break;
        default:
            break;
    }
}
