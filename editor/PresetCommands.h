#pragma once

#include "LineEditorAudioProcessor.h"
#include "MenuData.h"

#include <JuceHeader.h>

// The preset menu's commands as far as they touch the processor and the disk: which folder a
// save goes to, the save, save-as, load, copy and paste through the temporary preset, the delete
// procedure's matches and questions, and the interface settings. Showing menus, alerts and file
// choosers is the editor's; everything here runs on the message thread without a display.
//
// A preset name comes from the host's project, from a file or from typing, so it is used as a
// file name only once the name entry's own check accepts it and its file lies directly in the
// folder meant.
class PresetCommands
{
public:
    enum Id
    {
        savePreset = 1,
        renamePreset = 2,
        savePresetAs = 3,
        loadPreset = 4,
        resetPreset = 5,
        copyPreset = 6,
        pastePreset = 7,
        deletePreset = 8,
        openPresetFolder = 9,
        scale50 = 10,
        scale75 = 11,
        scale100 = 12,
        waveformShow = 13,
        waveformSeparateBands = 14,
        about = 15,
        waveformBoth = 16,
        waveformLeft = 17,
        waveformRight = 18,
    };

    // The preset menu with its "UI Settings" submenu ticked from the processor's settings.
    static MenuData presetMenu (const LineEditorAudioProcessor& p);

    // The folder holding the presets folder, the settings file and the temporary preset.
    static juce::File productFolder (const LineEditorAudioProcessor& p);
    static juce::File temporaryPreset (const LineEditorAudioProcessor& p, const juce::String& extension);

    // Where a save goes: the folder of the current preset while it exists, else the presets folder.
    static juce::File currentFolder (const LineEditorAudioProcessor& p,
                                     const juce::Array<juce::File>& subfolders);

    // folder / (name + "." + extension), or no file when the name is not usable as a file name
    // there.
    static juce::File presetFile (const juce::File& folder, const juce::String& name,
                                  const juce::String& extension);

    // The chosen file with ".<extension>" appended unless it already ends so (in any case).
    static juce::File withExtension (const juce::File& chosen, const juce::String& extension);

    // The file Save As suggests: the current folder and the preset's name.
    static juce::File saveAsSuggestion (LineEditorAudioProcessor& p,
                                        const juce::Array<juce::File>& subfolders,
                                        const juce::String& extension);

    enum class Outcome
    {
        done,
        unusableName, // nothing written: the caller asks for a name (Save As)
        failed,       // nothing changed: the caller reports it
        restoring,    // nothing written, a restore replaced the preset shown: the caller reports it
    };

    // The named saves take the preset's name as the window showed it when the user asked (see
    // NamedPresetSave). Save writes the preset under that name into the current folder (a missing
    // presets folder is made again first).
    static Outcome save (LineEditorAudioProcessor& p, const juce::Array<juce::File>& subfolders,
                         const juce::String& extension, const juce::String& shown);
    // Writes the preset as file, which becomes its name and its folder unless a restore came
    // meanwhile.
    static Outcome saveAs (LineEditorAudioProcessor& p, const juce::File& file, const juce::String& shown);
    // Reads file; on success it names the preset and its folder, on failure nothing changes.
    static bool load (LineEditorAudioProcessor& p, const juce::File& file);

    static bool copyToTemporary (LineEditorAudioProcessor& p, const juce::String& extension);
    enum class Paste
    {
        nothingCopied,
        pasted,
        failed
    };
    // Reads the temporary preset back, keeping the current name; the preset is then modified.
    static Paste pasteTemporary (LineEditorAudioProcessor& p, const juce::String& extension);

    // Ids 10..14 and 16..18: changes the setting and writes the settings file.
    static void applyInterfaceSetting (LineEditorAudioProcessor& p, int id);

    // A question and the result each of its buttons stands for, left to right.
    struct Question
    {
        juce::String title;
        juce::String message;
        juce::StringArray buttons;
        juce::Array<int> results;

        // The result of the button the seam reports (1 + its index; 0 dismissed gives 0).
        int resultOf (int answer) const { return results[answer - 1]; }
    };

    static int countMatches (const juce::Array<juce::File>* slotFiles, int numSubfolders,
                             const juce::String& name);
    // Every preset file of that name in the listed folders, collected before anything goes.
    static juce::Array<juce::File> matchesEverywhere (const juce::Array<juce::File>* slotFiles,
                                                      int numSubfolders, const juce::String& name);
    static juce::Array<juce::File> matchesInFolder (const juce::File& folder, const juce::String& name,
                                                    const juce::String& extension);
    // "Main Folder" for the presets folder itself, else the folder's name.
    static juce::String folderLabel (const LineEditorAudioProcessor& p, const juce::File& folder);
    // With no match, folders that could not be listed are named: the preset may lie in them.
    static Question deleteQuestion (const juce::String& name, int matches, const juce::String& folderLabel,
                                    const juce::Array<juce::File>& unreadableFolders = {});
    enum DeleteChoice
    {
        deleteNothing = 0,
        deleteAll = 1,
        deleteInCurrentFolder = 2
    };
    // Deletes the files; those that could not be deleted are returned.
    static juce::Array<juce::File> deleteFiles (const juce::Array<juce::File>& files);
    static juce::String failedDeletionsMessage (const juce::Array<juce::File>& failed);

    static juce::String saveFailedMessage (const juce::String& name);
    // A named save that a restore left unwritten.
    static juce::String restoringMessage (const juce::String& name);
    static juce::String readFailedMessage (const juce::File& file);
};
