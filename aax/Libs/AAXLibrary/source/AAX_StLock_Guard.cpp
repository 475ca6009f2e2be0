#include "AAX_StLock_Guard.h"

AAX_StLock_Guard::AAX_StLock_Guard (AAX_CMutex& mutex) : mMutex (mutex), mLocked (mutex.Lock()) {}

AAX_StLock_Guard::~AAX_StLock_Guard()
{
    if (mLocked)
        mMutex.Unlock();
}
