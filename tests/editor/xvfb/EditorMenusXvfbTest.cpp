// The state menu and the learn menu as real popup menus, the preset commands' real alerts, and a
// window closed by its host while one of them is open.

#include "../OpenWindow.h"
#include "AlertStyle.h"
#include "AssertionCatcher.h"
#include "ModalDriver.h"
#include "OnScreen.h"
#include "PresetCommands.h"

using kalvo::test::OpenWindow;

namespace
{
class EditorMenusXvfbTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE (OnScreen::displayAvailable()) << "no X display: run under tests/support/with-xvfb.sh";
    }
};

// A window on screen, in front and focused, that menus go to for real. Like a host's window it
// may be deleted while on screen.
struct RealWindow : OpenWindow
{
    RealWindow()
    {
        e.modalSeam = &ModalSeam::system();
        e.setTopLeftPosition (40, 40);
        e.setWantsKeyboardFocus (true);
        e.addToDesktop (juce::ComponentPeer::windowAppearsOnTaskbar);
        e.setVisible (true);
        e.toFront (true);
        e.grabKeyboardFocus();
        OnScreen::pumpUntil (
            [this]
            {
                auto* peer = e.getPeer();
                return peer != nullptr && peer->isFocused() && e.hasKeyboardFocus (true);
            });
    }
};
} // namespace

TEST_F (EditorMenusXvfbTest, RealMenusChooseCopyAndMidiLearn)
{
    RealWindow w;
    {
        ModalDriver driver (ModalDriver::endWith (2)); // "Copy"
        w.release (w.e.stateGraphs[3], OpenWindow::right);
        EXPECT_TRUE (driver.stepDone());
        EXPECT_FALSE (driver.timedOut());
    }
    EXPECT_TRUE (w.p.stateClipboardFull());
    EXPECT_EQ (std::memcmp (w.p.stateClipboard1()[0], w.p.linePoints1()[0][3], sizeof (w.p.stateClipboard1()[0])),
               0);

    {
        ModalDriver driver (ModalDriver::endWith (1)); // "Midi Learn"
        w.release (w.e.stateIcons[6]);
        EXPECT_TRUE (driver.stepDone());
    }
    EXPECT_TRUE (w.p.midiLearnActive);
    EXPECT_EQ (w.p.midiLearnTarget.load(), 6);
}

TEST_F (EditorMenusXvfbTest, AWindowClosedInsideARealMenuIsSafe)
{
    for (const bool learn : { false, true })
    {
        RealWindow w;
        AssertionCatcher catcher;
        {
            ModalDriver driver (
                [&w]
                {
                    if (ModalDriver::topModal() == nullptr)
                        return false;
                    w.editor.reset();
                    return true;
                });
            if (learn)
                w.release (w.e.stateIcons[2]);
            else
                w.release (w.e.stateGraphs[2], OpenWindow::right);
            EXPECT_TRUE (driver.stepDone());
            EXPECT_FALSE (driver.timedOut());
        }
        OnScreen::pump (50);
        EXPECT_EQ (w.editor, nullptr);
        EXPECT_FALSE (w.p.editorOpen);
        EXPECT_FALSE (w.p.midiLearnActive);
        EXPECT_EQ (catcher.assertionCount(), 0) << catcher.assertions.joinIntoString ("\n");
    }
}

TEST_F (EditorMenusXvfbTest, AWindowClosedUnderTheNameEntrysOwnMenuIsSafe)
{
    // The entry's right-click menu opens by itself, not through the seam, in the entry's look.
    RealWindow w;
    w.e.presetNameEditor.setVisible (true);
    AssertionCatcher catcher;
    auto& desktop = juce::Desktop::getInstance();
    const int before = desktop.getNumComponents();
    w.e.presetNameEditor.mouseDown (
        OpenWindow::event (w.e.presetNameEditor, juce::ModifierKeys (OpenWindow::right)));
    ASSERT_TRUE (OnScreen::pumpUntil ([&] { return desktop.getNumComponents() > before; }));

    w.editor.reset();
    OnScreen::pump (50);
    EXPECT_EQ (desktop.getNumComponents(), before - 1); // the menu went with the window
    EXPECT_EQ (catcher.assertionCount(), 0) << catcher.assertions.joinIntoString ("\n");
}

TEST_F (EditorMenusXvfbTest, RealDeleteQuestionLooksLikeEveryAlertAndOutlivesItsWindowSafely)
{
    for (const bool closeWindow : { false, true })
    {
        RealWindow w;
        const auto doomed = w.p.presetsFolder.getChildFile ("Doomed.kvp");
        ASSERT_TRUE (doomed.create());
        w.p.presetName() = "Doomed";
        AssertionCatcher catcher;
        {
            ModalDriver driver (
                [&w, closeWindow]
                {
                    auto* alert = dynamic_cast<juce::AlertWindow*> (ModalDriver::topModal());
                    if (alert == nullptr)
                        return false;
                    kalvo::test::expectWindowAlertStyle (*alert, w.e);
                    if (closeWindow)
                        w.editor.reset();
                    else
                        alert->triggerButtonClick ("Cancel");
                    return true;
                });
            w.e.runPresetCommand (PresetCommands::deletePreset);
            EXPECT_TRUE (driver.stepDone());
            EXPECT_FALSE (driver.timedOut());
        }
        OnScreen::pump (50);
        EXPECT_EQ (ModalDriver::topModal(), nullptr);
        EXPECT_TRUE (doomed.existsAsFile()) << closeWindow;
        EXPECT_EQ (w.editor == nullptr, closeWindow);
        EXPECT_EQ (catcher.assertionCount(), 0) << catcher.assertions.joinIntoString ("\n");
        doomed.deleteFile();
    }
}
