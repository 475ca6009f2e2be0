#include "PresetLists.h"

#include <dirent.h>

namespace
{
// Natural order, with the plain comparison of full paths deciding between names that natural
// order calls equal ("Pad 01" and "Pad 1"), so the order never depends on the directory listing.
// A list holds folders only or files only: putting folders first would change nothing, and cost
// two stat calls at every comparison.
struct StableNaturalOrder
{
    juce::File::NaturalFileComparator natural{ false };

    int compareElements (const juce::File& a, const juce::File& b) const
    {
        if (const auto order = natural.compareElements (a, b); order != 0)
            return order;
        return a.getFullPathName().compare (b.getFullPathName());
    }
};

// The framework lists a folder it cannot open as an empty one; it is named in unreadable instead.
juce::Array<juce::File> listed (const juce::File& folder, int whatToFind, const juce::String& pattern,
                                juce::Array<juce::File>& unreadable)
{
    if (!folder.isDirectory())
        return {};
    if (auto* listing = ::opendir (folder.getFullPathName().toRawUTF8()))
        ::closedir (listing);
    else
        unreadable.addIfNotAlreadyThere (folder);
    auto found = folder.findChildFiles (whatToFind, false, pattern);
    StableNaturalOrder order;
    found.sort (order);
    return found;
}
} // namespace

PresetLists PresetLists::scan (const juce::File& presetsFolder, const juce::String& extension)
{
    PresetLists lists;
    const juce::File root (presetsFolder.getFullPathName());
    const auto pattern = "*." + extension;

    lists.subfolders = listed (root, juce::File::findDirectories, "*", lists.unreadable);
    lists.numSubfolders = juce::jmin (rootSlot, lists.subfolders.size());

    for (int slot = 0; slot < numSlots; ++slot)
    {
        if (slot == rootSlot)
            lists.files[slot] = listed (root, juce::File::findFiles, pattern, lists.unreadable);
        else if (slot < lists.numSubfolders)
            lists.files[slot] = listed (lists.subfolders.getReference (slot), juce::File::findFiles, pattern,
                                        lists.unreadable);
        else
            lists.files[slot] = {};
    }
    return lists;
}

juce::String PresetLists::displayName (const juce::String& name, bool modified)
{
    // juce::String counts characters, so a name of accented letters is cut where it is seen.
    const int n = name.length();
    if (!modified)
        return n < 32 ? name : name.substring (0, 28) + " ...";
    return n < 30 ? name + " *" : name.substring (0, 26) + " ... *";
}
