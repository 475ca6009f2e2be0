// The collection, effect-descriptor, description-host and feature-info proxies.
#include <memory>
#include <string>
#include <vector>

#include "AAX_Errors.h"
#include "AAX_IComponentDescriptor.h"
#include "AAX_IEffectDescriptor.h"
#include "AAX_IFeatureInfo.h"
#include "AAX_IPropertyMap.h"
#include "AAX_UIDs.h"
#include "AAX_VCollection.h"
#include "AAX_VComponentDescriptor.h"
#include "AAX_VDescriptionHost.h"
#include "AAX_VEffectDescriptor.h"
#include "AAX_VFeatureInfo.h"
#include "AaxHostTest.h"
#include "HostFeatureInfo.h"
#include "HostPropertyMap.h"

using kalvo::aaxhost::HostFeature;
using kalvo::aaxhost::HostFeatureInfo;
using kalvo::aaxhost::HostInjection;
using kalvo::aaxhost::HostPropertyMap;
using kalvo::aaxtest::AaxHostTest;

class DescriptorProxies : public AaxHostTest
{
protected:
    void SetUp() override
    {
        HostFeature feature;
        feature.supportLevel = AAX_eSupportLevel_ByProperty;
        feature.properties[0x00010002] = AAX_eSupportLevel_Supported;
        host.setFeature (AAXATTR_ClientFeature_StemFormat, feature);
    }
};

