// The editor's colours and preset-name entry as a real window: goldens for Power on and off on
// Main and Mid, a pending state switch and the open entry, and real alerts answered by the
// harness's modal driver, or left up while the window closes.

#include "../EditorTestSupport.h"
#include "AlertStyle.h"
#include "AssertionCatcher.h"
#include "GoldenImage.h"
#include "ModalDriver.h"
#include "OnScreen.h"
#include "PresetCommands.h"

using kalvo::test::EditorPtr;
using kalvo::test::makeEditorProcessor;
using kalvo::test::openEditor;
using kalvo::test::openPresetEntry;
using kalvo::test::requestState;

namespace
{
class EditorStatusXvfbTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE (OnScreen::displayAvailable()) << "no X display: run under tests/support/with-xvfb.sh";
    }

    static juce::Image shoot (LineEditorAudioProcessorEditor& editor)
    {
        OnScreen window (editor, { 20, 20 });
        OnScreen::pump (100);
        return editor.createComponentSnapshot (editor.getLocalBounds(), true, 1.0f);
    }

    const GoldenImage goldens{ juce::File (KALVO_GOLDEN_DIR) };
};

juce::AlertWindow* topAlert()
{
    return dynamic_cast<juce::AlertWindow*> (ModalDriver::topModal());
}

// Presses `button` on the next alert once it is up, after checking its look and its buttons.
void answerAlert (LineEditorAudioProcessorEditor& editor, int buttons, const juce::String& button)
{
    ModalDriver driver (
        [&]
        {
            auto* alert = topAlert();
            if (alert == nullptr)
                return false;
            kalvo::test::expectWindowAlertStyle (*alert, editor);
            EXPECT_EQ (alert->getNumButtons(), buttons);
            alert->triggerButtonClick (button);
            return true;
        });
    ASSERT_TRUE (
        OnScreen::pumpUntil ([&] { return driver.stepDone() && ModalDriver::topModal() == nullptr; }));
    EXPECT_FALSE (driver.timedOut());
}
} // namespace

TEST_F (EditorStatusXvfbTest, PowerLineAndAPendingSwitch)
{
    const struct
    {
        float power;
        int line;
        const char* name;
    } cases[] = { { 1.0f, 0, "colours_main_on" },
                  { 0.0f, 0, "colours_main_off" },
                  { 1.0f, 2, "colours_mid_on" },
                  { 0.0f, 2, "colours_mid_off" } };
    for (const auto& c : cases)
    {
        auto p = makeEditorProcessor (1.0f);
        p->powerValue = c.power;
        p->currentLine = c.line;
        auto editor = openEditor (*p);
        editor->stopTimer();
        EXPECT_TRUE (goldens.matches (shoot (*editor), c.name));
    }

    auto p = makeEditorProcessor (1.0f);
    p->currentState = 2;
    requestState (*p, 7);
    auto editor = openEditor (*p);
    editor->stopTimer();
    EXPECT_TRUE (goldens.matches (shoot (*editor), "colours_pending_switch"));
}

TEST_F (EditorStatusXvfbTest, TheOpenEntryAtThreeScales)
{
    const std::pair<float, const char*> scales[] = { { 1.0f, "50" }, { 1.5f, "75" }, { 2.0f, "100" } };
    for (const auto& [scale, name] : scales)
    {
        auto p = makeEditorProcessor (scale);
        auto editor = openEditor (*p);
        editor->stopTimer();
        openPresetEntry (*editor, "Renamed Preset");
        EXPECT_TRUE (goldens.matches (shoot (*editor), juce::String ("preset_entry_") + name));
    }
}

TEST_F (EditorStatusXvfbTest, RealAlertsAnsweredOrLeftUpWhileTheWindowCloses)
{
    auto p = makeEditorProcessor (1.0f);
    const auto presets = p->presetsFolder;
    presets.deleteRecursively();
    ASSERT_TRUE (presets.createDirectory());
    p->presetName() = "A";
    ASSERT_TRUE (p->saveStateToFile (presets.getChildFile ("A.kvp")));
    ASSERT_TRUE (presets.getChildFile ("B.kvp").replaceWithText ("x"));

    auto editor = openEditor (*p);
    editor->stopTimer();
    editor->setTopLeftPosition (20, 20);
    editor->addToDesktop (juce::ComponentPeer::windowHasTitleBar);
    editor->setVisible (true);
    OnScreen::pump (50);

    // A refused name: the alert is styled like the others and says why; OK keeps the entry open.
    // The entry has the keyboard when it opens and again once the alert is gone.
    const auto typing = [&] { return editor->presetNameEditor.hasKeyboardFocus (false); };
    editor->runPresetCommand (PresetCommands::renamePreset);
    EXPECT_TRUE (OnScreen::pumpUntil (typing));
    editor->presetNameEditor.setText ("../B");
    editor->buttonClicked (&editor->saveButton);
    answerAlert (*editor, 1, "OK");
    EXPECT_TRUE (editor->presetNameEditor.isVisible());
    EXPECT_TRUE (OnScreen::pumpUntil (typing));

    // Replacing another preset, confirmed with Yes.
    openPresetEntry (*editor, "B");
    editor->buttonClicked (&editor->saveButton);
    answerAlert (*editor, 2, "Yes");
    EXPECT_FALSE (presets.getChildFile ("A.kvp").exists());
    EXPECT_TRUE (presets.getChildFile ("B.kvp").loadFileAsString().contains ("PresetName"));
    EXPECT_FALSE (editor->presetNameEditor.isVisible());

    // The question is up when the host closes the window: nothing answers it, nothing asserts.
    ASSERT_TRUE (presets.getChildFile ("C.kvp").replaceWithText ("x"));
    openPresetEntry (*editor, "C");
    editor->buttonClicked (&editor->saveButton);
    ASSERT_TRUE (OnScreen::pumpUntil ([] { return topAlert() != nullptr; }));
    AssertionCatcher catcher;
    editor.reset();
    OnScreen::pump (100);
    EXPECT_EQ (catcher.assertionCount(), 0) << catcher.assertions.joinIntoString ("\n");
    EXPECT_EQ (ModalDriver::topModal(), nullptr);
    EXPECT_EQ (presets.getChildFile ("C.kvp").loadFileAsString(), "x");
    EXPECT_TRUE (presets.getChildFile ("B.kvp").existsAsFile());
    presets.deleteRecursively();
}
