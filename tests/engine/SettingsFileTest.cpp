#include "SettingsFile.h"
#include "StateTestSupport.h"

#include <csignal>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace statetest;

namespace
{
juce::File settingsFile()
{
    temporaryHome();
    return SettingsFile::getFile ("Orvane", "KalvoPro");
}

void writeSettings (const juce::String& text)
{
    settingsFile().getParentDirectory().createDirectory();
    ASSERT_TRUE (settingsFile().replaceWithText (text));
}

// Keeps every file write of this process below a size limit while it exists: a write beyond it
// fails part way, as on a full disk.
class FileSizeLimit
{
public:
    explicit FileSizeLimit (rlim_t bytes)
    {
        previousHandler = std::signal (SIGXFSZ, SIG_IGN);
        getrlimit (RLIMIT_FSIZE, &previous);
        rlimit limited = previous;
        limited.rlim_cur = bytes;
        setrlimit (RLIMIT_FSIZE, &limited);
    }

    ~FileSizeLimit()
    {
        setrlimit (RLIMIT_FSIZE, &previous);
        std::signal (SIGXFSZ, previousHandler);
    }

private:
    rlimit previous{};
    void (*previousHandler) (int) = nullptr;
};
} // namespace

TEST (SettingsFile, LivesBesideThePresetsFolderInTheUsersConfigFolder)
{
    const auto home = temporaryHome().folder;
    EXPECT_EQ (juce::SystemStats::getEnvironmentVariable ("HOME", {}), home.getFullPathName());
    EXPECT_EQ (settingsFile(), home.getChildFile (".config/Orvane/KalvoPro/Setting.xml"));
    auto p = makeProcessor();
    EXPECT_EQ (p->presetsFolder, home.getChildFile (".config/Orvane/KalvoPro/Presets"));

    // Never the user's own configuration, whatever ran before.
    if (const auto* user = getpwuid (getuid()))
    {
        const auto realConfig = juce::File (juce::String::fromUTF8 (user->pw_dir)).getChildFile (".config");
        EXPECT_FALSE (settingsFile().isAChildOf (realConfig));
        EXPECT_FALSE (p->presetsFolder.isAChildOf (realConfig));
    }
}

TEST (SettingsFile, WithoutAFileTheDefaultsStayAndNoFileIsCreated)
{
    settingsFile().deleteFile();
    auto p = makeProcessor();
    EXPECT_EQ (p->scaling, 1.5f);
    EXPECT_EQ (p->skin, 1);
    EXPECT_EQ ((int) p->waveView, 1);
    EXPECT_TRUE (p->waveMainOnly);
    EXPECT_EQ ((int) p->waveLR, 0);
    EXPECT_FALSE (settingsFile().exists());
    EXPECT_TRUE (p->presetsFolder.isDirectory());
}

TEST (SettingsFile, AnEmptySettingElementGivesScaleOne)
{
    writeSettings ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<Setting/>\r\n");
    auto p = makeProcessor();
    EXPECT_EQ (p->scaling, 1.0f);
    EXPECT_EQ (p->skin, 1);
    EXPECT_EQ ((int) p->waveView, 1);
    EXPECT_TRUE (p->waveMainOnly);
    EXPECT_EQ ((int) p->waveLR, 0);
    settingsFile().deleteFile();
}

TEST (SettingsFile, ReadsAnyCaseOfTheRootAndKeepsOtherValuesAsStored)
{
    writeSettings ("<setting Scaling=\"2.0\" Skin=\"3\" WaveView=\"5\" WaveMainOnly=\"no\" WaveLR=\"2\"/>");
    auto p = makeProcessor();
    EXPECT_EQ (p->scaling, 2.0f);
    EXPECT_EQ (p->skin, 3);
    EXPECT_EQ ((int) p->waveView, 5);
    EXPECT_FALSE (p->waveMainOnly);
    EXPECT_EQ ((int) p->waveLR, 2);
    settingsFile().deleteFile();
}

