// The tool icons, the shape library, the preset bar and the preset menu driven by clicks on the
// window's own children, with menus, alerts and file choices answered by a scripted seam, in
// the test process's private home.

#include "OpenWindow.h"
#include "PresetCommands.h"

#include <linux/capability.h>
#include <map>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

using kalvo::test::OpenWindow;

namespace
{
// Root reads every folder whatever its mode. While this lives, the calling thread gives up that
// right (capabilities belong to the thread), so that a folder of mode 0 cannot be listed.
class WithoutReadingEverything
{
public:
    WithoutReadingEverything()
    {
        syscall (SYS_capget, &header, data);
        saved = data[0].effective;
        data[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        syscall (SYS_capset, &header, data);
    }

    ~WithoutReadingEverything()
    {
        data[0].effective = saved;
        syscall (SYS_capset, &header, data);
    }

private:
    __user_cap_header_struct header{ _LINUX_CAPABILITY_VERSION_3, 0 };
    __user_cap_data_struct data[2]{};
    __u32 saved = 0;
};

class EditorToolsTest : public ::testing::Test, public OpenWindow
{
protected:
    void SetUp() override
    {
        p.presetsFolder.deleteRecursively();
        p.presetsFolder.createDirectory();
    }

    juce::File preset (const juce::String& path) const { return p.presetsFolder.getChildFile (path); }

    void menuCommand (int id)
    {
        seam.answers.push_front (id);
        click (e.iconButtons[1]);
    }

