#pragma once

#include <JuceHeader.h>

// Replaces a file only with a completely written new one: the bytes go to a temporary file
// beside the target, which is checked for its full size and then moved over the target. A write
// that fails part way (disk full, size limit, no permission) leaves the old file as it was.
//
// The framework's own stream does not notice a short write, so the size is checked here.
class SafeFileWriter
{
public:
    static bool replaceWithData (const juce::File& target, const void* data, size_t numBytes);

    // The text as UTF-8, without byte-order mark.
    static bool replaceWithText (const juce::File& target, const juce::String& text);
};
