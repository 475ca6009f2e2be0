// The preset lists and the preset-name entry against real folders in the test process's private
// home. Alerts are answered by a recorder in place of a window; after every rename nothing
// outside the presets folder has been created or deleted.

#include "EditorTestSupport.h"
#include "PresetAlert.h"
#include "PresetCommands.h"

#include <set>
#include <vector>

using kalvo::test::EditorPtr;
using kalvo::test::makeEditorProcessor;
using kalvo::test::openEditor;
using kalvo::test::openPresetEntry;
using kalvo::test::temporaryHomeFolder;

namespace
{
struct AlertRecorder
{
    struct Shown
    {
        PresetAlert::Request request;
        PresetAlert::Reply reply;
    };
    std::vector<Shown> shown;

    AlertRecorder()
    {
        PresetAlert::presenter = [this] (juce::Component&, juce::LookAndFeel&, juce::Colour,
                                         const PresetAlert::Request& request, PresetAlert::Reply reply) {
            shown.push_back ({ request, std::move (reply) });
        };
    }
    ~AlertRecorder() { PresetAlert::presenter = nullptr; }

    juce::String lastMessage() const { return shown.empty() ? juce::String() : shown.back().request.message; }
};

void writeFile (const juce::File& f)
{
    ASSERT_TRUE (f.replaceWithText ("x"));
}

// Everything in the home folder outside the presets folder.
std::set<juce::String> outsidePresets (const juce::File& presets)
{
    std::set<juce::String> paths;
    for (const auto& f :
         temporaryHomeFolder().findChildFiles (juce::File::findFilesAndDirectories, true, "*"))
        if (f != presets && !f.isAChildOf (presets))
            paths.insert (f.getFullPathName());
    return paths;
}

class PresetEntryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        p = makeEditorProcessor();
        presets = p->presetsFolder;
        presets.deleteRecursively();
        ASSERT_TRUE (presets.createDirectory());
        drums = presets.getChildFile ("Drums");
        ASSERT_TRUE (drums.createDirectory());
        ASSERT_TRUE (p->saveStateToFile (drums.getChildFile ("A.kvp")));
        p->presetName() = "A";
        p->presetFolderIndex = 0;
        p->presetModified = true;
        e = openEditor (*p);
        e->stopTimer();
        before = outsidePresets (presets);
    }

    void TearDown() override
    {
        EXPECT_EQ (outsidePresets (presets), before);
        e.reset();
        presets.deleteRecursively();
    }

    void openEntry (const juce::String& typed) { openPresetEntry (*e, typed); }

    bool entryOpen() const
    {
        const bool open = e->presetNameEditor.isVisible();
        EXPECT_EQ (e->saveButton.isVisible(), open);
        EXPECT_EQ (e->cancelButton.isVisible(), open);
        for (int k = 1; k <= 4; ++k)
            EXPECT_EQ (e->iconButtons[k].isVisible(), !open) << k;
        return open;
    }

    void save() { e->buttonClicked (&e->saveButton); }

    AlertRecorder alerts;
    std::unique_ptr<LineEditorAudioProcessor> p;
    EditorPtr e;
    juce::File presets, drums;
    std::set<juce::String> before;
};
} // namespace

TEST_F (PresetEntryTest, ListsReadEachFolderOnceInNaturalOrder)
{
    // 59 visible sub-folders and a hidden one, which sorts first.
    for (int i = 1; i <= 59; ++i)
        ASSERT_TRUE (presets.getChildFile ("Folder " + juce::String (i)).createDirectory());
    ASSERT_TRUE (presets.getChildFile (".Hidden").createDirectory());
    drums.deleteRecursively();
    const auto folder2 = presets.getChildFile ("Folder 2");
    for (auto* name : { "Pad 10.kvp", "Pad 2.kvp", "Notes.txt", "Pad 3.kvpx" })
        writeFile (folder2.getChildFile (name));
    ASSERT_TRUE (folder2.getChildFile ("Inner").createDirectory());
    writeFile (folder2.getChildFile ("Inner/Deep.kvp"));
    writeFile (presets.getChildFile (".Hidden/Secret.kvp"));
    writeFile (presets.getChildFile ("Folder 55/Late.kvp"));
    writeFile (presets.getChildFile ("Root.kvp"));

    e->LoadPresetsList();
    EXPECT_EQ (e->presetSubfolders.size(), 60);
    EXPECT_EQ (e->numPresetSubfolders, 49);
    EXPECT_EQ (e->presetSubfolders[0].getFileName(), ".Hidden");
    for (int i = 1; i <= 59; ++i)
        EXPECT_EQ (e->presetSubfolders[i].getFileName(), "Folder " + juce::String (i));

    ASSERT_EQ (e->presetFiles[2].size(), 2);
    EXPECT_EQ (e->presetFiles[2][0].getFileName(), "Pad 2.kvp");
    EXPECT_EQ (e->presetFiles[2][1].getFileName(), "Pad 10.kvp");
    ASSERT_EQ (e->presetFiles[0].size(), 1);
    ASSERT_EQ (e->presetFiles[49].size(), 1);
    EXPECT_EQ (e->presetFiles[49][0].getFileName(), "Root.kvp");
    int listed = 0;
    for (int slot = 0; slot < 50; ++slot)
    {
        // Count and list come from one read of the folder.
        EXPECT_EQ (e->presetFileCounts[slot], e->presetFiles[slot].size()) << slot;
        listed += e->presetFiles[slot].size();
    }
    EXPECT_EQ (listed, 4); // Folder 55 is past the 49 listed folders

    // A second scan of the unchanged folder keeps every index.
    const auto first = e->presetSubfolders;
    e->LoadPresetsList();
    EXPECT_EQ (e->presetSubfolders, first);
}

