// The host-services front and proxy: traces, assertion reports, versions, checked results.
#include <string>

#include "AAX_Assert.h"
#include "AAX_CheckedResult.h"
#include "AAX_Errors.h"
#include "AAX_Exception.h"
#include "AAX_UIDs.h"
#include "AAX_VHostServices.h"
#include "AaxHostTest.h"

using kalvo::aaxhost::HostInjection;
using kalvo::aaxhost::StandInHost;
using kalvo::aaxtest::AaxHostTest;

class HostServices : public AaxHostTest
{
};

TEST_F (HostServices, TraceWithoutServicesCallsNothing)
{
    EXPECT_EQ (AAX_CHostServices::Trace (AAX_eTracePriorityHost_Critical, "%s", "nobody listens"), 0);
    EXPECT_EQ (AAX_CHostServices::HandleAssertFailure ("f.cpp", 1, "x", 1), 0);
    EXPECT_TRUE (host.log().calls().empty());
}

TEST_F (HostServices, TraceFormatsAndPassesThePriority)
{
    StartServices();
    EXPECT_EQ (AAX_CHostServices::Trace (0x08000000, "value %d of %s", 3, "three"), 0);
    ASSERT_EQ (host.traces().size(), 1u);
    EXPECT_EQ (host.traces()[0].priority, 0x08000000);
    EXPECT_EQ (host.traces()[0].message, "value 3 of three");
    // Traces go through version 1, the version that introduced them.
    const auto calls = host.log().operations();
    ASSERT_EQ (calls.size(), 1u);
    EXPECT_EQ (calls[0], "HostServices#1 V1 Trace(0x08000000, \"value 3 of three\")");
}

TEST_F (HostServices, LongTraceIsCutToTheBuffer)
{
    StartServices();
    const std::string longText (2000, 'x');
    AAX_CHostServices::Trace (AAX_eTracePriorityHost_Critical, "%s", longText.c_str());
    ASSERT_EQ (host.traces().size(), 1u);
    EXPECT_EQ (host.traces()[0].message, std::string (511, 'x'));
}

TEST_F (HostServices, AssertionReportsGoThroughVersionThree)
{
    StartServices();
    EXPECT_EQ (AAX_CHostServices::HandleAssertFailure ("/src/file.cpp", 93, "a == b", 1), 0);
    ASSERT_EQ (host.assertions().size(), 1u);
    const auto report = host.assertions()[0];
    EXPECT_EQ (report.file, "/src/file.cpp");
    EXPECT_EQ (report.line, 93);
    EXPECT_EQ (report.note, "a == b");
    EXPECT_EQ (report.flags, 1);
    EXPECT_EQ (host.log().operations().back(),
               "HostServices#3 V3 HandleAssertFailure(\"/src/file.cpp\", 93, \"a == b\", 1)");
}

TEST_F (HostServices, AssertMacroReportsSourcePositionAndText)
{
    StartServices();
    const int expectedLine = __LINE__ + 1;
    AAX_ASSERT (1 + 1 == 3);
    AAX_ASSERT (1 + 1 == 2);
    ASSERT_EQ (host.assertions().size(), 1u);
    EXPECT_EQ (host.assertions()[0].note, "1 + 1 == 3");
    EXPECT_EQ (host.assertions()[0].line, expectedLine);
    EXPECT_EQ (host.assertions()[0].flags, 1);
    EXPECT_NE (host.assertions()[0].file.find ("HostServicesTest.cpp"), std::string::npos);
}

