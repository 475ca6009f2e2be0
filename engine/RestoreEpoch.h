#pragma once

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

    // A restore's first part. Its mark: what marks taken after its end are compared with.
    Mark begin() noexcept;
    // Its second part.
    void end() noexcept;

    // Some restore has begun and not yet ended.
    bool isUnderway() const noexcept;

    // The restores so far. A mark taken while one is under way is never quiet.
    Mark mark() const noexcept;

    // No restore began since `since` was marked, and none is under way now.
    bool isQuietSince (Mark since) const noexcept;

private:
    static constexpr Mark duringRestore = ~Mark{ 0 };

    Mark count = 0;
    int underway = 0;
};
