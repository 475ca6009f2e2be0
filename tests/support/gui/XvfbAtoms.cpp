// The display connection opened before the JUCE initialiser when DISPLAY is set; it interns the
// window-manager atoms JUCE needs on a bare X server and stays open for the whole run, so the
// server does not reset between windows.
#include <X11/Xlib.h>
#include <cstdlib>

namespace
{
class AtomsBeforeJuce
{
public:
    AtomsBeforeJuce()
    {
        if (std::getenv ("DISPLAY") == nullptr)
            return;

        display = XOpenDisplay (nullptr);
        if (display == nullptr)
            return;

        const char* names[] = { "WM_PROTOCOLS",
                                "WM_TAKE_FOCUS",
                                "WM_DELETE_WINDOW",
                                "_NET_WM_PING",
                                "WM_CHANGE_STATE",
                                "WM_STATE",
                                "_NET_WM_WINDOW_TYPE",
                                "_NET_WM_STATE",
                                "_NET_WM_STATE_HIDDEN",
                                "_NET_WM_WINDOW_TYPE_NORMAL",
                                "_NET_WM_WINDOW_TYPE_COMBO" };
        for (const char* name : names)
            XInternAtom (display, name, False);
        XSync (display, False);
    }

    ~AtomsBeforeJuce()
    {
        if (display != nullptr)
            XCloseDisplay (display);
    }

    AtomsBeforeJuce (const AtomsBeforeJuce&) = delete;
    AtomsBeforeJuce& operator= (const AtomsBeforeJuce&) = delete;

    Display* display = nullptr;
};

// Static initialisation runs before main, and so before the test main's JUCE initialiser.
const AtomsBeforeJuce atomsBeforeJuce;
} // namespace
