// Browsing by flat position and by the browser menu, on lists scanned from a real folder.

#include "PresetBrowser.h"
#include "MenuText.h"
#include "PresetListCache.h"
#include "PresetLists.h"
#include "TestHome.h"

#include <gtest/gtest.h>

namespace
{
PresetLists makeFolders (const juce::File& root)
{
    root.deleteRecursively();
    for (auto path : { "Drums/Pad 10.kvp", "Drums/Pad 2.kvp", "Init.kvp", "Drums/Other.txt" })
        root.getChildFile (path).create();
    root.getChildFile ("Empty").createDirectory();
    return PresetLists::scan (root, "kvp");
}

TEST (PresetBrowser, FlatOrderAndMenu)
{
    const auto root = kalvo::test::temporaryHomeFolder().getChildFile ("browse");
    const auto lists = makeFolders (root);
    const PresetBrowser browser (lists.files, lists.numSubfolders);

    ASSERT_EQ (browser.total(), 3);
    const char* names[] = { "Pad 2", "Pad 10", "Init" };
    const int slots[] = { 0, 0, 49 };
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ (browser.at (i).file.getFileNameWithoutExtension(), names[i]);
        EXPECT_EQ (browser.at (i).slot, slots[i]);
    }
    EXPECT_EQ (browser.at (3).slot, -1);
    EXPECT_EQ (browser.at (-1).slot, -1);

    EXPECT_EQ (kalvo::test::menuText (browser.menu (lists.subfolders, "Pad 2", 0)),
               "[+Drums|1 Pad 2 +|2 Pad 10|]|[Empty|1 No Presets off|]|3 Init");
    // The same name with another current folder: the item is ticked, the submenu is not.
    EXPECT_EQ (kalvo::test::menuText (browser.menu (lists.subfolders, "Pad 2", 49)),
               "[Drums|1 Pad 2 +|2 Pad 10|]|[Empty|1 No Presets off|]|3 Init");

    // The shown menu ticks the submenu entry itself.
    const auto popup = browser.menu (lists.subfolders, "Pad 2", 0).build();
    juce::PopupMenu::MenuItemIterator it (popup);
    ASSERT_TRUE (it.next());
    EXPECT_TRUE (it.getItem().isTicked);
    EXPECT_NE (it.getItem().subMenu, nullptr);

    EXPECT_EQ (PresetBrowser::slotOfFolder (root, lists.subfolders, lists.numSubfolders), 49);
    EXPECT_EQ (
        PresetBrowser::slotOfFolder (root.getChildFile ("Empty"), lists.subfolders, lists.numSubfolders), 1);
    EXPECT_EQ (
        PresetBrowser::slotOfFolder (root.getChildFile ("drums"), lists.subfolders, lists.numSubfolders), 49);

    // No presets at all: "No Presets" first, the empty folders' submenus still listed.
    root.getChildFile ("Drums").deleteRecursively();
    root.getChildFile ("Init.kvp").deleteFile();
    const auto empty = PresetLists::scan (root, "kvp");
    EXPECT_EQ (kalvo::test::menuText (
                   PresetBrowser (empty.files, empty.numSubfolders).menu (empty.subfolders, "", 49)),
               "1 No Presets off|[Empty|1 No Presets off|]");
    root.deleteRecursively();
}

// The lists kept from one step to the next still show what was added or removed meanwhile, and a
// link that comes to point at a folder.
TEST (PresetBrowser, KeptListsSeeWhatChangedBetweenSteps)
{
    const auto root = kalvo::test::temporaryHomeFolder().getChildFile ("kept");
    const auto elsewhere = root.getSiblingFile ("elsewhere");
    makeFolders (root);
    elsewhere.createSymbolicLink (root.getChildFile ("Linked"), true);
    PresetListCache cache (juce::RelativeTime{}); // kept however recent the last change
    const auto shown = [&]
    {
        juce::Thread::sleep (20); // a tick of the file system's clock
        const auto& lists = cache.lists (root, "kvp");
        return kalvo::test::menuText (
            PresetBrowser (lists.files, lists.numSubfolders).menu (lists.subfolders, "", 49));
    };
    EXPECT_EQ (shown(), "[Drums|1 Pad 2|2 Pad 10|]|[Empty|1 No Presets off|]|3 Init");
    root.getChildFile ("Drums/Pad 5.kvp").create();
    EXPECT_EQ (shown(), "[Drums|1 Pad 2|2 Pad 5|3 Pad 10|]|[Empty|1 No Presets off|]|4 Init");
    root.getChildFile ("Init.kvp").deleteFile();
    EXPECT_EQ (shown(), "[Drums|1 Pad 2|2 Pad 5|3 Pad 10|]|[Empty|1 No Presets off|]");
    elsewhere.getChildFile ("Far.kvp").create();
    EXPECT_EQ (shown(), "[Drums|1 Pad 2|2 Pad 5|3 Pad 10|]|[Empty|1 No Presets off|]|[Linked|4 Far|]");
    root.deleteRecursively();
    elsewhere.deleteRecursively();
}

TEST (PresetBrowser, PreviousAndNext)
{
    struct Step
    {
        int old, total, previous, next;
    };
    const Step steps[] = {
        { 2, 3, 1, 0 },   { 0, 3, 2, 1 },          { 7, 3, 0, 0 },
        { -1, 3, 2, 0 },  { 3, 3, 2, 0 },          { 0, 1, -1, -1 },
        { 5, 0, -1, -1 }, { 2147483647, 3, 0, 0 }, { -2147483647 - 1, 3, 2, 2 },
    };
    for (const auto& s : steps)
    {
        EXPECT_EQ (PresetBrowser::previous (s.old, s.total), s.previous) << s.old << " of " << s.total;
        EXPECT_EQ (PresetBrowser::next (s.old, s.total), s.next) << s.old << " of " << s.total;
    }
    for (int index : { -1, 50, 1000 })
        EXPECT_EQ (PresetBrowser::validFolderIndex (index), 49);
    EXPECT_EQ (PresetBrowser::validFolderIndex (48), 48);
}
} // namespace
