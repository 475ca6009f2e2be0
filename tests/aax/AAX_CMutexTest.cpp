#include "AAX_CMutex.h"
#include "AAX_StLock_Guard.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

TEST (AAX_CMutex, OwnerCannotLockTwiceAndOnlyOwnerUnlocks)
{
    AAX_CMutex mutex;
    ASSERT_TRUE (mutex.Lock());
    EXPECT_FALSE (mutex.Lock()); // refused, not dead-locked

    bool otherGotIt = true;
    std::thread other (
        [&]
        {
            mutex.Unlock(); // not the owner: nothing happens
        });
    other.join();

    std::atomic<bool> acquired{ false };
    std::thread waiter (
        [&]
        {
            otherGotIt = mutex.Lock();
            acquired = true;
            mutex.Unlock();
        });
    std::this_thread::sleep_for (std::chrono::milliseconds (20));
    EXPECT_FALSE (acquired.load()); // still held by this thread
    mutex.Unlock();
    waiter.join();
    EXPECT_TRUE (otherGotIt);
    EXPECT_TRUE (mutex.Lock());
    mutex.Unlock();
}

TEST (AAX_CMutex, NestedGuardKeepsOuterLock)
{
    AAX_CMutex mutex;
    {
        AAX_StLock_Guard outer (mutex);
        EXPECT_TRUE (outer.IsLocked());
        {
            AAX_StLock_Guard inner (mutex);
            EXPECT_FALSE (inner.IsLocked());
        }
        // The inner guard did not release: another thread still cannot get in.
        std::atomic<bool> acquired{ false };
        std::thread other (
            [&]
            {
                AAX_StLock_Guard guard (mutex);
                acquired = guard.IsLocked();
            });
        std::this_thread::sleep_for (std::chrono::milliseconds (20));
        EXPECT_FALSE (acquired.load());
        mutex.Unlock();
        other.join();
        EXPECT_TRUE (acquired.load());
    }
}
