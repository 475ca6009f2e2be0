// Two threads hammer the packet dispatcher, as the host's update thread (SetDirty) and its
// coefficient thread (Dispatch) do. Built and run under ThreadSanitizer by scripts/test; in the
// regular build it checks that every change is posted and nothing dead-locks.
#include "AAX_CMutex.h"
#include "AAX_CPacketDispatcher.h"
#include "AAX_StLock_Guard.h"
#include "AAX_VController.h"
#include "HostInstance.h"
#include "PacketTestObjects.h"
#include "StandInHost.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace kalvo::aaxhost;

TEST (PacketDispatchRace, SetDirtyAndDispatchFromTwoThreads)
{
    StandInHost host;
    auto& instance = host.make<HostInstance>();
    {
        kalvo::aaxtest::ManagerEffectParameters effect;
        effect.add<float> ("MasterBypassID", 1.0f);
        effect.add<float> ("MixMaster", 0.5f);
        AAX_VController controller (instance.identity());
        AAX_CPacketDispatcher dispatcher;
        dispatcher.Initialize (&controller, &effect);
        ASSERT_EQ (dispatcher.RegisterPacket ("MasterBypassID", 3), AAX_SUCCESS);
        ASSERT_EQ (dispatcher.RegisterPacket ("MixMaster", 3), AAX_SUCCESS);
        ASSERT_EQ (dispatcher.Dispatch(), AAX_SUCCESS);
        instance.controller().clearPackets();

        constexpr int rounds = 2000;
        std::atomic<bool> marking{ true };
        std::thread updates (
            [&]
            {
                for (int i = 0; i < rounds; ++i)
                    dispatcher.SetDirty ((i & 1) != 0 ? "MasterBypassID" : "MixMaster", true);
                marking = false;
            });
        std::thread coefficients (
            [&]
            {
                while (marking)
                    dispatcher.Dispatch();
            });
        updates.join();
        coefficients.join();

        // Whatever was marked last went out: after a final pass nothing is left dirty.
        dispatcher.Dispatch();
        const size_t before = instance.controller().packets().size();
        EXPECT_GE (before, 1u);
        EXPECT_LE (before, static_cast<size_t> (rounds) + 1u);
        dispatcher.Dispatch();
        EXPECT_EQ (instance.controller().packets().size(), before);
        for (const auto& packet : instance.controller().packets())
            EXPECT_EQ (packet.port, 3);
    }
    EXPECT_EQ (host.outstandingReferences(), 0) << host.referenceReport();
}

TEST (PacketDispatchRace, MutexOwnerIsReadWhileWritten)
{
    AAX_CMutex mutex;
    int shared = 0;
    auto work = [&]
    {
        for (int i = 0; i < 20000; ++i)
        {
            AAX_StLock_Guard guard (mutex);
            ASSERT_TRUE (guard.IsLocked());
            AAX_StLock_Guard nested (mutex); // refused, not dead-locked
            ASSERT_FALSE (nested.IsLocked());
            ++shared;
        }
    };
    std::thread a (work), b (work);
    a.join();
    b.join();
    EXPECT_EQ (shared, 40000);
}
