// Base of the binding's tests: a fresh stand-in host per test, and after every test the proof
// that the binding released every host reference it took, caused no misuse and left no object
// of its own alive.
#pragma once

#include <gtest/gtest.h>

#include "AAX_CHostServices.h"
#include "CACFUnknown.h"
#include "DescriptionHook.h"
#include "StandInHost.h"

namespace kalvo::aaxtest
{
class AaxHostTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        // As the host would at the end: shut down, then count what is still held.
        AAX_CHostServices::Set (nullptr);
        ResetDescriptionRoutine();

        EXPECT_EQ (host.outstandingReferences(), 0) << host.referenceReport();
        for (const auto& fault : host.faults())
            ADD_FAILURE() << "host noticed: " << fault;
        EXPECT_EQ (CACFUnknown::GetActiveObjectCount(), 0u);
    }

    // Starts the binding up with this test's host.
    void StartServices() { AAX_CHostServices::Set (host.unknown()); }
    void StopServices() { AAX_CHostServices::Set (nullptr); }

    kalvo::aaxhost::StandInHost host;
};
} // namespace kalvo::aaxtest