TEST_F (PresetEntryTest, RenamesWithinTheFolderAndClosesAsAsked)
{
    // A to B in Drums, by the Save button.
    openEntry ("B");
    save();
    EXPECT_TRUE (alerts.shown.empty());
    EXPECT_FALSE (drums.getChildFile ("A.kvp").exists());
    EXPECT_TRUE (drums.getChildFile ("B.kvp").existsAsFile());
    EXPECT_EQ (p->presetName(), "B");
    EXPECT_FALSE (p->presetModified);
    EXPECT_EQ (e->iconButtons[3].text, "B");
    EXPECT_FALSE (entryOpen());

    // The same name by Return: an overwrite, no question.
    ASSERT_TRUE (drums.getChildFile ("B.kvp").replaceWithText ("stale"));
    openEntry ("B");
    e->textEditorReturnKeyPressed (e->presetNameEditor);
    EXPECT_TRUE (alerts.shown.empty());
    EXPECT_TRUE (drums.getChildFile ("B.kvp").loadFileAsString().contains ("PresetName"));
    EXPECT_FALSE (entryOpen());

    // Escape and Cancel close without saving; only Cancel rescans.
    writeFile (drums.getChildFile ("New.kvp"));
    openEntry ("C");
    e->textEditorEscapeKeyPressed (e->presetNameEditor);
    EXPECT_FALSE (entryOpen());
    EXPECT_EQ (e->presetNameEditor.getText(), "C");
    EXPECT_EQ (e->presetFileCounts[0], 1);
    openEntry ("C");
    e->buttonClicked (&e->cancelButton);
    EXPECT_FALSE (entryOpen());
    EXPECT_EQ (e->presetFileCounts[0], 2);
    EXPECT_FALSE (drums.getChildFile ("C.kvp").exists());
    EXPECT_EQ (p->presetName(), "B");

    // Return and Escape from another text editor do nothing here.
    juce::TextEditor other;
    openEntry ("D");
    e->textEditorReturnKeyPressed (other);
    e->textEditorEscapeKeyPressed (other);
    EXPECT_TRUE (entryOpen());

    // A preset never saved is simply written; an empty name is accepted.
    p->presetName() = "Ghost";
    openEntry ("");
    save();
    EXPECT_TRUE (alerts.shown.empty());
    EXPECT_TRUE (drums.getChildFile (".kvp").existsAsFile());
    EXPECT_EQ (e->iconButtons[3].text, "");
}

TEST_F (PresetEntryTest, AnEditReleasedJustBeforeTheSaveIsInTheFile)
{
    e->lineEditorUI1.points[0].y = 0.375f;
    e->lineEditorUI1.lineChanged = true;
    openEntry ("B");
    e->textEditorReturnKeyPressed (e->presetNameEditor);
    e->timerCallback();
    EXPECT_FALSE (p->presetModified);

    LineEditorAudioProcessor reader;
    ASSERT_TRUE (reader.getStateFromFile (drums.getChildFile ("B.kvp")));
    EXPECT_EQ (reader.linePoints1()[0][0][0].y, 0.375f);
}

TEST_F (PresetEntryTest, AVanishedSubFolderMeansThePresetsFolder)
{
    e->LoadPresetsList();
    ASSERT_EQ (e->presetSubfolders[0], drums);
    writeFile (presets.getChildFile ("A.kvp"));
    ASSERT_TRUE (drums.deleteRecursively());

    openEntry ("B");
    save();
    EXPECT_TRUE (alerts.shown.empty());
    EXPECT_FALSE (presets.getChildFile ("A.kvp").exists());
    EXPECT_TRUE (presets.getChildFile ("B.kvp").existsAsFile());
    EXPECT_EQ (p->presetFolderIndex, 0); // the folder index is not the save's to change
}

