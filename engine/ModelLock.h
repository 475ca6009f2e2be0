#pragma once

#include "RealtimeSafeRole.h"
#include "ThreadAnnotations.h"

#include <JuceHeader.h>

#include <atomic>

// The lock of the processor's message-side model, as a capability the thread-safety analysis
// knows. It is never taken on the audio thread (taking it excludes realtimeSafeRole), and never
// taken again by a thread that holds it: every function either takes it or requires it held.
class KALVO_CAPABILITY ("mutex") ModelLock
{
public:
    ModelLock() = default;
    ModelLock (const ModelLock&) = delete;
    ModelLock& operator= (const ModelLock&) = delete;

    void enter() KALVO_ACQUIRE() KALVO_EXCLUDES (realtimeSafeRole);
    bool tryEnter() KALVO_TRY_ACQUIRE (true) KALVO_EXCLUDES (realtimeSafeRole);
    void exit() KALVO_RELEASE();

    // For tests that run a second operation in every gap a first one leaves between its holds:
    // told on the releasing thread each time the lock has been let go. The product sets none, so a
    // release costs it one load and test (the audio thread never takes this lock).
    class ReleaseWatch
    {
    public:
        virtual void released() = 0;

    protected:
        ~ReleaseWatch() = default;
    };
    void watchReleases (ReleaseWatch* watch) noexcept { releaseWatch.store (watch, std::memory_order_relaxed); }

    class KALVO_SCOPED_CAPABILITY Hold
    {
    public:
        explicit Hold (ModelLock& lockToHold) KALVO_ACQUIRE (lockToHold) KALVO_EXCLUDES (realtimeSafeRole)
            : lock (lockToHold) { lock.enter(); }
        ~Hold() KALVO_RELEASE() { lock.exit(); }
        Hold (const Hold&) = delete;
        Hold& operator= (const Hold&) = delete;

    private:
        ModelLock& lock;
    };

private:
    juce::CriticalSection section;
    std::atomic<ReleaseWatch*> releaseWatch{ nullptr };
};
