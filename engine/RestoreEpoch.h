#pragma once

#include "ModelLock.h"

#include <cstdint>

// The model's restores as the message side's edits see them. A restore applies its document in
// two parts under the model lock, with the parameter tree's replaceState between them (it calls
// the host, so never under the lock): until the second part the model is half the new document.
// An edit that lands in that gap, or that read the model before a restore and would write after
// it, loses to the restored document. Guarded by the model lock, like the model itself.
class RestoreEpoch
{
public:
    using Mark = std::uint64_t;

    // One restore, the only way to begin and end one. Under way from begin() to end(), or to its
    // destruction when it is left before end() (an exception from the tree, from a host callback,
    // from parsing): a restore that fails part-way still ends, so later edits land again.
    class Restore
    {
    public:
        explicit Restore (ModelLock& modelLock) noexcept : lock (modelLock) {}
        ~Restore();

        // The restore's first part; the caller holds the model lock that guards `epoch`.
        void begin (RestoreEpoch& epoch) noexcept;
        // Its second part, likewise.
        void end (RestoreEpoch& epoch) noexcept;

        // What begin() returned to compare later marks with (see isQuietSince).
        Mark mark() const noexcept { return begun; }

        Restore (const Restore&) = delete;
        Restore& operator= (const Restore&) = delete;

    private:
        void endAfterFailure() KALVO_EXCLUDES (lock);

        ModelLock& lock;
        // The epoch of a restore begun and not yet ended.
        RestoreEpoch* inProgress KALVO_PT_GUARDED_BY (lock) = nullptr;
        Mark begun = 0;
    };

    // Some restore has begun and not yet ended.
    bool isUnderway() const noexcept;

    // The restores so far. A mark taken while one is under way is never quiet.
    Mark mark() const noexcept;

    // No restore began since `since` was marked, and none is under way now.
    bool isQuietSince (Mark since) const noexcept;

private:
    static constexpr Mark duringRestore = ~Mark{ 0 };

    Mark begin() noexcept;
    void end() noexcept;

    Mark count = 0;
    int underway = 0;
};
