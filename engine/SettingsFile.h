#pragma once

#include <JuceHeader.h>

class LineEditorAudioProcessor;

// The interface settings shared by every instance and project ("Setting.xml" beside the presets
// folder): window scale and waveform view options. Read once by each processor as it is built,
// written when the user changes one of them.
class SettingsFile
{
public:
    // <user application data>/<maker>/<product>/Setting.xml
    static juce::File getFile (const juce::String& makerFolder, const juce::String& productFolder);

    // Reads the file into the processor; a missing or foreign file leaves the processor's values.
    static void read (LineEditorAudioProcessor&);

    // Writes the processor's five values. The old file is replaced only by a completely written
    // new one; false when that did not happen.
    static bool write (const LineEditorAudioProcessor&);

    // The window scale a stored value stands for: the nearest of 1.0, 1.5 and 2.0, and 1.5 for a
    // value that is not a finite number.
    static float usableScale (double stored);
};
