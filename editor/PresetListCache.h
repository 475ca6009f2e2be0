#pragma once

#include "PresetLists.h"

#include <sys/stat.h>
#include <vector>

// The preset lists of the last scan, kept while nothing they were read from has changed, so that
// the preset arrows do not list and sort a large library again at every step.
//
// Every folder read (the presets folder and its listed sub-folders) is known by its stat: adding,
// removing or renaming an entry changes a folder's modification time, and any change at all, its
// permissions included, its change time. A symbolic link in one of them can come to point at a
// folder, or stop to, with the folder itself unchanged, so each link's target is known the same
// way. Only lists whose every folder and target had last changed well before the scan began are
// kept: a file system's clock ticks coarsely (up to 2 s on FAT), and a change within the tick of
// the scan would leave the times as they were.
class PresetListCache
{
public:
    // settle: how long before a scan everything it reads must have last changed for it to be kept.
    explicit PresetListCache (juce::RelativeTime settle = juce::RelativeTime::seconds (2.0));

    // The lists PresetLists::scan gives for these arguments now.
    const PresetLists& lists (const juce::File& presetsFolder, const juce::String& extension);

private:
    struct Stamp
    {
        bool found = false;
        dev_t device = 0;
        ino_t inode = 0;
        mode_t mode = 0;
        timespec modified{}, changed{};
    };

    struct Watched
    {
        juce::String path;
        Stamp stamp;
    };

    static Stamp stampOf (const juce::String& path) noexcept;
    static bool same (const Stamp& a, const Stamp& b) noexcept;
    void watch (const juce::File& folder);

    juce::RelativeTime settle;
    PresetLists kept;
    juce::String keptFolder, keptExtension;
    std::vector<Watched> watched;
    bool keeping = false;
};
