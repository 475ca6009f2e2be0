#pragma once

#include "LineEditorAudioProcessor.h"

#include <JuceHeader.h>

// Writing the preset to a file under a name, shared by Save As and the rename. Only once the file
// holds it does the preset take the name and count as saved, in one step, and not when a restore
// came meanwhile: the file then holds what the restore replaced, which keeps its own name.
class NamedPresetSave
{
public:
    enum class Result
    {
        named,             // written, and the preset now has the name
        restoredMeanwhile, // written, but a restore took the naming: the restored name stays
        notWritten,        // nothing changed
    };

    static Result write (LineEditorAudioProcessor& p, const juce::File& file, const juce::String& name);
};
