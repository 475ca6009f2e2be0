#pragma once

#include "MenuData.h"

#include <JuceHeader.h>

// The preset files as the browser menu and the previous and next icons walk them: one flat order
// over the folder slots 0, 1, .., 48 (the sub-folders) and then slot 49 (the files lying directly
// in the presets folder), each slot in its sorted order. Positions and menu ids map through each
// slot's own list only, so a count that disagrees with its list can never name a missing file.
class PresetBrowser
{
public:
    static constexpr int numSlots = 50;
    static constexpr int rootSlot = 49;

    // slotFiles: the 50 slots' lists; only the first numSubfolders slots and slot 49 take part.
    PresetBrowser (const juce::Array<juce::File>* slotFiles, int numSubfolders);

    int total() const noexcept { return totalFiles; }
    int start (int slot) const noexcept { return starts[slot]; }

    // The slot of flat position p and its file; slot -1 when p is outside 0..total - 1.
    struct Position
    {
        int slot = -1;
        juce::File file;
    };
    Position at (int position) const;

    // The browser menu: "No Presets" when there is no preset at all, one submenu per listed
    // sub-folder, then the presets folder's own files. An item's id is its flat position + 1.
    MenuData menu (const juce::Array<juce::File>& subfolders, const juce::String& presetName,
                   int folderIndex) const;

    // The flat position the previous and next icons load from old, or -1 for no step (one or no
    // preset): both wrap around, and a position left stale by removed files starts over at 0.
    static int previous (int old, int total) noexcept;
    static int next (int old, int total) noexcept;

    // The slot of a folder: its place among the first numSubfolders sub-folders, by exact path
    // (a case-insensitive match could take "drums" for "Drums"); 49 for the presets folder itself,
    // for anything outside the listed tree and for no folder at all.
    static int slotOfFolder (const juce::File& folder, const juce::Array<juce::File>& subfolders,
                             int numSubfolders) noexcept;

    // A folder index as the lists use it: anything outside 0..49 stands for the presets folder.
    static int validFolderIndex (int index) noexcept;

private:
    const juce::Array<juce::File>* files;
    int listedSubfolders;
    int starts[numSlots + 1] = {};
    int totalFiles = 0;

    bool takesPart (int slot) const noexcept { return slot == rootSlot || slot < listedSubfolders; }
};
