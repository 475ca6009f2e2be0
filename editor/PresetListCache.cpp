#include "PresetListCache.h"

#include <algorithm>
#include <ctime>
#include <dirent.h>

namespace
{
double seconds (const timespec& t) noexcept
{
    return static_cast<double> (t.tv_sec) + static_cast<double> (t.tv_nsec) * 1.0e-9;
}

bool operator== (const timespec& a, const timespec& b) noexcept
{
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}
} // namespace

PresetListCache::PresetListCache (juce::RelativeTime settleTime) : settle (settleTime) {}

PresetListCache::Stamp PresetListCache::stampOf (const juce::String& path) noexcept
{
    struct stat info = {};
    if (::stat (path.toRawUTF8(), &info) != 0)
        return {};
    return { true, info.st_dev, info.st_ino, info.st_mode, info.st_mtim, info.st_ctim };
}

bool PresetListCache::same (const Stamp& a, const Stamp& b) noexcept
{
    return a.found == b.found && a.device == b.device && a.inode == b.inode && a.mode == b.mode &&
           a.modified == b.modified && a.changed == b.changed;
}

void PresetListCache::watch (const juce::File& folder)
{
    const auto path = folder.getFullPathName();
    watched.push_back ({ path, stampOf (path) });
    auto* listing = ::opendir (path.toRawUTF8());
    if (listing == nullptr)
        return;
    while (const auto* entry = ::readdir (listing))
    {
        if (entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN)
            continue;
        const auto child = folder.getChildFile (juce::String::fromUTF8 (entry->d_name)).getFullPathName();
        struct stat link = {};
        if (entry->d_type == DT_LNK || (::lstat (child.toRawUTF8(), &link) == 0 && S_ISLNK (link.st_mode)))
            watched.push_back ({ child, stampOf (child) });
    }
    ::closedir (listing);
}

const PresetLists& PresetListCache::lists (const juce::File& presetsFolder, const juce::String& extension)
{
    const auto path = presetsFolder.getFullPathName();
    if (keeping && path == keptFolder && extension == keptExtension &&
        std::all_of (watched.begin(), watched.end(),
                     [] (const Watched& w) { return same (stampOf (w.path), w.stamp); }))
        return kept;

    timespec start{};
    ::clock_gettime (CLOCK_REALTIME, &start);
    kept = PresetLists::scan (presetsFolder, extension);
    keptFolder = path;
    keptExtension = extension;

    // Stamped after the scan: a change meanwhile is newer than the start, so the lists are not kept.
    watched.clear();
    watch (presetsFolder);
    for (int k = 0; k < kept.numSubfolders; ++k)
        watch (kept.subfolders.getReference (k));
    const auto settled = seconds (start) - settle.inSeconds();
    keeping =
        std::all_of (watched.begin(), watched.end(),
                     [settled] (const Watched& w)
                     { return std::max (seconds (w.stamp.modified), seconds (w.stamp.changed)) < settled; });
    return kept;
}
