// The seven exported entry points: their answers, null outputs and the exception barrier.
#include <stdexcept>

#include "AAX_Errors.h"
#include "AAX_Exception.h"
#include "AAX_UIDs.h"
#include "AaxHostTest.h"
#include "AcfExports.h"

using kalvo::aaxhost::HostInjection;
using kalvo::aaxtest::AaxHostTest;

namespace
{
constexpr ACFRESULT unexpected = static_cast<ACFRESULT> (0x8000FFFFu);
} // namespace

class EntryPoints : public AaxHostTest
{
};

TEST_F (EntryPoints, SdkVersionIsTwoPointThreeWithItsRevision)
{
    acfUInt64 version = 0;
    EXPECT_EQ (ACFGetSDKVersion (&version), 0);
    EXPECT_EQ (version, 0x0000020300D5E5B4ull);
}

TEST_F (EntryPoints, RegisterComponentAnswersZeroAndNullForEveryIndex)
{
    for (acfUInt32 index : { 0u, 1u, 1000u })
    {
        auto* definition = reinterpret_cast<IACFComponentDefinition*> (&index);
        EXPECT_EQ (ACFRegisterComponent (host.unknown(), index, &definition), 0);
        EXPECT_EQ (definition, nullptr);
    }
}

TEST_F (EntryPoints, ClassFactoryIsUnimplementedWithNullOutput)
{
    int marker = 0;
    void* factory = &marker;
    EXPECT_EQ (
        ACFGetClassFactory (host.unknown(), AAXCompID_AAXCollection, IID_IACFComponentFactory, &factory),
        AAX_ERROR_UNIMPLEMENTED);
    EXPECT_EQ (factory, nullptr);
}

TEST_F (EntryPoints, NullOutputsAreRefusedWithoutWriting)
{
    EXPECT_EQ (ACFGetSDKVersion (nullptr), AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ (ACFRegisterComponent (host.unknown(), 0, nullptr), AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ (ACFGetClassFactory (host.unknown(), AAXCompID_AAXCollection, IID_IACFUnknown, nullptr),
               AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ (ACFRegisterPlugin (host.unknown(), nullptr), AAX_ERROR_NULL_OBJECT);
    // Refused before anything was described.
    EXPECT_TRUE (host.log().calls().empty());
}

TEST_F (EntryPoints, StartupKeepsHostServicesUntilShutdown)
{
    EXPECT_EQ (ACFStartup (host.unknown()), 0);
    EXPECT_GT (host.outstandingReferences(), 0);
    AAX_CHostServices::Trace (AAX_eTracePriorityHost_Critical, "hello %d", 7);
    ASSERT_EQ (host.traces().size(), 1u);
    EXPECT_EQ (host.traces()[0].message, "hello 7");

    EXPECT_EQ (ACFShutdown (host.unknown()), 0);
    EXPECT_EQ (host.outstandingReferences(), 0);
    EXPECT_EQ (AAX_CHostServices::Trace (AAX_eTracePriorityHost_Critical, "after"), 0);
    EXPECT_EQ (host.traces().size(), 1u);
}

TEST_F (EntryPoints, CanUnloadOnlyWithoutLiveObjects)
{
    EXPECT_EQ (ACFCanUnloadNow (host.unknown()), 0);
    // A live object of the binding's own keeps the module loaded (see ObjectLifetime tests).
}

TEST_F (EntryPoints, StdExceptionFromTheHostBecomesUnexpected)
{
    host.inject (IID_IAAXHostServicesV1, HostInjection::ThrowStd);
    EXPECT_EQ (ACFStartup (host.unknown()), unexpected);
    // No proxy was kept: traces go nowhere.
    host.clearInjections();
    EXPECT_EQ (AAX_CHostServices::Trace (AAX_eTracePriorityHost_Critical, "dropped"), 0);
    EXPECT_TRUE (host.traces().empty());
}

TEST_F (EntryPoints, IntegerExceptionFromTheHostBecomesUnexpected)
{
    host.inject (IID_IAAXHostServicesV2, HostInjection::ThrowInteger);
    EXPECT_EQ (ACFStartup (host.unknown()), unexpected);
}

TEST_F (EntryPoints, FactoryQueryWithSuccessAndNullBecomesUnexpected)
{
    host.inject (IID_IACFComponentFactory, HostInjection::SucceedWithNull);
    EXPECT_EQ (ACFStartup (host.unknown()), unexpected);
}

TEST_F (EntryPoints, ExceptionsEscapingRegistrationHandlersBecomeUnexpected)
{
    ASSERT_EQ (ACFStartup (host.unknown()), 0);
    kalvo::aaxtest::SetDescriptionRoutine ([] (AAX_ICollection*) -> AAX_Result
                                           { throw std::runtime_error ("x"); });

    IACFPluginDefinition* definition = nullptr;
    host.throwOnOperation ("Trace", [] { throw AAX::Exception::Any ("from the host's trace"); });
    EXPECT_EQ (ACFRegisterPlugin (host.unknown(), &definition), unexpected);

    host.throwOnOperation ("Trace", [] { throw std::logic_error ("from the host's trace"); });
    EXPECT_EQ (ACFRegisterPlugin (host.unknown(), &definition), unexpected);

    host.throwOnOperation ("Trace", [] { throw 42; });
    EXPECT_EQ (ACFRegisterPlugin (host.unknown(), &definition), unexpected);

    host.clearOperationThrowers();
    EXPECT_EQ (ACFShutdown (host.unknown()), 0);
}
