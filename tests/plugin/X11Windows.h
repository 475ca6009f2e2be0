// What the X server knows of a window, asked through a connection of this test's own (kept out of
// files that include JUCE: X11's Time clashes with juce::Time).
#pragma once

namespace kalvo::test
{
// The number of child windows of the window, or -1 when the server cannot tell.
int ChildWindowCount (unsigned long window);
} // namespace kalvo::test
