// The stand-in host's own behaviour: reference counting and the faults it notices, interface
// versions, failure injection, result overrides and the call log.
#include <gtest/gtest.h>

#include <stdexcept>

#include "AAX_Errors.h"
#include "AAX_IACFDescriptionHost.h"
#include "AAX_IACFPropertyMap_V3.h"
#include "AAX_UIDs.h"
#include "ACF/IACFComponentFactory.h"
#include "HostPropertyMap.h"
#include "StandInHost.h"

using kalvo::aaxhost::HostCall;
using kalvo::aaxhost::HostInjection;
using kalvo::aaxhost::StandInHost;

namespace
{
constexpr ACFRESULT noInterface = static_cast<ACFRESULT> (0x80000004u);

IACFComponentFactory* Factory (StandInHost& host)
{
    void* out = nullptr;
    EXPECT_EQ (host.unknown()->QueryInterface (IID_IACFComponentFactory, &out), ACF_OK);
    return static_cast<IACFComponentFactory*> (out);
}

template <class Interface>
Interface* Create (IACFComponentFactory* factory, const acfCLSID& clsid, const acfIID& iid,
                   ACFRESULT expected = ACF_OK)
{
    void* out = nullptr;
    EXPECT_EQ (factory->CreateComponent (clsid, nullptr, iid, &out), expected);
    return static_cast<Interface*> (out);
}
} // namespace

TEST (StandInHost, QueriesAddReferencesThatReleasesGiveBack)
{
    StandInHost host;
    EXPECT_EQ (host.outstandingReferences(), 0);
    auto* factory = Factory (host);
    ASSERT_NE (factory, nullptr);
    EXPECT_EQ (host.outstandingReferences(), 1);
    EXPECT_EQ (factory->AddRef(), 2u);
    EXPECT_EQ (factory->Release(), 1u);
    EXPECT_EQ (factory->Release(), 0u);
    EXPECT_EQ (host.outstandingReferences(), 0);
    EXPECT_TRUE (host.faults().empty());
    EXPECT_EQ (host.referenceReport(), "");
}

TEST (StandInHost, ReportsWhoStillHoldsReferences)
{
    StandInHost host;
    auto* factory = Factory (host);
    auto* map = Create<AAX_IACFPropertyMap> (factory, AAXCompID_AAXPropertyMap, IID_IAAXPropertyMapV1);
    EXPECT_EQ (host.outstandingReferences(), 2);
    EXPECT_EQ (host.referenceReport(), "Host#1 holds 1 reference(s)\nPropertyMap#1 holds 1 reference(s)\n");
    map->Release();
    factory->Release();
}

TEST (StandInHost, NoticesReleasesWithoutReferenceAndCallsAfterTheLast)
{
    StandInHost host;
    auto* factory = Factory (host);
    auto* map = Create<AAX_IACFPropertyMap> (factory, AAXCompID_AAXPropertyMap, IID_IAAXPropertyMapV1);
    factory->Release();
    EXPECT_EQ (map->Release(), 0u);
    // The host keeps the object, so these are noticed instead of crashing.
    EXPECT_EQ (map->Release(), 0u);
    map->AddProperty (AAX_eProperty_ProductID, 1);
    const auto faults = host.faults();
    ASSERT_EQ (faults.size(), 2u);
    EXPECT_EQ (faults[0], "PropertyMap#1: Release without a reference");
    EXPECT_EQ (faults[1], "PropertyMap#1: AddProperty after the final release");
    // The host unknown is the host's own and never counts as released.
    auto* again = Factory (host);
    again->Release();
    EXPECT_EQ (host.faults().size(), 2u);
}

