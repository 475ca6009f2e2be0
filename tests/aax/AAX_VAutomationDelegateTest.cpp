#include "AAX_VAutomationDelegate.h"
#include "AAX_Errors.h"
#include "InstanceHostOfferings.h"

#include <atomic>
#include <functional>
#include <thread>

using namespace kalvo::aaxhost;
using namespace kalvo::aaxhost::testing;

namespace
{
struct AutomationRow
{
    const char* operation;
    std::function<AAX_Result (AAX_VAutomationDelegate&)> call;
};

std::vector<AutomationRow> automationRows()
{
    return {
        { "RegisterParameter", [] (AAX_VAutomationDelegate& d) { return d.RegisterParameter ("MixMain"); } },
        { "PostTouchRequest", [] (AAX_VAutomationDelegate& d) { return d.PostTouchRequest ("MixMain"); } },
        { "PostSetValueRequest",
          [] (AAX_VAutomationDelegate& d) { return d.PostSetValueRequest ("MixMain", 0.25); } },
        { "PostCurrentValue",
          [] (AAX_VAutomationDelegate& d) { return d.PostCurrentValue ("MixMain", 0.25); } },
        { "PostReleaseRequest",
          [] (AAX_VAutomationDelegate& d) { return d.PostReleaseRequest ("MixMain"); } },
        { "GetTouchState",
          [] (AAX_VAutomationDelegate& d)
          {
              AAX_CBoolean touched = 7;
              return d.GetTouchState ("MixMain", &touched);
          } },
        { "UnregisterParameter",
          [] (AAX_VAutomationDelegate& d) { return d.UnregisterParameter ("MixMain"); } },
    };
}

using AutomationProxy = InstanceHostTest;
using AutomationOnFullHost = FullHostTest;
} // namespace

TEST_P (AutomationProxy, EachOperationForwardsOrAnswersNullObject)
{
    const bool present = offers (GetParam().versions.automationDelegate, 1);
    {
        AAX_VAutomationDelegate delegate (instance.identity());
        for (const auto& row : automationRows())
            EXPECT_EQ (row.call (delegate), present ? AAX_SUCCESS : AAX_ERROR_NULL_OBJECT) << row.operation;
    }
    const auto events = instance.automation().takeEvents();
    ASSERT_EQ (events.size(), present ? 4u : 0u);
    if (present)
    {
        EXPECT_EQ (events[0].kind, AutomationEvent::Kind::Touch);
        EXPECT_EQ (events[1].kind, AutomationEvent::Kind::SetValueRequest);
        EXPECT_STREQ (events[1].parameterID, "MixMain");
        EXPECT_EQ (events[1].value, 0.25);
        EXPECT_EQ (events[2].kind, AutomationEvent::Kind::CurrentValue);
        EXPECT_EQ (events[3].kind, AutomationEvent::Kind::Release);
        EXPECT_EQ (host.log().operationsOn (instance.label()),
                   std::vector<std::string> ({ "RegisterParameter(\"MixMain\")", "GetTouchState(\"MixMain\")",
                                               "UnregisterParameter(\"MixMain\")" }));
    }
    expectBalanced();
}

TEST_F (AutomationOnFullHost, TouchStateFollowsTheQueuedPosts)
{
    AAX_VAutomationDelegate delegate (instance.identity());
    EXPECT_EQ (delegate.PostTouchRequest ("LowLevel"), AAX_SUCCESS);
    instance.automation().takeEvents();
    AAX_CBoolean touched = 0;
    EXPECT_EQ (delegate.GetTouchState ("LowLevel", &touched), AAX_SUCCESS);
    EXPECT_EQ (touched, 1);
    EXPECT_EQ (delegate.PostReleaseRequest ("LowLevel"), AAX_SUCCESS);
    instance.automation().takeEvents();
    EXPECT_EQ (delegate.GetTouchState ("LowLevel", &touched), AAX_SUCCESS);
    EXPECT_EQ (touched, 0);
}

TEST_F (AutomationOnFullHost, RequestsFromAnotherThreadAreQueuedWhole)
{
    AAX_VAutomationDelegate delegate (instance.identity());

    // An "audio thread" posts while the host drains on this one.
    constexpr int requests = 5000;
    std::atomic<bool> done{ false };
    std::thread audio (
        [&]
        {
            for (int i = 0; i < requests; ++i)
                while (delegate.PostSetValueRequest ("MixMaster", i / double (requests)) != AAX_SUCCESS)
                    std::this_thread::yield(); // full: wait for the host to drain
            done = true;
        });
    std::vector<AutomationEvent> received;
    for (;;)
    {
        const bool finished = done.load(); // read first: then this drain sees every post
        auto batch = instance.automation().takeSetValueRequests();
        received.insert (received.end(), batch.begin(), batch.end());
        if (finished && batch.empty())
            break;
    }
    audio.join();
    ASSERT_EQ (received.size(), static_cast<size_t> (requests));
    for (int i = 0; i < requests; ++i)
    {
        EXPECT_STREQ (received[static_cast<size_t> (i)].parameterID, "MixMaster");
        ASSERT_EQ (received[static_cast<size_t> (i)].value, i / double (requests)) << i;
    }
}

INSTANTIATE_TEST_SUITE_P (Offerings, AutomationProxy, ::testing::ValuesIn (allOfferings()), offeringName);
