#include "RestoreEpoch.h"

RestoreEpoch::Restore::~Restore()
{
    endAfterFailure();
}

void RestoreEpoch::Restore::begin (RestoreEpoch& epoch) noexcept
{
    jassert (inProgress == nullptr);
    if (inProgress != nullptr)
        return;
    begun = epoch.begin();
    inProgress = &epoch;
}

void RestoreEpoch::Restore::end (RestoreEpoch& epoch) noexcept
{
    jassert (inProgress == &epoch);
    if (inProgress != &epoch)
        return;
    epoch.end();
    inProgress = nullptr;
}

void RestoreEpoch::Restore::endAfterFailure()
{
    if (inProgress == nullptr)
        return;

    const ModelLock::Hold hold (lock);
    inProgress->end();
    inProgress = nullptr;
}

RestoreEpoch::Mark RestoreEpoch::begin() noexcept
{
    ++underway;
    return ++count;
}

void RestoreEpoch::end() noexcept
{
    // Only a Restore ends one, and only the one it began.
    jassert (underway > 0);
    if (underway > 0)
        --underway;
}

bool RestoreEpoch::isUnderway() const noexcept
{
    return underway > 0;
}

RestoreEpoch::Mark RestoreEpoch::mark() const noexcept
{
    return underway > 0 ? duringRestore : count;
}

bool RestoreEpoch::isQuietSince (Mark since) const noexcept
{
    return underway == 0 && since == count;
}