TEST (StandInHost, EachVersionIsItsOwnFacetOfOneObject)
{
    StandInHost host;
    auto* factory = Factory (host);
    auto* v1 = Create<AAX_IACFPropertyMap> (factory, AAXCompID_AAXPropertyMap, IID_IAAXPropertyMapV1);
    void* v3 = nullptr;
    ASSERT_EQ (v1->QueryInterface (IID_IAAXPropertyMapV3, &v3), ACF_OK);
    EXPECT_NE (v3, static_cast<void*> (v1));
    EXPECT_EQ (host.labelOf (v1), "PropertyMap#1");
    EXPECT_EQ (host.labelOf (v3), "PropertyMap#1");
    EXPECT_EQ (host.labelOf (nullptr), "null");
    int foreign = 0;
    EXPECT_EQ (host.labelOf (&foreign), "<foreign>");

    host.log().clear();
    static_cast<AAX_IACFPropertyMap_V3*> (v3)->AddProperty (AAX_eProperty_ProductID, 0x10);
    v1->AddProperty (AAX_eProperty_ManufacturerID, 0x20);
    EXPECT_EQ (host.log().operations(),
               (std::vector<std::string>{ "PropertyMap#1 V3 AddProperty(12, 0x00000010)",
                                          "PropertyMap#1 V1 AddProperty(11, 0x00000020)" }));
    EXPECT_NE (host.find<kalvo::aaxhost::HostPropertyMap> ("PropertyMap#1"), nullptr);
    EXPECT_EQ (host.find<kalvo::aaxhost::HostPropertyMap> ("Host#1"), nullptr);
    EXPECT_EQ (host.labelsOf ("PropertyMap"), std::vector<std::string>{ "PropertyMap#1" });

    static_cast<IACFUnknown*> (v3)->Release();
    v1->Release();
    factory->Release();
    EXPECT_EQ (host.outstandingReferences(), 0);
}

TEST (StandInHost, VersionsTheHostLacksAreNotAnswered)
{
    StandInHost host;
    host.versions().propertyMap = { 1 };
    auto* factory = Factory (host);
    auto* v1 = Create<AAX_IACFPropertyMap> (factory, AAXCompID_AAXPropertyMap, IID_IAAXPropertyMapV1);
    void* v2 = &host;
    EXPECT_EQ (v1->QueryInterface (IID_IAAXPropertyMapV2, &v2), noInterface);
    EXPECT_EQ (v2, nullptr);
    EXPECT_EQ (Create<IACFUnknown> (factory, AAXCompID_AAXPropertyMap, IID_IAAXPropertyMapV3, noInterface),
               nullptr);
    EXPECT_EQ (Create<IACFUnknown> (factory, IID_IAAXEffectGUIV1, IID_IACFUnknown, noInterface), nullptr);
    v1->Release();
    factory->Release();

    host.versions().componentFactory = false;
    void* none = &host;
    EXPECT_EQ (host.unknown()->QueryInterface (IID_IACFComponentFactory, &none), noInterface);
    EXPECT_EQ (none, nullptr);
    EXPECT_EQ (host.outstandingReferences(), 0);
}

TEST (StandInHost, InjectedFailures)
{
    StandInHost host;
    void* out = &host;
    host.inject (IID_IACFComponentFactory, HostInjection::Fail);
    EXPECT_EQ (host.unknown()->QueryInterface (IID_IACFComponentFactory, &out), noInterface);
    EXPECT_EQ (out, nullptr);

    host.inject (IID_IACFComponentFactory, HostInjection::SucceedWithNull);
    out = &host;
    EXPECT_EQ (host.unknown()->QueryInterface (IID_IACFComponentFactory, &out), ACF_OK);
    EXPECT_EQ (out, nullptr);

    host.inject (IID_IACFComponentFactory, HostInjection::FailWithObject);
    EXPECT_EQ (host.unknown()->QueryInterface (IID_IACFComponentFactory, &out), noInterface);
    ASSERT_NE (out, nullptr);
    EXPECT_EQ (host.outstandingReferences(), 1);
    static_cast<IACFUnknown*> (out)->Release();

    host.inject (IID_IACFComponentFactory, HostInjection::ThrowStd);
    EXPECT_THROW (host.unknown()->QueryInterface (IID_IACFComponentFactory, &out), std::runtime_error);
    host.inject (IID_IACFComponentFactory, HostInjection::ThrowInteger);
    EXPECT_THROW (host.unknown()->QueryInterface (IID_IACFComponentFactory, &out), int);

    host.clearInjections();
    EXPECT_EQ (host.unknown()->QueryInterface (IID_IACFComponentFactory, &out), ACF_OK);
    static_cast<IACFUnknown*> (out)->Release();
    EXPECT_EQ (host.outstandingReferences(), 0);
}

