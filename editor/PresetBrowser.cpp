#include "PresetBrowser.h"

PresetBrowser::PresetBrowser (const juce::Array<juce::File>* slotFiles, int numSubfolders)
    : files (slotFiles), listedSubfolders (juce::jlimit (0, rootSlot, numSubfolders))
{
    for (int slot = 0; slot < numSlots; ++slot)
        starts[slot + 1] = starts[slot] + (takesPart (slot) ? files[slot].size() : 0);
    totalFiles = starts[numSlots];
}

PresetBrowser::Position PresetBrowser::at (int position) const
{
    if (!juce::isPositiveAndBelow (position, totalFiles))
        return {};
    int slot = 0;
    while (position >= starts[slot + 1])
        ++slot;
    return { slot, files[slot][position - starts[slot]] };
}

MenuData PresetBrowser::menu (const juce::Array<juce::File>& subfolders, const juce::String& presetName,
                              int folderIndex) const
{
    MenuData m;
    if (totalFiles == 0)
        m.addItem (1, "No Presets", false);

    auto addFiles = [&] (MenuData& target, int slot)
    {
        bool anyTicked = false;
        for (int j = 0; j < files[slot].size(); ++j)
        {
            const auto name = files[slot][j].getFileNameWithoutExtension();
            const bool ticked = name == presetName;
            anyTicked = anyTicked || ticked;
            target.addItem (starts[slot] + j + 1, name, true, ticked);
        }
        return anyTicked;
    };

    const int current = validFolderIndex (folderIndex);
    for (int k = 0; k < listedSubfolders; ++k)
    {
        MenuData sub;
        bool anyTicked = false;
        if (files[k].isEmpty())
            sub.addItem (1, "No Presets", false);
        else
            anyTicked = addFiles (sub, k);
        m.addSubMenu (subfolders[k].getFileNameWithoutExtension(), std::move (sub), true,
                      k == current && anyTicked);
    }
    addFiles (m, rootSlot);
    return m;
}

int PresetBrowser::previous (int old, int total) noexcept
{
    if (total <= 1)
        return -1;
    if (old > total)
        return 0;
    if (old < 1)
        return total - 1;
    return old - 1;
}

int PresetBrowser::next (int old, int total) noexcept
{
    if (total <= 1)
        return -1;
    // old + 1 in 64 bits: a stored position of INT_MAX must not overflow.
    const auto stepped = static_cast<juce::int64> (old) + 1;
    if (stepped >= total || stepped < 0)
        return stepped >= total ? 0 : total - 1;
    return static_cast<int> (stepped);
}

int PresetBrowser::slotOfFolder (const juce::File& folder, const juce::Array<juce::File>& subfolders,
                                 int numSubfolders) noexcept
{
    const int listed = juce::jmin (juce::jlimit (0, rootSlot, numSubfolders), subfolders.size());
    int found = rootSlot;
    for (int k = 0; k < listed; ++k)
        if (subfolders.getReference (k).getFullPathName() == folder.getFullPathName())
            found = k;
    return folder == juce::File() ? rootSlot : found;
}

int PresetBrowser::validFolderIndex (int index) noexcept
{
    return juce::isPositiveAndBelow (index, numSlots) ? index : rootSlot;
}
