#pragma once
#include "AAX_CMutex.h"

/** Scoped lock on an AAX_CMutex. When the owner thread takes a guard again, the inner guard
    neither blocks nor releases the outer guard's lock. */
class AAX_StLock_Guard
{
public:
    explicit AAX_StLock_Guard (AAX_CMutex& mutex);
    ~AAX_StLock_Guard();

    AAX_StLock_Guard (const AAX_StLock_Guard&) = delete;
    AAX_StLock_Guard& operator= (const AAX_StLock_Guard&) = delete;

    bool IsLocked() const { return mLocked; }

private:
    AAX_CMutex& mMutex;
    bool mLocked;
};
