// The preset menu's data and the commands' file work, against the presets folder of a processor
// in the test process's private home.

#include "PresetCommands.h"
#include "MenuText.h"
#include "PresetLists.h"
#include "PresetRename.h"
#include "ProcessorTestSupport.h"
#include "TestHome.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <sys/stat.h>
#include <thread>

namespace
{
using Commands = PresetCommands;

class PresetCommandsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        home = kalvo::test::temporaryHomeFolder();
        p = std::make_unique<LineEditorAudioProcessor>();
        p->presetsFolder.deleteRecursively();
        p->presetsFolder.createDirectory();
        Commands::temporaryPreset (*p, "kvp").deleteFile();
    }

    juce::File preset (const juce::String& path) const { return p->presetsFolder.getChildFile (path); }

    // Every file and folder of the home with its size and time, to see what a command touched.
    std::map<juce::String, juce::String> listing() const
    {
        std::map<juce::String, juce::String> all;
        for (const auto& f : home.findChildFiles (juce::File::findFilesAndDirectories, true, "*"))
            all[f.getFullPathName()] = juce::String (f.getSize()) + " " +
                                       juce::String (f.getLastModificationTime().toMilliseconds());
        return all;
    }

    juce::File home;
    std::unique_ptr<LineEditorAudioProcessor> p;
};

TEST_F (PresetCommandsTest, MenuAsData)
{
    p->waveView = 1;
    p->waveMainOnly = true;
    p->waveLR = 2;
    p->scaling = 1.5f;
    EXPECT_EQ (kalvo::test::menuText (Commands::presetMenu (*p)),
               "1 Save Preset|2 Rename Preset and Save|3 Save Preset As...|-|4 Load Preset|5 Reset Preset|"
               "6 Copy Preset|7 Paste Preset|8 Delete Preset|-|9 Open Preset Folder|-|[UI Settings|"
               "13 Waveform: Show +|14 Waveform: Separate Bands|-|16 Waveform: L + R|17 Waveform: L|"
               "18 Waveform: R +|-|10 Scale: %50|11 Scale: %75 +|12 Scale: %100|]|-|15 About");
}

TEST_F (PresetCommandsTest, WaveformSettings)
{
    p->waveView = 5;
    Commands::applyInterfaceSetting (*p, Commands::waveformShow);
    EXPECT_EQ (p->waveView, 5);
    p->waveView = 0;
    Commands::applyInterfaceSetting (*p, Commands::waveformShow);
    EXPECT_EQ (p->waveView, 1);
    Commands::applyInterfaceSetting (*p, Commands::waveformLeft);
    EXPECT_EQ (p->waveLR, 1);
}

TEST_F (PresetCommandsTest, DeleteQuestionsAndDeleteAll)
{
    for (auto path :
         { "Drums/Lead.kvp", "Bass/Lead.kvp", "Lead.kvp", "Bass/lead.kvp", "Lead 2.kvp", "Fx/x.kvp" })
        ASSERT_TRUE (preset (path).create());
    const auto lists = PresetLists::scan (p->presetsFolder, "kvp");

    EXPECT_EQ (Commands::countMatches (lists.files, lists.numSubfolders, "Nope"), 0);
    auto q = Commands::deleteQuestion ("Nope", 0, "Main Folder");
    EXPECT_EQ (q.title, "Not found...");
    EXPECT_EQ (q.message, "There is no preset file with the name 'Nope' on the drive.");
    EXPECT_EQ (q.buttons.joinIntoString ("|"), "OK");

    q = Commands::deleteQuestion ("x", Commands::countMatches (lists.files, lists.numSubfolders, "x"), "Fx");
    EXPECT_EQ (q.title, "Deleting preset...");
    EXPECT_EQ (q.message, "Delete the preset file with the name 'x' from the drive?");
    EXPECT_EQ (q.buttons.joinIntoString ("|"), "Yes|Cancel");
    EXPECT_EQ (q.resultOf (1), Commands::deleteAll);
    EXPECT_EQ (q.resultOf (2), Commands::deleteNothing);
    EXPECT_EQ (q.resultOf (0), Commands::deleteNothing);

    const int n = Commands::countMatches (lists.files, lists.numSubfolders, "Lead");
    EXPECT_EQ (n, 3);
    const auto drums = preset ("Drums");
    q = Commands::deleteQuestion ("Lead", n, Commands::folderLabel (*p, drums));
    EXPECT_EQ (q.message,
               "There are more than one preset file with the name 'Lead' in the preset folder, delete "
               "all of them or only the one in current subfolder 'Drums'?");
    EXPECT_EQ (q.buttons.joinIntoString ("|"), "Delete all of them|Only current folder|Cancel");
    EXPECT_EQ (q.resultOf (2), Commands::deleteInCurrentFolder);
    EXPECT_EQ (Commands::folderLabel (*p, p->presetsFolder), "Main Folder");

    EXPECT_EQ (Commands::matchesInFolder (drums, "Lead", "kvp").size(), 1);
    EXPECT_TRUE (Commands::matchesInFolder (drums, "../Lead", "kvp").isEmpty());
    EXPECT_EQ (Commands::matchesEverywhere (lists.files, lists.numSubfolders, "Lead").size(), 3);

    // A file that cannot go is reported, not counted as deleted.
    const auto failed = Commands::deleteFiles ({ preset ("Fx") });
    ASSERT_EQ (failed.size(), 1);
    EXPECT_EQ (Commands::failedDeletionsMessage (failed),
               "Could not delete:\n" + preset ("Fx").getFullPathName());
}

