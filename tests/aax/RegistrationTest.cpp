// Registration through ACFRegisterPlugin: the plug-in's description as the host records it, and
// every failure path with its result and traces.
#include <stdexcept>
#include <string>
#include <vector>

#include "AAX_Errors.h"
#include "AAX_Exception.h"
#include "AAX_ICollection.h"
#include "AAX_UIDs.h"
#include "AaxHostTest.h"
#include "AcfExports.h"
#include "HostCallLog.h"
#include "HostPropertyMap.h"
#include "KalvoProDescription.h"
#include "KalvoProRegistrationCalls.h"

using kalvo::aaxhost::HostCallLog;
using kalvo::aaxhost::HostFeature;
using kalvo::aaxhost::HostInjection;
using kalvo::aaxhost::HostPropertyMap;
using kalvo::aaxhost::HostVersions;
using kalvo::aaxtest::AaxHostTest;
using kalvo::aaxtest::KalvoProProcs;
using kalvo::aaxtest::SetDescriptionRoutine;
using Trace = kalvo::aaxhost::StandInHost::TraceRecord;

namespace
{
template <class Function>
std::string Address (Function function)
{
    return HostCallLog::pointer (reinterpret_cast<const void*> (function));
}

// The host's answer for a stereo-capable stem-format feature: supported by property, stereo supported.
HostFeature StemFormats (AAX_ESupportLevel stereoLevel)
{
    HostFeature feature;
    feature.supportLevel = AAX_eSupportLevel_ByProperty;
    feature.properties[static_cast<int32_t> (AAX_eStemFormat_Stereo)] = stereoLevel;
    return feature;
}
} // namespace

namespace kalvo::aaxhost
{
// Readable traces in failure messages.
void PrintTo (const StandInHost::TraceRecord& trace, std::ostream* out)
{
    *out << HostCallLog::hex (static_cast<uint32_t> (trace.priority)) << " " << trace.message;
}
} // namespace kalvo::aaxhost

class Registration : public AaxHostTest
{
protected:
    void SetUp() override
    {
        host.setFeature (AAXATTR_ClientFeature_StemFormat, StemFormats (AAX_eSupportLevel_Supported));
        ASSERT_EQ (ACFStartup (host.unknown()), 0);
        host.log().clear();
    }

    // Registers, checks the result, and releases the definition the host handed back.
    AAX_Result Register()
    {
        // Whatever the host's variable held before, a failure leaves it null.
        int stale = 0;
        auto* definition = reinterpret_cast<IACFPluginDefinition*> (&stale);
        const AAX_Result result = ACFRegisterPlugin (host.unknown(), &definition);
        if (result == AAX_SUCCESS)
        {
            EXPECT_NE (definition, nullptr);
            definitionLabel = host.labelOf (definition);
            if (definition != nullptr)
                definition->Release();
        }
        else
        {
            EXPECT_EQ (definition, nullptr);
        }
        return result;
    }

    std::vector<Trace> RegistrationTraces (const std::string& caught, AAX_Result checked)
    {
        std::vector<Trace> expected;
        if (checked != 0)
            expected.push_back ({ 0x04000000, "AAX_CheckedResult - throwing " +
                                                  AAX::Exception::ResultError::FormatResult (checked) });
        expected.push_back ({ 0x08000000, "AAXRegisterPlugin exception caught: " + caught });
        return expected;
    }

    std::string definitionLabel;
};

TEST_F (Registration, DescribesThePluginCallForCall)
{
    ASSERT_EQ (Register(), AAX_SUCCESS);
    EXPECT_EQ (definitionLabel, "Collection#1");

    const std::string gui = Address (&KalvoProProcs::CreateEffectGUI);
    const std::string parameters = Address (&KalvoProProcs::CreateEffectParameters);
    const std::string callback = Address (&KalvoProProcs::AudioCallback);
    const auto expected = kalvo::aaxtest::KalvoProRegistrationCalls (gui, parameters, callback, true);
    EXPECT_EQ (host.log().operations(), expected);
    EXPECT_TRUE (host.traces().empty());

    // One component, its eight properties in order.
    EXPECT_EQ (host.labelsOf ("ComponentDescriptor").size(), 1u);
    const auto* map = host.find<HostPropertyMap> ("PropertyMap#3");
    ASSERT_NE (map, nullptr);
    const std::vector<std::pair<int32_t, int32_t>> properties{ { 11, 0x4F72766E }, { 12, 0x4B6C7670 },
                                                               { 60, 1 },          { 51, 0x00010002 },
                                                               { 52, 0x00010002 }, { 13, 0x6A636363 },
                                                               { 14, 0x6A796363 }, { 304, 1 } };
    EXPECT_EQ (map->propertiesInOrder(), properties);
}

TEST_F (Registration, DescribesTheSameOnAHostWithOnlyFirstVersions)
{
    host.versions() = HostVersions::oldest();
    ASSERT_EQ (Register(), AAX_SUCCESS);
    EXPECT_EQ (host.labelsOf ("ComponentDescriptor").size(), 1u);
    EXPECT_EQ (host.log().count ("AddProperty"), 8u);
    EXPECT_EQ (host.log().count ("AddProcessProc_Native"), 1u);
}

TEST_F (Registration, StereoIsOfferedWithoutTheStemFormatFeature)
{
    host.removeFeature (AAXATTR_ClientFeature_StemFormat);
    ASSERT_EQ (Register(), AAX_SUCCESS);
    EXPECT_EQ (host.log().count ("SupportLevel"), 0u);
    EXPECT_EQ (host.log().count ("AddComponent"), 1u);
}