TEST (StandInHost, InjectionsApplyToCreationToo)
{
    StandInHost host;
    auto* factory = Factory (host);
    host.inject (IID_IAAXPropertyMapV1, HostInjection::SucceedWithNull);
    EXPECT_EQ (Create<IACFUnknown> (factory, AAXCompID_AAXPropertyMap, IID_IAAXPropertyMapV1), nullptr);
    host.inject (IID_IAAXPropertyMapV1, HostInjection::ThrowStd);
    void* out = nullptr;
    EXPECT_THROW (factory->CreateComponent (AAXCompID_AAXPropertyMap, nullptr, IID_IAAXPropertyMapV1, &out),
                  std::runtime_error);
    factory->Release();
}

TEST (StandInHost, OperationThrowersAndResultOverrides)
{
    StandInHost host;
    auto* factory = Factory (host);
    auto* map = Create<AAX_IACFPropertyMap> (factory, AAXCompID_AAXPropertyMap, IID_IAAXPropertyMapV1);
    auto* other = Create<AAX_IACFPropertyMap> (factory, AAXCompID_AAXPropertyMap, IID_IAAXPropertyMapV1);

    host.overrideResult ("PropertyMap#1", "AddProperty", AAX_ERROR_INVALID_ARGUMENT);
    EXPECT_EQ (map->AddProperty (AAX_eProperty_ProductID, 1), AAX_ERROR_INVALID_ARGUMENT);
    EXPECT_EQ (other->AddProperty (AAX_eProperty_ProductID, 1), AAX_SUCCESS);
    AAX_CPropertyValue value = 0;
    EXPECT_FALSE (map->GetProperty (AAX_eProperty_ProductID, &value));

    host.overrideResult ("PropertyMap", "GetProperty", 0);
    EXPECT_FALSE (other->GetProperty (AAX_eProperty_ProductID, &value));
    host.clearResultOverrides();
    EXPECT_TRUE (other->GetProperty (AAX_eProperty_ProductID, &value));
    EXPECT_EQ (value, 1);

    host.throwOnOperation ("RemoveProperty", [] { throw std::logic_error ("host fault"); });
    EXPECT_THROW (other->RemoveProperty (AAX_eProperty_ProductID), std::logic_error);
    host.clearOperationThrowers();
    EXPECT_EQ (other->RemoveProperty (AAX_eProperty_ProductID), AAX_SUCCESS);

    map->Release();
    other->Release();
    factory->Release();
}

TEST (StandInHost, LogKeepsQueriesAndReferenceCountingApart)
{
    StandInHost host;
    auto* factory = Factory (host);
    factory->AddRef();
    factory->Release();
    factory->Release();
    EXPECT_TRUE (host.log().operations().empty());
    EXPECT_EQ (host.log().everythingOn ("Host#1"),
               (std::vector<std::string>{ "V1 QueryInterface(IID_IACFComponentFactory)", "V1 AddRef()",
                                          "V1 Release()", "V1 Release()" }));
    EXPECT_EQ (host.log().count ("Release"), 2u);
    const auto calls = host.log().calls();
    EXPECT_EQ (calls[0].kind, HostCall::Kind::Query);
    EXPECT_EQ (calls[1].kind, HostCall::Kind::RefCount);
}

TEST (StandInHost, UnknownFeaturesAreRefused)
{
    StandInHost host;
    void* out = nullptr;
    ASSERT_EQ (host.unknown()->QueryInterface (IID_IAAXDescriptionHostV1, &out), ACF_OK);
    auto* descriptionHost = static_cast<AAX_IACFDescriptionHost*> (out);
    IACFUnknown* feature = descriptionHost;
    EXPECT_EQ (descriptionHost->AcquireFeatureProperties (AAXATTR_ClientFeature_StemFormat, &feature),
               AAX_ERROR_UNKNOWN_ID);
    EXPECT_EQ (feature, nullptr);

    host.setFeature (AAXATTR_ClientFeature_StemFormat, {});
    EXPECT_EQ (descriptionHost->AcquireFeatureProperties (AAXATTR_ClientFeature_StemFormat, &feature),
               AAX_SUCCESS);
    ASSERT_NE (feature, nullptr);
    EXPECT_EQ (host.labelOf (feature), "FeatureInfo#1");
    feature->Release();
    descriptionHost->Release();
    EXPECT_EQ (host.outstandingReferences(), 0);
}
