#pragma once

#include <JuceHeader.h>

// The preset folders on disk as the preset menus walk them: the presets folder's sub-folders and,
// for the first 49 of them and for the presets folder itself (slot 49), their preset files.
class PresetLists
{
public:
    static constexpr int numSlots = 50;
    static constexpr int rootSlot = 49;

    juce::Array<juce::File> subfolders;
    juce::Array<juce::File> files[numSlots];
    int numSubfolders = 0;
    // Folders that exist but could not be listed: what they hold is not in the lists.
    juce::Array<juce::File> unreadable;

    // Each folder is read once, so a slot's count is always its list's size, however the folder
    // changes meanwhile. Sub-folders (hidden ones too) and files come in natural order, which is
    // the same on every file system, so an index into the sub-folders stays valid across scans of
    // an unchanged folder. Only files directly in a folder with the extension count.
    static PresetLists scan (const juce::File& presetsFolder, const juce::String& extension);

    // The preset name as the preset bar shows it: at most 32 characters (not bytes), cut with
    // " ..." and marked with " *" when modified.
    static juce::String displayName (const juce::String& name, bool modified);
};