TEST_F (HostServices, MissingVersionsAnswerTheirCodes)
{
    host.versions().hostServices = { 1 };
    const AAX_VHostServices onlyVersionOne (host.unknown());
    EXPECT_EQ (onlyVersionOne.Trace (1, "t"), 0);
    EXPECT_EQ (onlyVersionOne.HandleAssertFailure ("f", 1, "n", 1), AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ (onlyVersionOne.StackTrace (1, 2, "s"), AAX_ERROR_UNIMPLEMENTED);

    host.versions().hostServices = { 2, 3 };
    const AAX_VHostServices newerOnly (host.unknown());
    EXPECT_EQ (newerOnly.Trace (1, "t"), AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ (newerOnly.StackTrace (1, 2, "s"), 0);
    // Stack traces go through version 2, the version that introduced them, even with version 3.
    EXPECT_EQ (host.log().operations().back().rfind ("HostServices#5 V2 StackTrace(", 0), 0u)
        << host.log().operations().back();
    EXPECT_EQ (newerOnly.HandleAssertFailure ("f", 1, "n", 1), 0);
    EXPECT_EQ (host.log().operations().back(), "HostServices#6 V3 HandleAssertFailure(\"f\", 1, \"n\", 1)");
}

TEST_F (HostServices, MissingVersionCodesReachTheFrontsCaller)
{
    host.versions().hostServices = {};
    StartServices();
    EXPECT_EQ (AAX_CHostServices::Trace (1, "t"), AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ (AAX_CHostServices::HandleAssertFailure ("f", 1, "n", 1), AAX_ERROR_NULL_OBJECT);
    EXPECT_TRUE (host.traces().empty());
}

TEST_F (HostServices, HostWithoutFactoryGivesNoInterfaces)
{
    host.versions().componentFactory = false;
    const AAX_VHostServices services (host.unknown());
    EXPECT_EQ (services.Trace (1, "t"), AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ (host.log().count ("CreateComponent"), 0u);
}

TEST_F (HostServices, FailedFactoryQueryThatHandsOutAnObjectIsReleased)
{
    host.inject (IID_IACFComponentFactory, HostInjection::FailWithObject);
    const AAX_VHostServices services (host.unknown());
    EXPECT_EQ (services.Trace (1, "t"), AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ (host.outstandingReferences(), 0);
}

TEST_F (HostServices, FailedCreationThatHandsOutAnObjectIsReleased)
{
    host.inject (IID_IAAXHostServicesV2, HostInjection::FailWithObject);
    const AAX_VHostServices services (host.unknown());
    EXPECT_EQ (services.StackTrace (1, 2, "s"), AAX_ERROR_UNIMPLEMENTED);
    EXPECT_EQ (services.Trace (1, "t"), 0);
}

TEST_F (HostServices, FactorySuccessWithNullThrowsTheIntegerCode)
{
    host.inject (IID_IACFComponentFactory, HostInjection::SucceedWithNull);
    try
    {
        AAX_VHostServices services (host.unknown());
        FAIL() << "expected the integer exception";
    }
    catch (int32_t code)
    {
        EXPECT_EQ (code, static_cast<int32_t> (0x80000005u));
    }
}

TEST_F (HostServices, ThrowingFactoryLeavesNoReferenceAndNoProxy)
{
    host.inject (IID_IAAXHostServicesV3, HostInjection::ThrowStd);
    EXPECT_THROW (StartServices(), std::runtime_error);
    // Versions 1 and 2 were already made when the third creation threw.
    EXPECT_EQ (host.outstandingReferences(), 0) << host.referenceReport();
    host.clearInjections();
    EXPECT_EQ (AAX_CHostServices::Trace (1, "dropped"), 0);
    EXPECT_TRUE (host.traces().empty());
}

TEST_F (HostServices, ProxyReleasesTheNewestVersionFirst)
{
    {
        const AAX_VHostServices services (host.unknown());
        host.log().clear();
    }
    std::vector<std::string> releases;
    for (const auto& call : host.log().calls())
        if (call.operation == "Release")
            releases.push_back (call.object);
    EXPECT_EQ (releases, (std::vector<std::string>{ "HostServices#3", "HostServices#2", "HostServices#1" }));
}

TEST_F (HostServices, SecondStartupKeepsTheFirstProxy)
{
    StandInHost other;
    StartServices();
    AAX_CHostServices::Set (other.unknown());
    AAX_CHostServices::Trace (1, "to the first");
    EXPECT_EQ (host.traces().size(), 1u);
    EXPECT_TRUE (other.traces().empty());
    EXPECT_TRUE (other.log().calls().empty());
    StopServices();
    EXPECT_EQ (other.outstandingReferences(), 0);
}

TEST_F (HostServices, CheckedResultPassesSuccess)
{
    StartServices();
    EXPECT_NO_THROW (AAX_CheckedResult (0));
    AAX_CheckedResult result;
    EXPECT_NO_THROW (result = AAX_SUCCESS);
    EXPECT_TRUE (host.traces().empty());
}

TEST_F (HostServices, CheckedResultTracesAndThrowsOnFailure)
{
    StartServices();
    try
    {
        AAX_CheckedResult result (AAX_ERROR_NULL_OBJECT);
        FAIL() << "expected a throw";
    }
    catch (const AAX::Exception::ResultError& error)
    {
        EXPECT_EQ (error.Result(), -20004);
        EXPECT_EQ (error.What(), "AAX_ERROR_NULL_OBJECT (-20004)");
    }
    ASSERT_EQ (host.traces().size(), 1u);
    EXPECT_EQ (host.traces()[0].priority, 0x04000000);
    EXPECT_EQ (host.traces()[0].message, "AAX_CheckedResult - throwing AAX_ERROR_NULL_OBJECT (-20004)");
}

TEST_F (HostServices, CheckedResultAssignmentChecksAndRemembersTheError)
{
    AAX_CheckedResult result;
    EXPECT_THROW (result = AAX_ERROR_UNIMPLEMENTED, AAX::Exception::ResultError);
    EXPECT_EQ (result.LastError(), AAX_ERROR_UNIMPLEMENTED);
    EXPECT_EQ (result.Result(), 0);

    result.AddAcceptedResult (AAX_ERROR_UNIMPLEMENTED);
    EXPECT_NO_THROW (result = AAX_ERROR_UNIMPLEMENTED);
    result.ResetAcceptedResults();
    EXPECT_THROW (result = AAX_ERROR_UNIMPLEMENTED, AAX::Exception::ResultError);
    EXPECT_THROW (result = 5, AAX::Exception::ResultError);
    // Without host services nothing is traced.
    EXPECT_TRUE (host.traces().empty());
}
