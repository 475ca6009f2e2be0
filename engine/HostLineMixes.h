#pragma once

#include <atomic>

// The four line mixes as a host sets them while the mixes are common to all states: the
// parameter listener, on whatever thread the host automates from (the audio thread included),
// leaves the newest value here without a lock, and the message side takes it into the model
// under its lock. A value set again before it is taken replaces the one waiting.
class HostLineMixes
{
public:
    static constexpr int numLines = 4;

    // Any thread: wait-free, no allocation.
    void set (int line, float value) noexcept;

    // Message side: the value waiting for `line`, if one is; it is no longer waiting afterwards.
    bool take (int line, float& value) noexcept;

    // Message side: forgets what waits, for a load that replaces the mixes.
    void discard() noexcept;

private:
    std::atomic<float> values[numLines]{};
    std::atomic<bool> waiting[numLines]{};
};