TEST_F (PresetCommandsTest, SaveLoadCopyPaste)
{
    p->presetName() = "MyPad";
    p->presetModified = true;
    EXPECT_EQ (Commands::save (*p, {}, "kvp", "MyPad"), Commands::Outcome::done);
    EXPECT_TRUE (preset ("MyPad.kvp").existsAsFile());
    EXPECT_FALSE (p->presetModified);

    EXPECT_EQ (Commands::withExtension (preset ("Drums/MyPad"), "kvp"), preset ("Drums/MyPad.kvp"));
    EXPECT_EQ (Commands::withExtension (preset ("Lead.KVP"), "kvp"), preset ("Lead.KVP"));

    // The presets folder went missing: it is made again for the save.
    p->presetsFolder.deleteRecursively();
    EXPECT_EQ (Commands::save (*p, {}, "kvp", "MyPad"), Commands::Outcome::done);
    EXPECT_TRUE (preset ("MyPad.kvp").existsAsFile());

    // Copy, change, paste: the copied settings, the current name, modified.
    ASSERT_TRUE (Commands::copyToTemporary (*p, "kvp"));
    EXPECT_EQ (Commands::temporaryPreset (*p, "kvp"), p->presetsFolder.getSiblingFile ("TempPreset.kvp"));
    const float length = p->lineLength()[0][0];
    p->lineLength()[0][0] = length * 0.5f;
    p->presetName() = "Other";
    p->presetModified = false;
    EXPECT_EQ (Commands::pasteTemporary (*p, "kvp"), Commands::Paste::pasted);
    EXPECT_EQ (p->lineLength()[0][0], length);
    EXPECT_EQ (p->presetName(), "Other");
    EXPECT_TRUE (p->presetModified);
    Commands::temporaryPreset (*p, "kvp").deleteFile();
    EXPECT_EQ (Commands::pasteTemporary (*p, "kvp"), Commands::Paste::nothingCopied);

    // A pipe in place of the copy is no copy; a pipe chosen or stepped onto is not read.
    const auto temporary = Commands::temporaryPreset (*p, "kvp").getFullPathName();
    ASSERT_EQ (mkfifo (temporary.toRawUTF8(), 0600), 0);
    EXPECT_EQ (Commands::pasteTemporary (*p, "kvp"), Commands::Paste::nothingCopied);
    EXPECT_FALSE (Commands::load (*p, Commands::temporaryPreset (*p, "kvp")));
    EXPECT_EQ (p->lineLength()[0][0], length);
    EXPECT_EQ (p->presetName(), "Other");
    Commands::temporaryPreset (*p, "kvp").deleteFile();

    // A failed write keeps the name and the mark; a failed read changes neither name nor folder.
    ASSERT_TRUE (preset ("Blocked.kvp").createDirectory());
    EXPECT_EQ (Commands::saveAs (*p, preset ("Blocked.kvp"), "Other"), Commands::Outcome::failed);
    EXPECT_EQ (p->presetName(), "Other");
    EXPECT_TRUE (p->presetModified);
    EXPECT_EQ (Commands::saveFailedMessage ("Other"), "Could not save preset 'Other'");
    ASSERT_TRUE (preset ("Drums/Broken.kvp").create());
    ASSERT_TRUE (preset ("Drums/Broken.kvp").replaceWithText ("<not a preset"));
    p->currentPresetFolder = p->presetsFolder;
    EXPECT_FALSE (Commands::load (*p, preset ("Drums/Broken.kvp")));
    EXPECT_EQ (p->presetName(), "Other");
    EXPECT_EQ (p->currentPresetFolder, p->presetsFolder);
    EXPECT_EQ (Commands::readFailedMessage (preset ("Drums/Broken.kvp")),
               "Could not read preset file '" + preset ("Drums/Broken.kvp").getFullPathName() + "'");

    ASSERT_TRUE (Commands::load (*p, preset ("MyPad.kvp")));
    EXPECT_EQ (p->presetName(), "MyPad");
    EXPECT_FALSE (p->presetModified);
}