    std::map<juce::String, juce::int64> listing() const
    {
        std::map<juce::String, juce::int64> all;
        const auto home = kalvo::test::temporaryHomeFolder();
        for (const auto& f : home.findChildFiles (juce::File::findFilesAndDirectories, true, "*"))
            all[f.getFullPathName()] = f.getLastModificationTime().toMilliseconds() + f.getSize();
        return all;
    }
};

TEST_F (EditorToolsTest, ToolIconsActOnTheEditedStage)
{
    p.currentLine = 1;
    switchTo (3);
    pass();
    click (e.iconButtons[7]); // L2
    EXPECT_EQ (p.editedStage[1], 1);
    EXPECT_TRUE (e.lineEditorUI2.isVisible());
    EXPECT_EQ (e.iconButtons[6].state, 2);
    click (e.iconButtons[12]); // Randomize Line
    EXPECT_EQ (e.iconButtons[8].state, 0);
    click (e.iconButtons[10]); // Copy Line
    EXPECT_EQ (e.iconButtons[11].state, 0);

    click (e.lineIcons[0]);
    switchTo (0);
    pass();
    click (e.iconButtons[6]); // L1
    p.presetModified = false;
    click (e.iconButtons[11]); // Paste Line
    EXPECT_EQ (std::memcmp (p.linePoints1()[0][0], p.linePoints2()[1][3], sizeof (p.linePoints1()[0][0])), 0);
    EXPECT_EQ (p.lineEditor1().undoCount[0][0], 1);
    EXPECT_TRUE (p.presetModified);
    pass();
    EXPECT_TRUE (e.iconButtons[3].text.endsWith (" *"));

    const bool immediately = p.changeImmediately;
    click (e.iconButtons[20]);
    click (e.iconButtons[20]);
    EXPECT_EQ (p.changeImmediately.load(), immediately);
    EXPECT_EQ (e.iconButtons[20].state, immediately ? 2 : 0);
    EXPECT_EQ (log.count (lineCh), 0);
}

TEST_F (EditorToolsTest, CategoriesAndShapes)
{
    ASSERT_EQ (p.shapeCategory, 1);
    const char* names[] = { "Gate", "Rhythm", "Basic", "Ducking" };
    for (int k = 0; k < 4; ++k)
    {
        click (e.categoryIcon);
        EXPECT_EQ (e.categoryIcon.text, names[k]);
        const int first = ((k + 2) % 4) * 10;
        for (int i = 0; i < 40; ++i)
            EXPECT_EQ (e.shapeGraphs[i].isVisible(), i >= first && i < first + 10) << k << ", " << i;
    }
    seam.answers = { 4 };
    click (e.categoryIcon, right);
    EXPECT_EQ (seam.lastMenu().joinIntoString ("|"), "Basic|Ducking|Gate|Rhythm");
    EXPECT_TRUE (seam.shown.back().items[1].ticked);
    EXPECT_EQ (e.categoryIcon.text, "Rhythm");

    click (e.shapeGraphs[2]);
    EXPECT_EQ (log.count (lineCh), 1);
    for (int k = 0; k < 512; ++k)
        ASSERT_EQ (p.modulationArray()[0][0][k], 0.0f);
    EXPECT_TRUE (e.iconButtons[3].text.endsWith (" *"));
    EXPECT_EQ (e.shapeGraphs[2].colour, e.palette[6]);
    click (e.iconButtons[8]);
    EXPECT_NE (p.modulationArray()[0][0][0], 0.0f);
}

TEST_F (EditorToolsTest, ScalesAndSettings)
{
    const auto settings = p.presetsFolder.getSiblingFile ("Setting.xml");
    // An edit released just before the new scale survives the window's new layout.
    e.lineEditorUI1.points[0].y = 0.4f;
    e.lineEditorUI1.lineChanged = true;
    menuCommand (11);
    EXPECT_EQ (p.linePoints1()[0][0][0].y, 0.4f);
    EXPECT_EQ (e.lineEditorUI1.points[0].y, 0.4f);

    const int sizes[][2] = { { 592, 234 }, { 888, 351 }, { 1184, 468 } };
    for (int k = 0; k < 3; ++k)
    {
        menuCommand (10 + k);
        EXPECT_EQ (e.getWidth(), sizes[k][0]);
        EXPECT_EQ (e.getHeight(), sizes[k][1]);
        EXPECT_EQ (juce::parseXML (settings)->getDoubleAttribute ("Scaling"), 1.0 + 0.5 * k);
    }
    menuCommand (15);
    EXPECT_EQ (p.currentView, 1);
}

TEST_F (EditorToolsTest, BrowsingLoadsByPosition)
{
    for (auto path : { "Drums/Pad 10.kvp", "Drums/Pad 2.kvp", "Init.kvp" })
    {
        p.presetName() = preset (path).getFileNameWithoutExtension();
        preset (path).getParentDirectory().createDirectory();
        ASSERT_TRUE (p.saveStateToFile (preset (path)));
    }
    preset ("Empty").createDirectory();
    p.presetName() = "none";

    seam.answers = { 3 };
    click (e.iconButtons[3]);
    EXPECT_EQ (seam.lastMenu().joinIntoString ("|"), "Drums|Empty|Init");
    EXPECT_EQ (p.presetName(), "Init");
    EXPECT_EQ (p.presetFolderIndex, 49);
    EXPECT_EQ (p.presetFileIndex, 2);
    EXPECT_EQ (e.iconButtons[3].text, "Init");

    click (e.iconButtons[4]);
    EXPECT_EQ (p.presetName(), "Pad 2");
    EXPECT_EQ (p.presetFolderIndex, 0);
    click (e.iconButtons[2]);
    EXPECT_EQ (p.presetName(), "Init");

    // A file that cannot be read keeps the name, but the position moves onto it, so the next
    // step goes past it.
    preset ("Drums/Pad 10.kvp").replaceWithText ("<broken");
    click (e.iconButtons[2]);
    EXPECT_EQ (p.presetName(), "Init");
    EXPECT_EQ (p.presetFileIndex, 1);
    EXPECT_EQ (p.presetFolderIndex, 49);
    EXPECT_EQ (seam.shown.back().alertShown.message,
               "Could not read preset file '" + preset ("Drums/Pad 10.kvp").getFullPathName() + "'");
    click (e.iconButtons[2]);
    EXPECT_EQ (p.presetName(), "Pad 2");
    click (e.iconButtons[4]);
    EXPECT_EQ (p.presetFileIndex, 1);
    click (e.iconButtons[4]);
    EXPECT_EQ (p.presetName(), "Init");
}

TEST_F (EditorToolsTest, CommandsOnFiles)
{
    // Save As appends the extension.
    seam.files = { preset ("MyPad") };
    menuCommand (PresetCommands::savePresetAs);
    EXPECT_EQ (seam.shown[1].request.title, "Save Preset As...");
    EXPECT_TRUE (preset ("MyPad.kvp").existsAsFile());
    EXPECT_EQ (p.presetName(), "MyPad");

    // A name that would leave its folder is not saved: Save asks for a file instead.
    const auto before = listing();
    p.presetName() = "../../x";
    menuCommand (PresetCommands::savePreset);
    EXPECT_EQ (seam.shown.back().kind, kalvo::test::ScriptedModalSeam::Shown::file);
    EXPECT_EQ (listing(), before);

    // Sixty sub-folders: 49 listed; a save after Save As into the 55th still goes there.
    for (int k = 0; k < 60; ++k)
        preset (juce::String::formatted ("F%02d", k)).createDirectory();
    seam.files = { preset ("F54/Deep") };
    menuCommand (PresetCommands::savePresetAs);
    EXPECT_EQ (e.numPresetSubfolders, 49);
    EXPECT_EQ (p.presetFolderIndex, 49);
    preset ("F54/Deep.kvp").deleteFile();
    menuCommand (PresetCommands::savePreset);
    EXPECT_TRUE (preset ("F54/Deep.kvp").existsAsFile());
    EXPECT_FALSE (preset ("Deep.kvp").exists());

    // The index follows its folder when folders are added in front of it.
    seam.files = { preset ("F05/Five") };
    menuCommand (PresetCommands::savePresetAs);
    EXPECT_EQ (p.presetFolderIndex, 5);
    preset ("E00").createDirectory();
    click (e.iconButtons[3]);
    EXPECT_EQ (p.presetFolderIndex, 6);

    // Replacing a file is asked first; Cancel keeps it.
    const auto written = preset ("F05/Five.kvp").getLastModificationTime();
    seam.files = { preset ("F05/Five") };
    seam.answers = { PresetCommands::savePresetAs, 2 };
    click (e.iconButtons[1]);
    EXPECT_EQ (seam.shown.back().alertShown.buttons.joinIntoString ("|"), "Yes|Cancel");
    EXPECT_EQ (preset ("F05/Five.kvp").getLastModificationTime(), written);

    menuCommand (PresetCommands::renamePreset);
    EXPECT_TRUE (e.presetNameEditor.isVisible());
    EXPECT_EQ (e.presetNameEditor.getText(), "Five");
    EXPECT_FALSE (e.iconButtons[3].isVisible());

    // Delete all of them: exactly the three of that name.
    for (auto path : { "F01/Lead.kvp", "F02/Lead.kvp", "Lead.kvp", "F02/Lead 2.kvp" })
        ASSERT_TRUE (preset (path).create());
    p.presetName() = "Lead";
    seam.answers = { PresetCommands::deletePreset, 1 };
    click (e.iconButtons[1]);
    const auto& alert = seam.shown.back().alertShown;
    EXPECT_EQ (alert.buttons.joinIntoString ("|"), "Delete all of them|Only current folder|Cancel");
    EXPECT_EQ (alert.lookAndFeel, &e.lookAndFeels[8]);
    EXPECT_EQ (alert.textColour, e.palette[6]);
    EXPECT_EQ (alert.associatedComponent, &e);
    for (auto path : { "F01/Lead.kvp", "F02/Lead.kvp", "Lead.kvp" })
        EXPECT_FALSE (preset (path).exists()) << path;
    EXPECT_TRUE (preset ("F02/Lead 2.kvp").existsAsFile());
    EXPECT_TRUE (p.presetModified);

    // A folder that cannot be read is named, not taken for one without the preset.
    ASSERT_TRUE (preset ("A Locked/Solo.kvp").create());
    ASSERT_EQ (chmod (preset ("A Locked").getFullPathName().toRawUTF8(), 0), 0);
    p.presetName() = "Solo";
    {
        const WithoutReadingEverything asUser;
        menuCommand (PresetCommands::deletePreset);
    }
    chmod (preset ("A Locked").getFullPathName().toRawUTF8(), 0755);
    EXPECT_EQ (seam.shown.back().alertShown.message,
               "Could not read the preset folder '" + preset ("A Locked").getFullPathName() +
                   "', so no preset file with the name 'Solo' could be looked for there.");
    EXPECT_TRUE (preset ("A Locked/Solo.kvp").existsAsFile());

    menuCommand (PresetCommands::openPresetFolder);
    EXPECT_EQ (seam.shown.back().folder, p.presetsFolder);
}

// The host may close the window while a menu, an alert or a chooser is up.
TEST_F (EditorToolsTest, WindowClosedWhileModal)
{
    preset ("Lead.kvp").create();
    struct Case
    {
        std::vector<int> answers;
        int icon;
        int button;
        int id;
    };
    const Case cases[] = {
        { { 0 }, 1, left, 0 },                               // preset menu
        { { 0 }, 3, left, 0 },                               // browser
        { { 0 }, -1, right, 0 },                             // category menu
        { { PresetCommands::deletePreset, 1 }, 1, left, 1 }, // delete alert
        { { PresetCommands::savePresetAs }, 1, left, 1 },    // chooser
        { { PresetCommands::loadPreset }, 1, left, 1 },      // chooser
    };
    for (const auto& c : cases)
    {
        OpenWindow w;
        w.p.presetName() = "Lead";
        w.seam.answers.assign (c.answers.begin(), c.answers.end());
        int calls = 0;
        w.seam.during = [&w, &calls, &c]
        {
            if (calls++ == c.id)
                w.editor.reset();
        };
        auto& child = c.icon < 0 ? static_cast<juce::Component&> (w.e.categoryIcon) : w.e.iconButtons[c.icon];
        w.press (child, c.button);
        w.release (child, c.button);
        EXPECT_EQ (w.editor, nullptr);
        EXPECT_TRUE (preset ("Lead.kvp").existsAsFile());
    }
}
} // namespace