TEST_F (PresetEntryTest, AFailedWriteKeepsTheOldFileTheNameAndTheEntry)
{
    // A folder where the new file would go: the write fails whoever runs the test.
    ASSERT_TRUE (drums.getChildFile ("B.kvp").createDirectory());
    const auto old = drums.getChildFile ("A.kvp").loadFileAsString();

    openEntry ("B");
    save();
    ASSERT_EQ (alerts.shown.size(), 1u);
    EXPECT_EQ (alerts.lastMessage(), "Could not save the preset file");
    EXPECT_EQ (drums.getChildFile ("A.kvp").loadFileAsString(), old);
    EXPECT_TRUE (drums.getChildFile ("B.kvp").isDirectory());
    EXPECT_EQ (p->presetName(), "A");
    EXPECT_TRUE (p->presetModified);
    EXPECT_TRUE (entryOpen());
    EXPECT_EQ (e->presetNameEditor.getText(), "B");

    // A host restored another preset while the entry was open: nothing is written, and it says so.
    p->presetName() = "Restored";
    save();
    ASSERT_EQ (alerts.shown.size(), 2u);
    EXPECT_EQ (alerts.lastMessage(), PresetCommands::restoringMessage ("B"));
    EXPECT_TRUE (entryOpen());
}

TEST_F (PresetEntryTest, HostileNamesAreRefusedAndNeverDeleteOutsideTheFolder)
{
    juce::String longest, tooLong, accented;
    // The save's temporary copy adds 13 bytes to the file name, which may then still hold 255.
    for (int i = 0; i < 255 - 13 - 4; ++i)
        longest += "a";
    tooLong = longest + "a";
    for (int i = 0; i < 120; ++i)
        accented += juce::String::charToString (0xE9); // 120 characters, 240 bytes
    const juce::String refused[] = { "../x",
                                     "/x",
                                     "a/b",
                                     "a\\b",
                                     "~x",
                                     "~",
                                     juce::String ("a") + juce::String::charToString (1),
                                     juce::String ("tab\t"),
                                     tooLong,
                                     accented };
    for (const auto& name : refused)
    {
        openEntry (name);
        save();
        ASSERT_EQ (alerts.shown.size(), 1u) << name;
        EXPECT_TRUE (alerts.lastMessage().startsWith ("A preset name") ||
                     alerts.lastMessage().contains ("too long"));
        alerts.shown.clear();
        EXPECT_TRUE (entryOpen());
        EXPECT_EQ (p->presetName(), "A");
        EXPECT_TRUE (drums.getChildFile ("A.kvp").existsAsFile());
        EXPECT_EQ (drums.findChildFiles (juce::File::findFilesAndDirectories, false).size(), 1);
    }

    openEntry (longest);
    save();
    EXPECT_TRUE (alerts.shown.empty());
    EXPECT_TRUE (drums.getChildFile (longest + ".kvp").existsAsFile());

    // An old name from a project that points out of the folder deletes nothing there.
    const auto outside = presets.getParentDirectory().getChildFile ("Outside.kvp");
    writeFile (outside);
    before = outsidePresets (presets);
    for (auto* hostile : { "../Outside", "~/../Outside", "Drums/../../Outside" })
    {
        p->presetName() = hostile;
        openEntry ("C");
        save();
        EXPECT_TRUE (alerts.shown.empty());
        EXPECT_TRUE (outside.existsAsFile()) << hostile;
        EXPECT_TRUE (drums.getChildFile ("C.kvp").deleteFile());
    }
}

TEST_F (PresetEntryTest, AnotherPresetIsReplacedOnlyWhenConfirmed)
{
    writeFile (drums.getChildFile ("B.kvp"));

    openEntry ("B");
    save();
    ASSERT_EQ (alerts.shown.size(), 1u);
    const auto& question = alerts.shown[0].request;
    EXPECT_EQ (question.message, "Replace the existing preset 'B'?");
    ASSERT_EQ (question.buttons.size(), 2u);
    EXPECT_EQ (question.buttons[0].text, "Yes");
    EXPECT_EQ (question.buttons[0].result, 1);
    EXPECT_EQ (question.buttons[1].text, "Cancel");
    EXPECT_EQ (question.buttons[1].result, 0);

    alerts.shown[0].reply (0);
    EXPECT_TRUE (entryOpen());
    EXPECT_EQ (drums.getChildFile ("B.kvp").loadFileAsString(), "x");
    EXPECT_TRUE (drums.getChildFile ("A.kvp").existsAsFile());

    save();
    ASSERT_EQ (alerts.shown.size(), 2u);
    alerts.shown[1].reply (1);
    EXPECT_FALSE (entryOpen());
    EXPECT_TRUE (drums.getChildFile ("B.kvp").loadFileAsString().contains ("PresetName"));
    EXPECT_FALSE (drums.getChildFile ("A.kvp").exists());
    EXPECT_EQ (p->presetName(), "B");
}

TEST_F (PresetEntryTest, AnAnswerAfterTheWindowClosedDoesNothing)
{
    writeFile (drums.getChildFile ("B.kvp"));
    openEntry ("B");
    save();
    ASSERT_EQ (alerts.shown.size(), 1u);

    e.reset();
    alerts.shown[0].reply (1);
    EXPECT_EQ (drums.getChildFile ("B.kvp").loadFileAsString(), "x");
    EXPECT_TRUE (drums.getChildFile ("A.kvp").existsAsFile());
    EXPECT_EQ (p->presetName(), "A");
}
