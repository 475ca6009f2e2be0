#pragma once

#include <JuceHeader.h>

// Reads a file only when it is a regular file. A named pipe, a device or a socket put where a
// preset, the settings or an input file belongs would block the open or the read, or never end:
// the path is looked at first, then opened without blocking, and what was opened is looked at
// again, since the path may have been swapped in between.
//
// Every file KalvoPro and kalvo-render read goes through here.
class RegularFileInput : public juce::InputStream
{
public:
    explicit RegularFileInput (const juce::File& file);
    ~RegularFileInput() override;

    // Ok, or what stands in the way, beginning with the file's path: "... does not exist",
    // "... is a folder", "... is not a regular file (a pipe, a device or a socket)", ...
    const juce::Result& getStatus() const noexcept { return status; }
    bool openedOk() const noexcept { return status.wasOk(); }

    // True when file names a regular file (a link to one included); looks without opening.
    static bool isRegularFile (const juce::File& file);

    // The same checks without reading, and a file larger than maxBytes refused too.
    static juce::Result check (const juce::File& file, juce::int64 maxBytes);

    // The whole file into data when it is a regular file of at most maxBytes; data is left empty
    // otherwise.
    static juce::Result readAll (const juce::File& file, juce::int64 maxBytes, juce::MemoryBlock& data);

    juce::int64 getTotalLength() override { return size; }
    bool isExhausted() override { return position >= size; }
    int read (void* destBuffer, int maxBytesToRead) override;
    juce::int64 getPosition() override { return position; }
    bool setPosition (juce::int64 newPosition) override;

private:
    juce::Result sizeWithin (juce::int64 maxBytes) const;

    juce::String path;
    juce::Result status = juce::Result::ok();
    int descriptor = -1;
    juce::int64 size = 0, position = 0;

    JUCE_DECLARE_NON_COPYABLE (RegularFileInput)
};
