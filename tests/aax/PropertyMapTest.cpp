// The property-map proxy: versions, the stem-format guard, the pointer-property cache.
#include <memory>
#include <string>

#include "AAX_Errors.h"
#include "AAX_UIDs.h"
#include "AAX_VPropertyMap.h"
#include "AaxHostTest.h"
#include "HostCallLog.h"
#include "HostPropertyMap.h"

using kalvo::aaxhost::HostCallLog;
using kalvo::aaxhost::HostInjection;
using kalvo::aaxhost::HostPropertyMap;
using kalvo::aaxtest::AaxHostTest;

class PropertyMapProxy : public AaxHostTest
{
protected:
    std::unique_ptr<AAX_VPropertyMap> NewMap()
    {
        return std::unique_ptr<AAX_VPropertyMap> (AAX_VPropertyMap::Create (host.unknown()));
    }

    // A host that knows nothing of description services, anywhere.
    void WithoutDescriptionServices()
    {
        host.versions().descriptionHost = false;
        host.versions().propertyMapDescriptionHost = false;
    }
};

TEST_F (PropertyMapProxy, CreateNeedsAHostWithAFactory)
{
    EXPECT_EQ (AAX_VPropertyMap::Create (nullptr), nullptr);
    host.versions().componentFactory = false;
    EXPECT_EQ (NewMap(), nullptr);
}

TEST_F (PropertyMapProxy, FailedFactoryQueryThatHandsOutAnObjectIsReleased)
{
    host.inject (IID_IACFComponentFactory, HostInjection::FailWithObject);
    EXPECT_EQ (NewMap(), nullptr);
}

