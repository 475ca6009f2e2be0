// The editor as a real window: both views at the three scales against PNG goldens, and a window
// closed while one of its tooltips shows.

#include "../EditorTestSupport.h"
#include "AssertionCatcher.h"
#include "GoldenImage.h"
#include "OnScreen.h"

using kalvo::test::makeEditorProcessor;
using kalvo::test::openEditor;

namespace
{
class EditorXvfbTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE (OnScreen::displayAvailable()) << "no X display: run under tests/support/with-xvfb.sh";
    }

    static GoldenImage goldens() { return GoldenImage (juce::File (KALVO_GOLDEN_DIR)); }
};
} // namespace

TEST_F (EditorXvfbTest, BothViewsAtThreeScales)
{
    const struct
    {
        float scale;
        const char* name;
        int width, height;
    } scales[] = { { 1.0f, "50", 592, 234 }, { 1.5f, "75", 888, 351 }, { 2.0f, "100", 1184, 468 } };

    for (const auto& s : scales)
    {
        auto p = makeEditorProcessor (s.scale);
        auto editor = openEditor (*p);
        editor->stopTimer(); // only what the window shows when it opens
        OnScreen window (*editor, { 20, 20 });
        ASSERT_NE (window.peer(), nullptr);
        OnScreen::pump (100);

        for (int view : { 0, 1 })
        {
            editor->ViewSelector (view);
            const auto snapshot = editor->createComponentSnapshot (editor->getLocalBounds(), true, 1.0f);
            ASSERT_EQ (snapshot.getWidth(), s.width);
            ASSERT_EQ (snapshot.getHeight(), s.height);
            EXPECT_TRUE (goldens().matches (
                snapshot, juce::String (view == 0 ? "editor_main_" : "editor_about_") + s.name));
        }
    }
}

TEST_F (EditorXvfbTest, ClosedWhileATooltipShows)
{
    auto p = makeEditorProcessor (1.5f);
    auto editor = openEditor (*p);
    // On the desktop until it is deleted, as a host's window goes with the editor inside it.
    editor->setTopLeftPosition (20, 20);
    editor->addToDesktop (juce::ComponentPeer::windowHasTitleBar);
    editor->setVisible (true);
    OnScreen::pump (50);

    auto& power = editor->iconButtons[0];
    power.setTooltip ("Power");
    editor->tooltipWindow.displayTip (power.getScreenBounds().getCentre(), "Power");
    ASSERT_TRUE (OnScreen::pumpUntil ([&] { return editor->tooltipWindow.isVisible(); }));

    AssertionCatcher catcher;
    editor.reset();
    OnScreen::pump (50);
    EXPECT_EQ (catcher.assertionCount(), 0) << catcher.assertions.joinIntoString ("\n");
    EXPECT_FALSE (p->editorOpen);
}
