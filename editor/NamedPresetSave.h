#pragma once

#include "LineEditorAudioProcessor.h"

#include <JuceHeader.h>

// Writing the preset to a file under a name, shared by Save Preset, Save As and the rename. The
// name the file goes under, the file and the document come from one hold, with the restores'
// mark: the document is the preset the window showed under its name, or nothing is written. While
// a restore is half done the user's preset is already gone from the instance; once one has run
// whole since the window showed the name, the preset has another name (a host's project reload,
// undo or compare on its own thread). Only once the file holds it does the preset take the name
// and count as saved, in one step, and not when a restore began meanwhile: the file then holds
// what the restore replaced, and the restored preset keeps its own name. It stays modified when
// anything changed it after its document was made.
class NamedPresetSave
{
public:
    enum class Result
    {
        named,             // written, and the preset now has the name
        restoredMeanwhile, // written, but a restore took the naming: the restored name stays
        restoring,         // nothing written: a restore replaced the preset shown (the user is told)
        notWritten,        // nothing changed
    };

    // shown: the preset's name as the window showed it when the user asked for the save.
    static Result write (LineEditorAudioProcessor& p, const juce::File& file, const juce::String& shown,
                         const juce::String& name) KALVO_EXCLUDES (p.curveModelLock);
};