TEST (SettingsFile, ForeignOrBrokenFilesLeaveTheDefaults)
{
    for (auto* text :
         { "<Other Scaling=\"2.0\"/>", "not xml", "", "<Setting><a></Setting>",
           "<Setting Scaling=\"2\xff\"/>", "<!DOCTYPE x [<!ENTITY a \"&a;\">]><Setting Scaling=\"&a;\"/>" })
    {
        settingsFile().getParentDirectory().createDirectory();
        ASSERT_TRUE (settingsFile().replaceWithData (text, strlen (text)));
        auto p = makeProcessor();
        EXPECT_EQ (p->scaling, 1.5f) << text;
        EXPECT_EQ ((int) p->waveView, 1) << text;
    }
    settingsFile().deleteFile();
    settingsFile().createDirectory();
    auto p = makeProcessor();
    EXPECT_EQ (p->scaling, 1.5f);
    settingsFile().deleteRecursively();

    // A pipe would block the processor's construction for good, a device never end.
    ASSERT_EQ (mkfifo (settingsFile().getFullPathName().toRawUTF8(), 0600), 0);
    EXPECT_EQ (makeProcessor()->scaling, 1.5f);
    settingsFile().deleteFile();
    ASSERT_TRUE (juce::File ("/dev/zero").createSymbolicLink (settingsFile(), true));
    EXPECT_EQ (makeProcessor()->scaling, 1.5f);
    settingsFile().deleteFile();
}

TEST (SettingsFile, AnUnusableScaleTakesTheNearestOfTheThreeScales)
{
    const std::pair<const char*, float> cases[] = { { "0", 1.0f },   { "-3", 1.0f },  { "1e30", 2.0f },
                                                    { "nan", 1.5f }, { "inf", 1.5f }, { "-inf", 1.5f },
                                                    { "1.3", 1.5f }, { "1.8", 2.0f }, { "1.0", 1.0f },
                                                    { "1.5", 1.5f }, { "2.0", 2.0f }, { "abc", 1.0f } };
    for (const auto& [text, expected] : cases)
    {
        writeSettings ("<Setting Scaling=\"" + juce::String (text) + "\"/>");
        auto p = makeProcessor();
        EXPECT_EQ (p->scaling, expected) << text;
    }
    settingsFile().deleteFile();
}

TEST (SettingsFile, SaveWritesTheFiveValuesInOrderAndTheyReadBack)
{
    settingsFile().deleteFile();
    auto p = makeProcessor();
    p->scaling = 2.0f;
    p->skin = 1;
    p->waveView = 0;
    p->waveMainOnly = false;
    p->waveLR = 1;
    p->SaveSettings();

    const auto text = settingsFile().loadFileAsString();
    EXPECT_EQ (text,
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n\r\n"
               "<Setting Scaling=\"2.0\" Skin=\"1\" WaveView=\"0\" WaveMainOnly=\"0\" WaveLR=\"1\"/>\r\n");

    auto q = makeProcessor();
    EXPECT_EQ (q->scaling, 2.0f);
    EXPECT_EQ ((int) q->waveView, 0);
    EXPECT_FALSE (q->waveMainOnly);
    EXPECT_EQ ((int) q->waveLR, 1);
    settingsFile().deleteFile();
}

TEST (SettingsFile, AFailedWriteLeavesTheOldFileAsItWas)
{
    writeSettings ("<Setting Scaling=\"1.0\" Skin=\"1\" WaveView=\"1\" WaveMainOnly=\"1\" WaveLR=\"0\"/>");
    const auto old = settingsFile().loadFileAsString();
    auto p = makeProcessor();
    p->scaling = 2.0f;
    {
        const FileSizeLimit limit (40);
        EXPECT_FALSE (SettingsFile::write (*p));
    }
    EXPECT_EQ (settingsFile().loadFileAsString(), old);
    EXPECT_EQ (settingsFile().getParentDirectory().findChildFiles (juce::File::findFiles, false).size(), 1);

    // A preset save that fails part way keeps the old preset too.
    const auto preset = temporaryHome().folder.getChildFile ("Kept.kvp");
    ASSERT_TRUE (p->saveStateToFile (preset));
    const auto presetBefore = preset.loadFileAsString();
    p->presetName() = "Changed";
    {
        const FileSizeLimit limit (4096);
        EXPECT_FALSE (p->saveStateToFile (preset));
    }
    EXPECT_EQ (preset.loadFileAsString(), presetBefore);

    EXPECT_TRUE (SettingsFile::write (*p));
    auto q = makeProcessor();
    EXPECT_EQ (q->scaling, 2.0f);
    settingsFile().deleteFile();
}

TEST (SettingsFile, AScaleWithAnEndlessExponentIsReadWithoutOverflow)
{
    writeSettings ("<Setting Scaling=\"1e9147483647\"/>");
    auto p = makeProcessor();
    EXPECT_EQ (p->scaling, 1.5f); // infinity
    writeSettings ("<Setting Scaling=\"1e-9147483647\"/>");
    auto q = makeProcessor();
    EXPECT_EQ (q->scaling, 1.0f); // zero
    settingsFile().deleteFile();
}