TEST_F (DescriptorProxies, CollectionOverANullHost)
{
    AAX_VCollection collection (nullptr);
    EXPECT_EQ (collection.GetIUnknown(), nullptr);
    EXPECT_EQ (collection.DescriptionHost(), nullptr);
    EXPECT_EQ (static_cast<const AAX_VCollection&> (collection).DescriptionHost(), nullptr);
    EXPECT_EQ (collection.HostDefinition(), nullptr);
    EXPECT_EQ (collection.NewPropertyMap(), nullptr);
    EXPECT_EQ (collection.SetProperties (nullptr), AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ (collection.SetManufacturerName ("m"), AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ (collection.AddPackageName ("p"), AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ (collection.SetPackageVersion (1), AAX_ERROR_NULL_OBJECT);

    AAX_IEffectDescriptor* descriptor = collection.NewDescriptor();
    ASSERT_NE (descriptor, nullptr);
    EXPECT_EQ (collection.AddEffect ("id", descriptor), AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ (collection.AddEffect ("id", nullptr), AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ (descriptor->AddName ("n"), AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ (descriptor->AddControlMIDINode (1, AAX_eMIDINodeType_LocalInput, "n", 1),
               AAX_ERROR_UNIMPLEMENTED);
    EXPECT_EQ (descriptor->NewPropertyMap(), nullptr);
}

TEST_F (DescriptorProxies, CollectionForwardsWithItsDescriptorsUnknowns)
{
    AAX_VCollection collection (host.unknown());
    ASSERT_NE (collection.GetIUnknown(), nullptr);
    EXPECT_NE (collection.HostDefinition(), nullptr);
    AAX_IEffectDescriptor* descriptor = collection.NewDescriptor();
    AAX_IPropertyMap* map = collection.NewPropertyMap();
    host.log().clear();
    EXPECT_EQ (collection.AddEffect ("com.example", descriptor), AAX_SUCCESS);
    EXPECT_EQ (collection.SetProperties (map), AAX_SUCCESS);
    EXPECT_EQ (collection.SetProperties (nullptr), AAX_SUCCESS);
    EXPECT_EQ (host.log().operations(),
               (std::vector<std::string>{ "Collection#1 V1 AddEffect(\"com.example\", EffectDescriptor#1)",
                                          "Collection#1 V1 SetProperties(PropertyMap#1)",
                                          "Collection#1 V1 SetProperties(null)" }));
}

TEST_F (DescriptorProxies, CollectionIsCreatedBeforeTheDescriptionServicesAreAsked)
{
    AAX_VCollection collection (host.unknown());
    std::vector<std::string> order;
    for (const auto& call : host.log().calls())
        if (call.kind == kalvo::aaxhost::HostCall::Kind::Query && call.object == "Host#1")
            order.push_back (call.callText());
    ASSERT_GE (order.size(), 4u);
    EXPECT_EQ (order[0], "QueryInterface(IID_IACFComponentFactory)");
    EXPECT_EQ (order[1].rfind ("CreateComponent(AAXCompID_AAXCollection", 0), 0u) << order[1];
    EXPECT_EQ (order[2], "QueryInterface(IID_IAAXDescriptionHostV1)");
    EXPECT_EQ (order[3], "QueryInterface(IID_IACFDefinition)");
}

TEST_F (DescriptorProxies, NoDescriptionServicesWithoutTheHostsInterface)
{
    host.versions().descriptionHost = false;
    host.versions().hostDefinition = false;
    AAX_VCollection collection (host.unknown());
    EXPECT_EQ (collection.DescriptionHost(), nullptr);
    EXPECT_EQ (collection.HostDefinition(), nullptr);
}

TEST_F (DescriptorProxies, EffectDescriptorOperationsByVersion)
{
    host.versions().effectDescriptor = { 1 };
    AAX_VEffectDescriptor onlyOne (host.unknown());
    EXPECT_EQ (onlyOne.AddControlMIDINode (1, AAX_eMIDINodeType_LocalInput, "n", 1), AAX_ERROR_UNIMPLEMENTED);

    host.versions().effectDescriptor = { 1, 2 };
    AAX_VEffectDescriptor both (host.unknown());
    AAX_IPropertyMap* map = both.NewPropertyMap();
    host.log().clear();
    both.AddCategoryBypassParameter (0x2000, "Power");
    both.SetProperties (map);
    both.AddResourceInfo (AAX_eResourceType_PageTable, "pages.xml");
    both.AddMeterDescription (0x4D657472, "Meter", map);
    both.AddControlMIDINode (0x4D494449, AAX_eMIDINodeType_LocalInput, "Ctl", 0x1);
    both.AddComponent (nullptr);
    EXPECT_EQ (host.log().operationsOn ("EffectDescriptor#2"),
               (std::vector<std::string>{ "AddCategoryBypassParameter(0x00002000, \"Power\")",
                                          "SetProperties(PropertyMap#1)", "AddResourceInfo(1, \"pages.xml\")",
                                          "AddMeterDescription(0x4D657472, \"Meter\", PropertyMap#1)",
                                          "AddControlMIDINode(0x4D494449, 0, \"Ctl\", 0x00000001)",
                                          "AddComponent(null)" }));
    EXPECT_EQ (host.log().operations()[4],
               "EffectDescriptor#2 V2 AddControlMIDINode(0x4D494449, 0, \"Ctl\", 0x00000001)");
}

TEST_F (DescriptorProxies, FeatureInfoHoldsOnlyItsOwnReference)
{
    AAX_VDescriptionHost descriptionHost (host.unknown());
    std::unique_ptr<const AAX_IFeatureInfo> feature (
        descriptionHost.AcquireFeatureProperties (AAXATTR_ClientFeature_StemFormat));
    ASSERT_NE (feature, nullptr);
    EXPECT_EQ (feature->ID(), AAXATTR_ClientFeature_StemFormat);

    // The unknown the host handed out was given back once the proxy had its own interface.
    const auto* hostFeature = host.find<HostFeatureInfo> ("FeatureInfo#1");
    ASSERT_NE (hostFeature, nullptr);
    EXPECT_EQ (hostFeature->references(), 1);

    AAX_ESupportLevel level = AAX_eSupportLevel_Uninitialized;
    EXPECT_EQ (feature->SupportLevel (level), AAX_SUCCESS);
    EXPECT_EQ (level, AAX_eSupportLevel_ByProperty);

    std::unique_ptr<const AAX_IPropertyMap> properties (feature->AcquireProperties());
    ASSERT_NE (properties, nullptr);
    const auto* hostMap = host.find<HostPropertyMap> ("PropertyMap#1");
    ASSERT_NE (hostMap, nullptr);
    EXPECT_EQ (hostMap->references(), 3); // one per map version the proxy found
    AAX_CPropertyValue value = 0;
    EXPECT_TRUE (properties->GetProperty (static_cast<AAX_EProperty> (0x00010002), &value));
    EXPECT_EQ (value, AAX_eSupportLevel_Supported);

    properties.reset();
    feature.reset();
    EXPECT_EQ (hostMap->references(), 0);
    EXPECT_EQ (hostFeature->references(), 0);
}

TEST_F (DescriptorProxies, FeatureQueriesThatFindNothing)
{
    AAX_VDescriptionHost descriptionHost (host.unknown());
    EXPECT_EQ (descriptionHost.AcquireFeatureProperties (IID_IAAXEffectGUIV1), nullptr);

    host.versions().descriptionHost = false;
    AAX_VDescriptionHost none (host.unknown());
    EXPECT_FALSE (none.Supported());
    EXPECT_EQ (none.AcquireFeatureProperties (AAXATTR_ClientFeature_StemFormat), nullptr);

    AAX_VDescriptionHost nullHost (nullptr);
    EXPECT_FALSE (nullHost.Supported());
}

TEST_F (DescriptorProxies, FeatureWithoutPropertiesOrInterface)
{
    HostFeature bare;
    bare.supportLevel = AAX_eSupportLevel_Supported;
    host.setFeature (AAXATTR_ClientFeature_StemFormat, bare);
    AAX_VDescriptionHost descriptionHost (host.unknown());
    std::unique_ptr<const AAX_IFeatureInfo> feature (
        descriptionHost.AcquireFeatureProperties (AAXATTR_ClientFeature_StemFormat));
    ASSERT_NE (feature, nullptr);
    EXPECT_EQ (feature->AcquireProperties(), nullptr);

    host.versions().featureInfo = {};
    std::unique_ptr<const AAX_IFeatureInfo> withoutInterface (
        descriptionHost.AcquireFeatureProperties (AAXATTR_ClientFeature_StemFormat));
    ASSERT_NE (withoutInterface, nullptr);
    AAX_ESupportLevel level = AAX_eSupportLevel_Uninitialized;
    EXPECT_EQ (withoutInterface->SupportLevel (level), AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ (withoutInterface->AcquireProperties(), nullptr);
}

TEST_F (DescriptorProxies, DescriptorsOwnWhatTheyMake)
{
    {
        AAX_VCollection collection (host.unknown());
        auto* descriptor = collection.NewDescriptor();
        auto* component = descriptor->NewComponentDescriptor();
        component->NewPropertyMap();
        component->DuplicatePropertyMap (component->NewPropertyMap());
        descriptor->NewPropertyMap();
        collection.NewPropertyMap();
        EXPECT_GT (host.outstandingReferences(), 0);
    }
    // Leaving the scope deleted every proxy and released every host interface.
    EXPECT_EQ (host.outstandingReferences(), 0) << host.referenceReport();
}

TEST_F (DescriptorProxies, DestructionReleasesTheNewestVersionFirstAndTheHostLast)
{
    auto releasesDuring = [this] (auto&& destroy)
    {
        host.log().clear();
        destroy();
        std::vector<std::string> releases;
        for (const auto& call : host.log().calls())
            if (call.operation == "Release")
                releases.push_back (call.object + " V" + std::to_string (call.version));
        return releases;
    };

    auto component = std::make_unique<AAX_VComponentDescriptor> (host.unknown());
    component->NewPropertyMap();
    EXPECT_EQ (
        releasesDuring ([&] { component.reset(); }),
        // The map's description services (the host's) go first: the map's last member.
        (std::vector<std::string>{ "Host#1 V1", "PropertyMap#1 V3", "PropertyMap#1 V2", "PropertyMap#1 V1",
                                   "ComponentDescriptor#1 V3", "ComponentDescriptor#1 V2",
                                   "ComponentDescriptor#1 V1", "Host#1 V1" }));

    auto descriptor = std::make_unique<AAX_VEffectDescriptor> (host.unknown());
    EXPECT_EQ (releasesDuring ([&] { descriptor.reset(); }),
               (std::vector<std::string>{ "EffectDescriptor#1 V2", "EffectDescriptor#1 V1", "Host#1 V1" }));
}