TEST_F (PropertyMapProxy, UnknownIsTheNewestVersion)
{
    auto map = NewMap();
    ASSERT_NE (map, nullptr);
    const auto* raw = static_cast<const void*> (map->GetIUnknown());
    EXPECT_EQ (host.labelOf (raw), "PropertyMap#1");
    void* v3 = nullptr;
    ASSERT_EQ (map->GetIUnknown()->QueryInterface (IID_IAAXPropertyMapV3, &v3), 0);
    EXPECT_EQ (v3, raw);
    static_cast<IACFUnknown*> (v3)->Release();

    host.versions().propertyMap = { 1, 2 };
    auto older = NewMap();
    void* v2 = nullptr;
    ASSERT_EQ (older->GetIUnknown()->QueryInterface (IID_IAAXPropertyMapV2, &v2), 0);
    EXPECT_EQ (v2, static_cast<void*> (older->GetIUnknown()));
    static_cast<IACFUnknown*> (v2)->Release();

    host.versions().propertyMap = {};
    auto none = NewMap();
    ASSERT_NE (none, nullptr);
    EXPECT_EQ (none->GetIUnknown(), nullptr);
    EXPECT_EQ (none->AddProperty (AAX_eProperty_ProductID, 1), AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ (none->RemoveProperty (AAX_eProperty_ProductID), AAX_ERROR_NULL_OBJECT);
    AAX_CPropertyValue value = 0;
    EXPECT_FALSE (none->GetProperty (AAX_eProperty_ProductID, &value));
}

TEST_F (PropertyMapProxy, OperationsGoThroughTheVersionThatIntroducedThem)
{
    auto map = NewMap();
    host.log().clear();
    const AAX_SPlugInIdentifierTriad triad{ 1, 2, 3 };
    map->AddProperty (AAX_eProperty_ProductID, 5);
    AAX_CPropertyValue value = 0;
    map->GetProperty (AAX_eProperty_ProductID, &value);
    map->RemoveProperty (AAX_eProperty_ProductID);
    map->AddPropertyWithIDArray (AAX_eProperty_ProductID, &triad, 1);
    const AAX_SPlugInIdentifierTriad* triads = nullptr;
    uint32_t count = 0;
    map->GetPropertyWithIDArray (AAX_eProperty_ProductID, &triads, &count);
    map->AddPointerProperty (AAX_eProperty_NativeProcessProc, static_cast<const void*> (&triad));
    const void* pointer = nullptr;
    map->GetPointerProperty (AAX_eProperty_NativeProcessProc, &pointer);

    EXPECT_EQ (value, 5);
    EXPECT_EQ (count, 1u);
    EXPECT_EQ (pointer, &triad);
    const std::string p = HostCallLog::pointer (&triad);
    EXPECT_EQ (
        host.log().operationsOn ("PropertyMap#1"),
        (std::vector<std::string>{ "AddProperty(12, 0x00000005)", "GetProperty(12)", "RemoveProperty(12)",
                                   "AddPropertyWithIDArray(12, 1)", "GetPropertyWithIDArray(12)",
                                   "AddPointerProperty(36, " + p + ")", "GetPointerProperty(36)" }));
    std::vector<int> versions;
    for (const auto& call : host.log().calls())
        if (call.kind == kalvo::aaxhost::HostCall::Kind::Operation)
            versions.push_back (call.version);
    EXPECT_EQ (versions, (std::vector<int>{ 1, 1, 1, 2, 2, 3, 3 }));
}

TEST_F (PropertyMapProxy, VersionTwoOperationsWithoutVersionTwo)
{
    host.versions().propertyMap = { 1 };
    auto map = NewMap();
    const AAX_SPlugInIdentifierTriad triad{ 1, 2, 3 };
    EXPECT_EQ (map->AddPropertyWithIDArray (AAX_eProperty_ProductID, &triad, 1), AAX_ERROR_UNIMPLEMENTED);
    const AAX_SPlugInIdentifierTriad* triads = nullptr;
    uint32_t count = 0;
    EXPECT_FALSE (map->GetPropertyWithIDArray (AAX_eProperty_ProductID, &triads, &count));
}

struct StemCase
{
    int32_t property;
    uint32_t value;
    bool refused;
};

class StemFormatGuard : public PropertyMapProxy, public ::testing::WithParamInterface<StemCase>
{
};

TEST_P (StemFormatGuard, WithoutDescriptionServices)
{
    WithoutDescriptionServices();
    auto map = NewMap();
    host.log().clear();
    const StemCase c = GetParam();
    const AAX_Result result =
        map->AddProperty (static_cast<AAX_EProperty> (c.property), static_cast<AAX_CPropertyValue> (c.value));
    EXPECT_EQ (result, c.refused ? AAX_ERROR_PROPERTY_UNDEFINED : AAX_SUCCESS);
    EXPECT_EQ (host.log().count ("AddProperty"), c.refused ? 0u : 1u);
}

TEST_P (StemFormatGuard, WithDescriptionServicesEverythingIsForwarded)
{
    auto map = NewMap();
    const StemCase c = GetParam();
    EXPECT_EQ (
        map->AddProperty (static_cast<AAX_EProperty> (c.property), static_cast<AAX_CPropertyValue> (c.value)),
        AAX_SUCCESS);
}

INSTANTIATE_TEST_SUITE_P (
    Matrix, StemFormatGuard,
    ::testing::Values (StemCase{ 51, 0x000E0004u, true }, StemCase{ 52, 0x000E0004u, true },
                       StemCase{ 51, 0x000D0000u, true }, StemCase{ 52, 0x7FFF0008u, true },
                       StemCase{ 51, 0x80000002u, true }, StemCase{ 51, 0x000C0008u, false },
                       StemCase{ 52, 0x0000FFFFu, false }, StemCase{ 51, 0x00010002u, false },
                       StemCase{ 51, 0xFFFF0000u, false }, StemCase{ 52, 0xFFFF0000u, false },
                       StemCase{ 51, 0xFF9C0000u, false }, StemCase{ 52, 0xFF9C0000u, false },
                       StemCase{ 50, 0x000E0004u, false }, StemCase{ 53, 0x000E0004u, false }));

TEST_F (PropertyMapProxy, DescriptionServicesAreFoundOnTheMapItself)
{
    host.versions().descriptionHost = false;
    host.versions().propertyMapDescriptionHost = true;
    auto map = NewMap();
    EXPECT_EQ (map->AddProperty (AAX_eProperty_InputStemFormat, 0x000E0004), AAX_SUCCESS);
}

TEST_F (PropertyMapProxy, PointerPropertiesAreCachedWithoutVersionThree)
{
    host.versions().propertyMap = { 1, 2 };
    auto map = NewMap();
    host.log().clear();
    int target = 0;
    EXPECT_EQ (map->AddPointerProperty (AAX_eProperty_NativeProcessProc, static_cast<const void*> (&target)),
               AAX_SUCCESS);
    const void* found = nullptr;
    EXPECT_TRUE (map->GetPointerProperty (AAX_eProperty_NativeProcessProc, &found));
    EXPECT_EQ (found, &target);
    EXPECT_FALSE (map->GetPointerProperty (AAX_eProperty_NativeProcessProc, nullptr));
    EXPECT_FALSE (map->GetPointerProperty (AAX_eProperty_NativeBackgroundProc, &found));

    int other = 0;
    EXPECT_EQ (map->AddPointerProperty (AAX_eProperty_NativeProcessProc, static_cast<const void*> (&other)),
               AAX_SUCCESS);
    EXPECT_TRUE (map->GetPointerProperty (AAX_eProperty_NativeProcessProc, &found));
    EXPECT_EQ (found, &other);

    EXPECT_EQ (map->AddPointerProperty (AAX_eProperty_MinProp, static_cast<const void*> (&target)),
               AAX_ERROR_UNIMPLEMENTED);
    EXPECT_EQ (map->AddPointerProperty (AAX_eProperty_ProductID, "text"), AAX_ERROR_UNIMPLEMENTED);
    // Nothing reached the host.
    EXPECT_TRUE (host.log().operations().empty());
}

TEST_F (PropertyMapProxy, CachedTextIsACopyThatOutlivesTheCallersBuffer)
{
    host.versions().propertyMap = { 1 };
    auto map = NewMap();
    const void* found = nullptr;
    {
        auto buffer = std::make_unique<std::string> ("DSP_library.dll");
        ASSERT_EQ (map->AddPointerProperty (AAX_eProperty_TIDLLFileName, buffer->c_str()), AAX_SUCCESS);
        ASSERT_TRUE (map->GetPointerProperty (AAX_eProperty_TIDLLFileName, &found));
        EXPECT_NE (found, static_cast<const void*> (buffer->c_str()));
        (*buffer)[0] = 'X';
    }
    // The caller's buffer is gone; the map's copy still reads the text as it was given.
    ASSERT_TRUE (map->GetPointerProperty (AAX_eProperty_TIDLLFileName, &found));
    EXPECT_STREQ (static_cast<const char*> (found), "DSP_library.dll");

    ASSERT_EQ (map->AddPointerProperty (AAX_eProperty_TIDLLFileName, "second.dll"), AAX_SUCCESS);
    ASSERT_TRUE (map->GetPointerProperty (AAX_eProperty_TIDLLFileName, &found));
    EXPECT_STREQ (static_cast<const char*> (found), "second.dll");
}

TEST_F (PropertyMapProxy, TextGoesToTheHostWithVersionThree)
{
    auto map = NewMap();
    host.log().clear();
    static const char text[] = "file.dll";
    EXPECT_EQ (map->AddPointerProperty (AAX_eProperty_TIDLLFileName, text), AAX_SUCCESS);
    EXPECT_EQ (host.log().operations(),
               (std::vector<std::string>{ "PropertyMap#1 V3 AddPointerProperty(39, " +
                                          HostCallLog::pointer (text) + ")" }));
}

TEST_F (PropertyMapProxy, AcquireWrapsAMapTheHostHandedOut)
{
    auto& hostMap = host.make<HostPropertyMap> (std::map<int32_t, int32_t>{ { 20, 7 } });
    std::unique_ptr<AAX_VPropertyMap> map (AAX_VPropertyMap::Acquire (hostMap.identity()));
    ASSERT_NE (map, nullptr);
    AAX_CPropertyValue value = 0;
    EXPECT_TRUE (map->GetProperty (static_cast<AAX_EProperty> (20), &value));
    EXPECT_EQ (value, 7);
    // The proxy holds one reference per version it found.
    EXPECT_EQ (hostMap.references(), 3);
    map.reset();
    EXPECT_EQ (hostMap.references(), 0);

    std::unique_ptr<AAX_VPropertyMap> empty (AAX_VPropertyMap::Acquire (nullptr));
    ASSERT_NE (empty, nullptr);
    EXPECT_EQ (empty->GetIUnknown(), nullptr);
}
