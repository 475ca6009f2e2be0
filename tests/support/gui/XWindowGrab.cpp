#include "XWindowGrab.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace
{
Window findNamed (Display* display, Window window, const std::string& name)
{
    // JUCE names its windows through _NET_WM_NAME and the class hint, not WM_NAME.
    XClassHint hint{};
    if (XGetClassHint (display, window, &hint) != 0)
    {
        const bool match = hint.res_name != nullptr && name == hint.res_name;
        XFree (hint.res_name);
        XFree (hint.res_class);
        if (match)
            return window;
    }

    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    Window found = 0;
    if (XQueryTree (display, window, &root, &parent, &children, &count) != 0)
    {
        for (unsigned int i = 0; i < count && found == 0; ++i)
            found = findNamed (display, children[i], name);
        if (children != nullptr)
            XFree (children);
    }
    return found;
}
} // namespace

XWindowPixels grabXWindow (const std::string& name)
{
    XWindowPixels pixels;
    Display* display = XOpenDisplay (nullptr);
    if (display == nullptr)
        return pixels;

    const Window window = findNamed (display, DefaultRootWindow (display), name);
    XWindowAttributes attributes{};
    if (window != 0 && XGetWindowAttributes (display, window, &attributes) != 0)
    {
        if (XImage* image = XGetImage (display, window, 0, 0, (unsigned) attributes.width,
                                       (unsigned) attributes.height, AllPlanes, ZPixmap))
        {
            pixels.width = attributes.width;
            pixels.height = attributes.height;
            pixels.rgb.reserve ((size_t) (pixels.width * pixels.height));
            for (int y = 0; y < pixels.height; ++y)
                for (int x = 0; x < pixels.width; ++x)
                    pixels.rgb.push_back ((std::uint32_t) XGetPixel (image, x, y) & 0xFFFFFFu);
            XDestroyImage (image);
        }
    }
    XCloseDisplay (display);
    return pixels;
}
