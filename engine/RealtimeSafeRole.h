#pragma once

#include "ThreadAnnotations.h"

// What a function that may run on the audio thread promises, as a capability the thread-safety
// analysis can reason about: it takes no lock of ours, allocates nothing and waits for nothing.
// The block, its helpers, the hand-over's audio side and the parameter listener (which JUCE calls
// on the audio thread, the message thread or a host's restore thread alike) require it, and
// whatever takes the model lock excludes it, so a lock taken in one of them fails the build.
// Nothing is ever acquired at run time: it stands for a promise, not for a lock.
class KALVO_CAPABILITY ("role") RealtimeSafeRole
{
public:
    RealtimeSafeRole() = default;
    RealtimeSafeRole (const RealtimeSafeRole&) = delete;
    RealtimeSafeRole& operator= (const RealtimeSafeRole&) = delete;
};

inline RealtimeSafeRole realtimeSafeRole;
