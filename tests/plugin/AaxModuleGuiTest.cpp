// The AAX module's window under X11 (Xvfb): JUCE's wrapper places the editor into the host's view,
// a window the host made, and reports its size; then the host closes it and lets the instance go.
#include "AAX_Errors.h"
#include "AAX_GUITypes.h"
#include "AaxModuleFixture.h"
#include "HostViewContainer.h"
#include "ModuleGui.h"
#include "OnScreen.h"
#include "X11Windows.h"

namespace kalvo::test
{
TEST_F (AaxModuleTest, WindowOpensInsideTheHostsView)
{
    ASSERT_TRUE (OnScreen::displayAvailable());
    auto instance = makeInstance();

    // The host's view: a window of the display's own, made by this process's JUCE.
    juce::Component hostView;
    hostView.setSize (900, 600);
    OnScreen shown (hostView);
    ASSERT_NE (shown.peer(), nullptr);

    {
        aaxhost::ModuleGui gui (host, plugIn, *instance);
        ASSERT_EQ (gui.initialize(), AAX_SUCCESS);
        const auto hostWindow = reinterpret_cast<unsigned long> (shown.peer()->getNativeHandle());
        EXPECT_EQ (ChildWindowCount (hostWindow), 0);
        ASSERT_EQ (gui.attach (AAX_eViewContainer_Type_HWND, shown.peer()->getNativeHandle()), AAX_SUCCESS);
        // The module's editor becomes a window inside the host's.
        EXPECT_TRUE (OnScreen::pumpUntil ([&] { return ChildWindowCount (hostWindow) == 1; }));

        AAX_Point size;
        EXPECT_EQ (gui.object().GetViewSize (&size), AAX_SUCCESS);
        EXPECT_EQ (size.vert, editorHeight);
        EXPECT_EQ (size.horz, editorWidth);
        // Whatever size the window asked the host for is the editor's.
        for (const auto& asked : gui.viewContainer()->sizes())
        {
            EXPECT_EQ (asked.vert, editorHeight);
            EXPECT_EQ (asked.horz, editorWidth);
        }

        EXPECT_EQ (gui.detach(), AAX_SUCCESS);
        EXPECT_TRUE (OnScreen::pumpUntil ([&] { return ChildWindowCount (hostWindow) == 0; }));
        EXPECT_EQ (gui.uninitialize(), AAX_SUCCESS);
        EXPECT_EQ (gui.release(), 0u);
    }
    EXPECT_EQ (instance->uninitialize(), AAX_SUCCESS);
    EXPECT_EQ (instance->release(), 0u);
    EXPECT_EQ (module->canUnloadNow (host.unknown()), 0);
}
} // namespace kalvo::test
