#pragma once

#include "ThreadAnnotations.h"

// The audio thread's part, as a capability the thread-safety analysis can reason about: the
// functions that run there (the block and the parameter listener a host calls from its audio
// thread) require it, and whatever takes the model lock excludes it, so a lock taken where
// the audio thread runs fails the build. Nothing is ever acquired at run time: it stands for a
// thread, not for a lock.
class KALVO_CAPABILITY ("role") AudioThreadRole
{
public:
    AudioThreadRole() = default;
    AudioThreadRole (const AudioThreadRole&) = delete;
    AudioThreadRole& operator= (const AudioThreadRole&) = delete;
};

inline AudioThreadRole audioThreadRole;
