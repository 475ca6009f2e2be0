#include "X11Windows.h"

#include <X11/Xlib.h>

namespace kalvo::test
{
int ChildWindowCount (unsigned long window)
{
    Display* display = XOpenDisplay (nullptr);
    if (display == nullptr)
        return -1;
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    const Status status = XQueryTree (display, window, &root, &parent, &children, &count);
    if (children != nullptr)
        XFree (children);
    XCloseDisplay (display);
    return status != 0 ? static_cast<int> (count) : -1;
}
} // namespace kalvo::test
