// The three host offerings every proxy is tested over, and a check that a test gave back every
// reference it was handed.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HostInstance.h"
#include "StandInHost.h"

namespace kalvo::aaxhost::testing
{
struct Offering
{
    const char* name;
    InstanceVersions versions;
};

inline std::vector<Offering> allOfferings()
{
    return { { "none", InstanceVersions::none() },
             { "V1only", InstanceVersions::firstOnly() },
             { "all", InstanceVersions::all() } };
}

inline std::string offeringName (const ::testing::TestParamInfo<Offering>& info)
{
    return info.param.name;
}

/** The interface version of each call of an operation the host received, in order: a proxy must
    call every operation through the pointer of the version that introduced it. */
inline std::vector<int> versionsOf (StandInHost& host, const std::string& operation)
{
    std::vector<int> versions;
    for (const auto& call : host.log().calls())
        if (call.kind == HostCall::Kind::Operation && call.operation == operation)
            versions.push_back (call.version);
    return versions;
}

/** The stand-in host for one test, with one plug-in instance on it. */
class InstanceHostTest : public ::testing::TestWithParam<Offering>
{
protected:
    void TearDown() override { expectBalanced(); }

    void expectBalanced()
    {
        EXPECT_EQ (host.outstandingReferences(), 0) << host.referenceReport();
        EXPECT_TRUE (host.faults().empty()) << (host.faults().empty() ? "" : host.faults().front());
    }

    bool offers (const std::set<int>& versions, int version) const { return versions.count (version) != 0; }

    StandInHost host;
    HostInstance& instance = host.make<HostInstance> (GetParam().versions);
};
/** The stand-in host offering every version, with one plug-in instance on it. */
class FullHostTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        EXPECT_EQ (host.outstandingReferences(), 0) << host.referenceReport();
        EXPECT_TRUE (host.faults().empty()) << (host.faults().empty() ? "" : host.faults().front());
    }

    StandInHost host;
    HostInstance& instance = host.make<HostInstance> (InstanceVersions::all());
};
} // namespace kalvo::aaxhost::testing