TEST_F (PresetCommandsTest, AHostRestoreDuringPasteSaveAsOrRenameKeepsTheRestoredName)
{
    const auto setState = [this] (float state)
    {
        auto* parameter = p->parameters.getParameter ("State");
        parameter->setValueNotifyingHost (parameter->convertTo0to1 (state));
    };
    juce::MemoryBlock restored;
    {
        auto q = std::make_unique<LineEditorAudioProcessor>();
        q->presetName() = "Restored";
        q->parameters.getParameter ("State")->setValueNotifyingHost (7.0f / 11.0f);
        q->getStateInformation (restored);
    }
    const auto restore = [this, &restored] { p->setStateInformation (restored.getData(), (int) restored.getSize()); };
    setState (3.0f);
    ASSERT_TRUE (Commands::copyToTemporary (*p, "kvp"));

    // Paste: a host's restore applies its model while the paste is half done, and then waits for
    // the parameter tree, which the paste holds. Save As and Rename while a restore is half done:
    // the user's preset is gone from the instance, so nothing is written and nothing deleted.
    const std::pair<const char*, std::function<void()>> races[] = {
        { "paste",
          [&]
          {
              std::thread host;
              kalvo::test::InsideRestore inside (*p,
                                                 [&]
                                                 {
                                                     // Raised last in the restore's model part.
                                                     p->optionsChanged = false;
                                                     host = std::thread (restore);
                                                     const auto end = juce::Time::getMillisecondCounter() + 10000;
                                                     while (!p->optionsChanged.load() &&
                                                            juce::Time::getMillisecondCounter() < end)
                                                         std::this_thread::yield();
                                                 });
              EXPECT_EQ (Commands::pasteTemporary (*p, "kvp"), Commands::Paste::pasted);
              host.join();
          } },
        { "save as",
          [&]
          {
              kalvo::test::InsideRestore inside (
                  *p, [this]
                  { EXPECT_NE (Commands::saveAs (*p, preset ("Named.kvp"), "Current"), Commands::Outcome::done); });
              restore();
              EXPECT_TRUE (inside.ran());
              EXPECT_FALSE (preset ("Named.kvp").exists());
          } },
        { "save after a whole restore",
          [&]
          {
              restore();
              EXPECT_EQ (Commands::save (*p, {}, "kvp", "Current"), Commands::Outcome::restoring);
              EXPECT_FALSE (preset ("Restored.kvp").exists());
          } },
        { "rename",
          [&]
          {
              const auto mine = preset ("Current.kvp");
              ASSERT_TRUE (p->saveStateToFile (mine));
              const auto saved = mine.loadFileAsString();
              const auto plan = PresetRename::plan (p->presetsFolder, "Current", "Renamed", "kvp");
              kalvo::test::InsideRestore inside (*p, [&] { PresetRename::save (*p, plan, "Renamed"); });
              restore();
              EXPECT_TRUE (inside.ran());
              EXPECT_EQ (mine.loadFileAsString(), saved);
              EXPECT_FALSE (preset ("Renamed.kvp").exists());
          } },
    };
    for (const auto& [name, race] : races)
    {
        setState (0.0f);
        p->presetName() = "Current";
        p->currentPresetFolder = preset ("Elsewhere");
        race();
        EXPECT_EQ (p->getPresetName(), "Restored") << name;
        EXPECT_FALSE (p->presetModified) << name;
        // The written file is not the restored preset's, so its folder is not the current one.
        EXPECT_EQ (p->currentPresetFolder.getFullPathName(), preset ("Elsewhere").getFullPathName()) << name;
    }
}

TEST_F (PresetCommandsTest, HostileNamesWriteNothing)
{
    const juce::String names[] = { "../../x",
                                   "..",
                                   ".",
                                   "a/b",
                                   "a\\b",
                                   "~x",
                                   juce::String ("a") + juce::String::charToString (1),
                                   juce::String::repeatedString ("n", 300) };
    ASSERT_TRUE (preset ("Drums").createDirectory());
    const auto before = listing();
    for (const auto& name : names)
    {
        for (const auto& folder : { juce::File(), preset ("Drums") })
        {
            p->presetName() = name;
            p->currentPresetFolder = folder;
            EXPECT_EQ (Commands::save (*p, {}, "kvp", name), Commands::Outcome::unusableName) << name;
            EXPECT_EQ (Commands::presetFile (preset ("Drums"), name, "kvp"), juce::File()) << name;
        }
    }
    // A chosen file is a path already; only its name is checked.
    for (const juce::String name : { "~x", "a\x01" })
        EXPECT_EQ (Commands::saveAs (*p, preset ("Drums").getChildFile (name + ".kvp"), name),
                   Commands::Outcome::unusableName)
            << name;
    EXPECT_EQ (listing(), before);
    EXPECT_EQ (Commands::presetFile (preset ("Drums"), "", "kvp"), preset ("Drums/.kvp"));
}
} // namespace
