#pragma once

#include "LineEditorAudioProcessor.h"

#include <JuceHeader.h>

// Writing the preset to a file under a name, shared by Save As and the rename. The file gets the
// document of the moment the save asks for it, made in one hold with the restores' mark; while a
// restore is half done the user's preset is already gone from the instance, so nothing is
// written. Only once the file holds it does the preset take the name and count as saved, in one
// step, and not when a restore began meanwhile: the file then holds what the restore replaced,
// and the restored preset keeps its own name.
class NamedPresetSave
{
public:
    enum class Result
    {
        named,             // written, and the preset now has the name
        restoredMeanwhile, // written, but a restore took the naming: the restored name stays
        restoring,         // nothing written: a restore was half done (the user is told)
        notWritten,        // nothing changed
    };

    static Result write (LineEditorAudioProcessor& p, const juce::File& file, const juce::String& name)
        KALVO_EXCLUDES (p.curveModelLock);
};
