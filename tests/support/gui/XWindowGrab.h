#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The pixels of the first top-level window on the current X display whose class hint names it `name`, as
// 0xRRGGBB words row by row; empty when there is no display or no such window. Kept apart from
// JUCE: X11's headers clash with juce::Time.
struct XWindowPixels
{
    int width = 0, height = 0;
    std::vector<std::uint32_t> rgb;
};

XWindowPixels grabXWindow (const std::string& name);
