#pragma once

#include <JuceHeader.h>

#include <atomic>
#include <cstdint>

// Whether the preset differs from the file it was last loaded from or saved to. Read and set like
// a flag, from any thread, the audio thread included (lock-free, no system call). Every mark is
// counted, so that a save clears it only when nothing marked it after the save took its document.
//
// An edit marks the preset in its model step and then tells the host its parameters: those host
// writes change nothing the mark did not count already, and a save made between them holds the
// edit's document. So they do not mark it again (see Quiet). Any other change does, a host's that
// runs from inside such a write included.
class ModifiedMark
{
public:
    using Count = std::uint64_t;

    ModifiedMark& operator= (bool modified) noexcept;
    bool load() const noexcept { return (state.load() & 1) != 0; }
    operator bool() const noexcept { return load(); }

    // The marks so far: taken with the document a save writes.
    Count marks() const noexcept { return state.load() >> 1; }
    // Cleared, unless a mark came after `since` was taken.
    void clearUnlessMarkedSince (Count since) noexcept;

    // A parameter changed: marked, unless it is the host write a Quiet on this thread announced.
    void parameterChanged() noexcept;

    // While it lives, the next parameter change on this thread is an edit's own host write.
    class Quiet
    {
    public:
        explicit Quiet (ModifiedMark& mark) noexcept;
        ~Quiet();
        Quiet (const Quiet&) = delete;
        Quiet& operator= (const Quiet&) = delete;

    private:
        ModifiedMark& owner;
        juce::Thread::ThreadID before;
    };

private:
    void mark() noexcept;

    std::atomic<Count> state{ 0 }; // marks << 1 | modified
    std::atomic<juce::Thread::ThreadID> quietThread{ nullptr };
};
