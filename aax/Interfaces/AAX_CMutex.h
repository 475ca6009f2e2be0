#pragma once
#include <memory>

/** A non-recursive mutex that knows its owner: a second Lock by the owning thread is refused
    at once instead of dead-locking, and only the owner can Unlock. The owner is held atomically,
    since every thread that tries the lock reads it while the owner thread writes it. */
class AAX_CMutex
{
public:
    AAX_CMutex();
    ~AAX_CMutex();

    AAX_CMutex (const AAX_CMutex&) = delete;
    AAX_CMutex& operator= (const AAX_CMutex&) = delete;

    /** True when this call locked it; false when the caller already owns it (nothing is locked
        then) or the mutex could not be set up. */
    bool Lock();
    /** Unlocks only when the calling thread is the owner; any other caller does nothing. */
    void Unlock();

private:
    struct Record;
    std::unique_ptr<Record> mRecord;
};
