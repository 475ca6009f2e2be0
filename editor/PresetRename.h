#pragma once

#include "LineEditorAudioProcessor.h"
#include "NamedPresetSave.h"

#include <JuceHeader.h>

// Renaming the current preset and saving it within its folder. A name only ever names a file
// directly in that folder; the new file is written before the old one goes, and another preset
// is never replaced unasked (the caller asks when the plan says so).
class PresetRename
{
public:
    enum class Refusal
    {
        none,
        pathSeparator,    // "/" or "\"
        controlCharacter, // below U+0020, U+007F..U+009F
        leadingTilde,     // "~" would mean a home folder to many tools
        tooLong,          // a file name the save's temporary copy could not have
        dotName,          // "." or "..": the folder itself or its parent
    };

    // File names hold at most 255 bytes, and the save writes a temporary copy first whose name
    // adds "_temp" and up to eight hex digits: so the preset's file name (name, dot, extension, in
    // UTF-8) may hold 242.
    static constexpr int maxFileNameBytes = 255 - 13;

    // Empty names are accepted: the file is then only the dot and the extension.
    static Refusal check (const juce::String& name, const juce::String& extension);
    // Why a name is refused, for the alert.
    static juce::String reason (Refusal refusal);

    // The user's application-data folder / maker / product / "Presets".
    static juce::File presetsFolder (const juce::String& makerFolder, const juce::String& productFolder);

    // The folder of slot folderIndex when it is a listed sub-folder that still exists, otherwise
    // the presets folder itself (slot 49, an index outside the list, a vanished folder).
    static juce::File targetFolder (const juce::File& presetsFolder,
                                    const juce::Array<juce::File>& subfolders, int folderIndex);

    struct Plan
    {
        Refusal refusal = Refusal::none;
        // The name the plan was made for: nothing is written or deleted once the preset has another.
        juce::String oldName;
        juce::File newFile;
        // The old name's file, when it is another file directly in the folder under an acceptable
        // name; otherwise no file, and nothing is deleted.
        juce::File oldFile;
        // A different preset already has the new name.
        bool replacesAnother = false;
    };
    static Plan plan (const juce::File& folder, const juce::String& oldName, const juce::String& newName,
                      const juce::String& extension);

    // Writes the preset under newName (see NamedPresetSave), then deletes the old file. Written,
    // the preset is no longer modified; when nothing was written (a refused plan, a failure, a
    // restore half done or one that replaced the preset named so) nothing is deleted and the name
    // and the modified flag stay.
    static NamedPresetSave::Result save (LineEditorAudioProcessor& p, const Plan& plan,
                                         const juce::String& newName) KALVO_EXCLUDES (p.curveModelLock);
};
