#pragma once
#include <JuceHeader.h>

// A file written so that a write that stops short is seen with its reason. The framework's file
// stream counts a short write as a failure but keeps no error for it, and on a full disk the
// system's first answer is a short write: all a render could then say was that writing failed.
// Here the rest of a short write is written again, as the system expects, until it is all
// written or the system says why not ("No space left on device", "File too large"); after that
// every write fails and getStatus() keeps the reason.
class WholeWriteFileStream final : public juce::OutputStream
{
public:
    // Creates the file, or empties it.
    explicit WholeWriteFileStream (const juce::File& file);
    ~WholeWriteFileStream() override;

    bool openedOk() const noexcept { return descriptor >= 0; }
    const juce::Result& getStatus() const noexcept { return status; }

    void flush() override;
    juce::int64 getPosition() override { return position; }
    bool setPosition (juce::int64 newPosition) override;
    bool write (const void* data, size_t numBytes) override;

private:
    bool writeBuffered();
    void fail (int error);

    int descriptor = -1;
    juce::Result status = juce::Result::ok();
    juce::HeapBlock<char> buffer;
    size_t buffered = 0;
    juce::int64 position = 0;

    static constexpr size_t bufferSize = 65536;

    JUCE_DECLARE_NON_COPYABLE (WholeWriteFileStream)
};