TEST_F (Registration, NoComponentWhenTheHostRefusesStereo)
{
    host.setFeature (AAXATTR_ClientFeature_StemFormat, StemFormats (AAX_eSupportLevel_Unsupported));
    ASSERT_EQ (Register(), AAX_SUCCESS);
    EXPECT_EQ (host.log().count ("AddComponent"), 0u);
    EXPECT_EQ (host.log().count ("AddEffect"), 1u);
}

TEST_F (Registration, FailingDescriptionReturnsItsCodeWithTwoTraces)
{
    SetDescriptionRoutine ([] (AAX_ICollection*)
                           { return static_cast<AAX_Result> (AAX_ERROR_DUPLICATE_EFFECT_ID); });
    EXPECT_EQ (Register(), AAX_ERROR_DUPLICATE_EFFECT_ID);
    EXPECT_EQ (host.traces(),
               RegistrationTraces ("AAX_ERROR_DUPLICATE_EFFECT_ID (-20035)", AAX_ERROR_DUPLICATE_EFFECT_ID));
}

TEST_F (Registration, ResultErrorFromTheDescriptionReturnsItsCode)
{
    SetDescriptionRoutine ([] (AAX_ICollection*) -> AAX_Result
                           { throw AAX::Exception::ResultError (-20008); });
    EXPECT_EQ (Register(), -20008);
    EXPECT_EQ (host.traces(), RegistrationTraces ("AAX_ERROR_INCORRECT_CHUNK_SIZE (-20008)", 0));
}

TEST_F (Registration, BindingExceptionFromTheDescriptionIsUnknownException)
{
    SetDescriptionRoutine ([] (AAX_ICollection*) -> AAX_Result
                           { throw AAX::Exception::Any ("broken", "f", "9"); });
    EXPECT_EQ (Register(), AAX_ERROR_UNKNOWN_EXCEPTION);
    EXPECT_EQ (host.traces(), RegistrationTraces ("broken func:f line:9", 0));
}

TEST_F (Registration, StandardExceptionFromTheDescriptionIsUnknownException)
{
    SetDescriptionRoutine ([] (AAX_ICollection*) -> AAX_Result { throw std::runtime_error ("out of luck"); });
    EXPECT_EQ (Register(), AAX_ERROR_UNKNOWN_EXCEPTION);
    EXPECT_EQ (host.traces(), RegistrationTraces ("out of luck", 0));
}

TEST_F (Registration, AnyOtherExceptionFromTheDescriptionIsUnknownException)
{
    SetDescriptionRoutine ([] (AAX_ICollection*) -> AAX_Result { throw 17; });
    EXPECT_EQ (Register(), AAX_ERROR_UNKNOWN_EXCEPTION);
    EXPECT_EQ (host.traces(), RegistrationTraces ("unknown", 0));
}

TEST_F (Registration, HostWithoutPluginDefinitionFailsWithNullObject)
{
    host.versions().pluginDefinition = false;
    EXPECT_EQ (Register(), AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ (host.traces(), RegistrationTraces ("AAX_ERROR_NULL_OBJECT (-20004)", AAX_ERROR_NULL_OBJECT));
    // The description itself went through.
    EXPECT_EQ (host.log().count ("AddEffect"), 1u);
}

TEST_F (Registration, FailedDefinitionQueryThatHandsOutAnObjectIsReleased)
{
    host.inject (IID_IACFPluginDefinition, HostInjection::FailWithObject);
    EXPECT_EQ (Register(), AAX_ERROR_NULL_OBJECT);
}

TEST_F (Registration, HostWithoutCollectionFailsWithNullObject)
{
    host.versions().collection = {};
    EXPECT_EQ (Register(), AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ (host.log().count ("AddEffect"), 0u);
}

TEST_F (Registration, HostWithoutFactoryDescribesNothingAndFailsWithNullObject)
{
    StopServices();
    host.versions().componentFactory = false;
    host.log().clear();
    EXPECT_EQ (Register(), AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ (host.log().operations(),
               (std::vector<std::string>{
                   "Host#1 V1 AcquireFeatureProperties(AAXATTR_ClientFeature_StemFormat)",
                   "FeatureInfo#1 V1 SupportLevel()", "FeatureInfo#1 V1 AcquireProperties()",
                   "PropertyMap#1 V1 GetProperty(65538)", "FeatureInfo#1 V1 SupportLevel()",
                   "FeatureInfo#1 V1 AcquireProperties()", "PropertyMap#2 V1 GetProperty(65538)" }));
}

TEST_F (Registration, FactoryQuerySuccessWithNullIsUnknownException)
{
    host.inject (IID_IACFComponentFactory, HostInjection::SucceedWithNull);
    EXPECT_EQ (Register(), AAX_ERROR_UNKNOWN_EXCEPTION);
    EXPECT_EQ (host.traces(), RegistrationTraces ("unknown", 0));
}

TEST_F (Registration, ThrowingFactoryIsCaughtByTheRegistrationHandlers)
{
    host.inject (IID_IAAXComponentDescriptorV1, HostInjection::ThrowStd);
    EXPECT_EQ (Register(), AAX_ERROR_UNKNOWN_EXCEPTION);
    ASSERT_EQ (host.traces().size(), 1u);
    EXPECT_EQ (host.traces()[0].message, "AAXRegisterPlugin exception caught: stand-in host: injected "
                                         "failure for IID_IAAXComponentDescriptorV1");
}

TEST_F (Registration, RegistersAgainAndAgain)
{
    EXPECT_EQ (Register(), AAX_SUCCESS);
    EXPECT_EQ (Register(), AAX_SUCCESS);
    EXPECT_EQ (host.labelsOf ("Collection").size(), 2u);
}
