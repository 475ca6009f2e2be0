#include "AAX_CMutex.h"

#include <atomic>
#include <pthread.h>

struct AAX_CMutex::Record
{
    std::atomic<pthread_t> owner{ 0 }; // 0 while unowned
    pthread_mutex_t mutex;
};

AAX_CMutex::AAX_CMutex() : mRecord (new Record())
{
    if (pthread_mutex_init (&mRecord->mutex, nullptr) != 0)
        mRecord.reset();
}

AAX_CMutex::~AAX_CMutex()
{
    if (mRecord != nullptr)
        pthread_mutex_destroy (&mRecord->mutex);
}

bool AAX_CMutex::Lock()
{
    if (mRecord == nullptr)
        return false;

    // Only this thread ever stores its own id, so seeing it here means this thread holds the lock.
    const pthread_t self = pthread_self();
    const pthread_t owner = mRecord->owner.load (std::memory_order_acquire);
    if (owner != 0 && pthread_equal (owner, self))
        return false;

    pthread_mutex_lock (&mRecord->mutex);
    mRecord->owner.store (self, std::memory_order_release);
    return true;
}

void AAX_CMutex::Unlock()
{
    if (mRecord == nullptr)
        return;

    const pthread_t owner = mRecord->owner.load (std::memory_order_acquire);
    if (owner == 0 || !pthread_equal (owner, pthread_self()))
        return;

    mRecord->owner.store (0, std::memory_order_release);
    pthread_mutex_unlock (&mRecord->mutex);
}
