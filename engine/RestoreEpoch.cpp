#include "RestoreEpoch.h"

RestoreEpoch::Mark RestoreEpoch::begin() noexcept
{
    ++underway;
    return ++count;
}

void RestoreEpoch::end() noexcept
{
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
