// The component-descriptor proxy: forwarding by version, DuplicatePropertyMap and the manual
// process-procedure path for hosts without version 3.
#include <memory>
#include <string>
#include <vector>

#include "AAX_Errors.h"
#include "AAX_UIDs.h"
#include "AAX_VComponentDescriptor.h"
#include "AAX_VPropertyMap.h"
#include "AaxHostTest.h"
#include "HostCallLog.h"
#include "HostPropertyMap.h"

using kalvo::aaxhost::HostCallLog;
using kalvo::aaxhost::HostInjection;
using kalvo::aaxhost::HostPropertyMap;
using kalvo::aaxtest::AaxHostTest;

namespace
{
void Process (void* const[], const void*) {}
int32_t InitInstance (const void*, int32_t)
{
    return 0;
}

template <class Function>
std::string Address (Function function)
{
    return HostCallLog::pointer (reinterpret_cast<const void*> (function));
}

const void* AsData (AAX_CProcessProc function)
{
    return reinterpret_cast<const void*> (function);
}
} // namespace

class ComponentDescriptorProxy : public AaxHostTest
{
protected:
    // A host whose component descriptors lack version 3, so that the binding registers process
    // procedures itself.
    void WithoutVersionThree() { host.versions().componentDescriptor = { 1, 2 }; }

    const HostPropertyMap& HostMap (AAX_IPropertyMap* map)
    {
        const auto* found = host.find<HostPropertyMap> (host.labelOf (map->GetIUnknown()));
        EXPECT_NE (found, nullptr);
        return *found;
    }
};

TEST_F (ComponentDescriptorProxy, ForwardsThroughTheIntroducingVersion)
{
    AAX_VComponentDescriptor component (host.unknown());
    host.log().clear();
    const AAX_CTypeID meters[2] = { 0x4D657472, 0x4D657473 };
    component.Clear();
    component.AddAudioIn (0);
    component.AddSampleRate (1);
    component.AddClock (2);
    component.AddSideChainIn (3);
    component.AddAuxOutputStem (4, 0x00010002, "aux");
    component.AddTemporaryData (5, 16);
    component.AddDmaInstance (6, AAX_eDmaMode_None);
    component.AddMeters (7, meters, 2);
    component.AddReservedField (8, 3);
    AAX_CSelector ids[4] = {};
    component.AddProcessProc (component.NewPropertyMap(), ids, 4);

    EXPECT_EQ (host.log().operations(),
               (std::vector<std::string>{
                   "ComponentDescriptor#1 V1 Clear()", "ComponentDescriptor#1 V1 AddAudioIn(0)",
                   "ComponentDescriptor#1 V1 AddSampleRate(1)", "ComponentDescriptor#1 V1 AddClock(2)",
                   "ComponentDescriptor#1 V1 AddSideChainIn(3)",
                   "ComponentDescriptor#1 V1 AddAuxOutputStem(4, 0x00010002, \"aux\")",
                   "ComponentDescriptor#1 V2 AddTemporaryData(5, 16)",
                   "ComponentDescriptor#1 V1 AddDmaInstance(6, 0)",
                   "ComponentDescriptor#1 V1 AddMeters(7, 0x4D657472, 0x4D657473)",
                   "ComponentDescriptor#1 V1 AddReservedField(8, 0x00000003)",
                   "ComponentDescriptor#1 V3 AddProcessProc(PropertyMap#1, 4)" }));
}

TEST_F (ComponentDescriptorProxy, NewerOperationsWithOnlyVersionOne)
{
    host.versions().componentDescriptor = { 1 };
    AAX_VComponentDescriptor component (host.unknown());
    EXPECT_EQ (component.AddTemporaryData (0, 4), AAX_ERROR_UNIMPLEMENTED);
    EXPECT_EQ (component.AddAudioIn (0), AAX_SUCCESS);
}

TEST_F (ComponentDescriptorProxy, EverythingIsNullObjectWithoutTheHost)
{
    AAX_VComponentDescriptor component (nullptr);
    EXPECT_EQ (component.GetIUnknown(), nullptr);
    EXPECT_EQ (component.Clear(), AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ (component.AddAudioIn (0), AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ (component.AddPrivateData (0, 4, 0), AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ (component.AddMIDINode (0, AAX_eMIDINodeType_LocalInput, "n", 1), AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ (component.AddTemporaryData (0, 4), AAX_ERROR_UNIMPLEMENTED);
    EXPECT_EQ (component.AddProcessProc_Native (&Process, nullptr, nullptr, nullptr, nullptr),
               AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ (component.NewPropertyMap(), nullptr);
    EXPECT_EQ (component.AddProcessProc (nullptr, nullptr, 0), AAX_ERROR_NULL_OBJECT);
}

TEST_F (ComponentDescriptorProxy, DuplicateCopiesPropertiesTenThroughFourHundredOne)
{
    WithoutVersionThree();
    host.versions().propertyMap = { 1, 2 };
    AAX_VComponentDescriptor component (host.unknown());
    AAX_IPropertyMap* source = component.NewPropertyMap();
    for (int32_t property : { 9, 10, 11, 200, 401, 402 })
        source->AddProperty (static_cast<AAX_EProperty> (property), property * 2);
    source->AddPointerProperty (AAX_eProperty_NativeProcessProc, AsData (&Process));

    AAX_IPropertyMap* copy = component.DuplicatePropertyMap (source);
    ASSERT_NE (copy, nullptr);
    ASSERT_NE (copy, source);
    EXPECT_EQ (HostMap (copy).propertiesInOrder(), (std::vector<std::pair<int32_t, int32_t>>{
                                                       { 10, 20 }, { 11, 22 }, { 200, 400 }, { 401, 802 } }));
    const void* pointer = nullptr;
    EXPECT_TRUE (copy->GetPointerProperty (AAX_eProperty_NativeProcessProc, &pointer));
    EXPECT_EQ (pointer, AsData (&Process));
}

TEST_F (ComponentDescriptorProxy, DuplicatePrefersTheIntegerValueOfAProperty)
{
    WithoutVersionThree();
    host.versions().propertyMap = { 1, 2 };
    AAX_VComponentDescriptor component (host.unknown());
    AAX_IPropertyMap* source = component.NewPropertyMap();
    // Property 37 is set both ways: as an integer in the host's map and as a cached pointer.
    source->AddProperty (AAX_eProperty_NativeInstanceInitProc, 74);
    source->AddPointerProperty (AAX_eProperty_NativeInstanceInitProc, AsData (&Process));

    AAX_IPropertyMap* copy = component.DuplicatePropertyMap (source);
    ASSERT_NE (copy, nullptr);
    EXPECT_EQ (HostMap (copy).propertiesInOrder(), (std::vector<std::pair<int32_t, int32_t>>{ { 37, 74 } }));
    const void* pointer = nullptr;
    EXPECT_FALSE (copy->GetPointerProperty (AAX_eProperty_NativeInstanceInitProc, &pointer));
    EXPECT_EQ (pointer, nullptr);
}

TEST_F (ComponentDescriptorProxy, ManualPathRegistersTheNativeProcedure)
{
    WithoutVersionThree();
    AAX_VComponentDescriptor component (host.unknown());
    AAX_IPropertyMap* map = component.NewPropertyMap();
    map->AddProperty (AAX_eProperty_PlugInID_Native, 0x6A636363);
    map->AddPointerProperty (AAX_eProperty_NativeProcessProc, AsData (&Process));
    map->AddPointerProperty (AAX_eProperty_NativeInstanceInitProc,
                             reinterpret_cast<const void*> (&InitInstance));
    host.log().clear();

    AAX_CSelector ids[3] = { 99, 99, 99 };
    EXPECT_EQ (component.AddProcessProc (map, ids, 3), AAX_SUCCESS);
    EXPECT_EQ (ids[0], 1u);
    EXPECT_EQ (ids[1], 0u);
    EXPECT_EQ (ids[2], 99u);
    EXPECT_EQ (host.log().operationsOn ("ComponentDescriptor#1"),
               (std::vector<std::string>{ "AddProcessProc_Native(" + Address (&Process) +
                                          ", PropertyMap#1, " + Address (&InitInstance) + ", null)" }));
    EXPECT_TRUE (host.traces().empty());
}

TEST_F (ComponentDescriptorProxy, ManualPathRefusesAListWithoutRoomForTheEnd)
{
    WithoutVersionThree();
    AAX_VComponentDescriptor component (host.unknown());
    AAX_IPropertyMap* map = component.NewPropertyMap();
    map->AddProperty (AAX_eProperty_PlugInID_AudioSuite, 1);
    map->AddPointerProperty (AAX_eProperty_NativeProcessProc, AsData (&Process));

    AAX_CSelector ids[2] = { 77, 77 };
    EXPECT_EQ (component.AddProcessProc (map, ids, 1), AAX_ERROR_ARGUMENT_BUFFER_OVERFLOW);
    EXPECT_EQ (ids[0], 77u);
    EXPECT_EQ (component.AddProcessProc (map, ids, 2), AAX_SUCCESS);
    EXPECT_EQ (ids[0], 2u);
    EXPECT_EQ (ids[1], 0u);
    EXPECT_EQ (component.AddProcessProc (map, nullptr, 0), AAX_SUCCESS);
}

TEST_F (ComponentDescriptorProxy, ManualPathTracesMissingProcedures)
{
    WithoutVersionThree();
    StartServices();
    AAX_VComponentDescriptor component (host.unknown());
    AAX_IPropertyMap* map = component.NewPropertyMap();
    map->AddProperty (AAX_eProperty_PlugInID_Native, 1);
    map->AddProperty (AAX_eProperty_PlugInID_TI, 2);
    map->AddPointerProperty (AAX_eProperty_TIInstanceInitProc, "init");
    host.log().clear();

    AAX_CSelector ids[3] = {};
    EXPECT_EQ (component.AddProcessProc (map, ids, 3), AAX_SUCCESS);
    EXPECT_EQ (ids[0], 1u);
    EXPECT_EQ (ids[1], 2u);
    EXPECT_EQ (ids[2], 0u);

    const std::string prefix = "AAX_VComponentDescriptor: ManuallyAddProcessProcs() - no value found for ";
    const auto traces = host.traces();
    ASSERT_EQ (traces.size(), 3u);
    EXPECT_EQ (traces[0].message, prefix + "AAX_eProperty_NativeProcessProc");
    EXPECT_EQ (traces[1].message, prefix + "AAX_eProperty_TIDLLFileName");
    EXPECT_EQ (traces[2].message, prefix + "AAX_eProperty_TIProcessProc");
    for (const auto& trace : traces)
        EXPECT_EQ (trace.priority, 0x08000000);
    EXPECT_EQ (host.log().operationsOn ("ComponentDescriptor#1"),
               (std::vector<std::string>{ "AddProcessProc_Native(null, PropertyMap#1, null, null)",
                                          "AddProcessProc_TI(null, null, PropertyMap#1, \"init\", null)" }));
}

TEST_F (ComponentDescriptorProxy, ManualPathTakesTheBufferLengthOffACopy)
{
    WithoutVersionThree();
    StartServices();
    AAX_VComponentDescriptor component (host.unknown());
    AAX_IPropertyMap* map = component.NewPropertyMap();
    map->AddProperty (AAX_eProperty_PlugInID_Native, 1);
    map->AddProperty (AAX_eProperty_AudioBufferLength_Native, 5);
    map->AddPointerProperty (AAX_eProperty_NativeProcessProc, AsData (&Process));

    AAX_CSelector ids[2] = {};
    EXPECT_EQ (component.AddProcessProc (map, ids, 2), AAX_SUCCESS);
    const auto calls = host.log().operationsOn ("ComponentDescriptor#1");
    ASSERT_EQ (calls.size(), 1u);
    EXPECT_EQ (calls[0], "AddProcessProc_Native(" + Address (&Process) + ", PropertyMap#2, null, null)");
    const auto* copy = host.find<HostPropertyMap> ("PropertyMap#2");
    ASSERT_NE (copy, nullptr);
    EXPECT_FALSE (copy->hasProperty (AAX_eProperty_AudioBufferLength_Native));
    EXPECT_TRUE (copy->hasProperty (AAX_eProperty_PlugInID_Native));
    // The map passed in keeps it.
    EXPECT_TRUE (HostMap (map).hasProperty (AAX_eProperty_AudioBufferLength_Native));
    EXPECT_TRUE (host.assertions().empty());
}

TEST_F (ComponentDescriptorProxy, ManualPathWithoutAMapOrVersionOne)
{
    WithoutVersionThree();
    AAX_VComponentDescriptor component (host.unknown());
    AAX_CSelector ids[2] = {};
    EXPECT_EQ (component.AddProcessProc (nullptr, ids, 2), AAX_ERROR_NULL_OBJECT);
}

TEST_F (ComponentDescriptorProxy, PointerPropertiesUsedByTheManualPath)
{
    const auto& used = AAX_VComponentDescriptor::PointerPropertiesUsedByAddProcessProc();
    EXPECT_EQ (used,
               (std::set<AAX_EProperty>{ static_cast<AAX_EProperty> (36), static_cast<AAX_EProperty> (37),
                                         static_cast<AAX_EProperty> (38), static_cast<AAX_EProperty> (39),
                                         static_cast<AAX_EProperty> (40), static_cast<AAX_EProperty> (41),
                                         static_cast<AAX_EProperty> (42) }));
}

TEST_F (ComponentDescriptorProxy, ManualPathReportsACopyWithoutTheBufferLength)
{
    WithoutVersionThree();
    StartServices();
    AAX_VComponentDescriptor component (host.unknown());
    AAX_IPropertyMap* map = component.NewPropertyMap();
    map->AddProperty (AAX_eProperty_PlugInID_Native, 1);
    map->AddProperty (AAX_eProperty_AudioBufferLength_Native, 5);
    map->AddPointerProperty (AAX_eProperty_NativeProcessProc, AsData (&Process));
    // The copy (the next map the host makes) claims not to have the property.
    host.overrideResult ("PropertyMap#2", "GetProperty", 0);

    EXPECT_EQ (component.AddProcessProc (map, nullptr, 0), AAX_SUCCESS);
    ASSERT_EQ (host.assertions().size(), 1u);
    EXPECT_EQ (host.assertions()[0].note, "0 != gotPropertySuccess");
    EXPECT_EQ (host.assertions()[0].flags, 1);
    EXPECT_NE (host.assertions()[0].file.find ("AAX_VComponentDescriptor.cpp"), std::string::npos);
    // The map passed in is used.
    EXPECT_EQ (host.log().operationsOn ("ComponentDescriptor#1").back(),
               "AddProcessProc_Native(" + Address (&Process) + ", PropertyMap#1, null, null)");
}

TEST_F (ComponentDescriptorProxy, ManualPathKeepsTheMapWhenTheCopyHasNoHostObject)
{
    WithoutVersionThree();
    StartServices();
    AAX_VComponentDescriptor component (host.unknown());
    AAX_IPropertyMap* map = component.NewPropertyMap();
    map->AddProperty (AAX_eProperty_PlugInID_Native, 1);
    map->AddProperty (AAX_eProperty_AudioBufferLength_Native, 5);
    map->AddPointerProperty (AAX_eProperty_NativeProcessProc, AsData (&Process));
    // From now on the host makes no property maps: the copy is a proxy without a host object.
    host.inject (IID_IAAXPropertyMapV1, HostInjection::Fail);

    EXPECT_EQ (component.AddProcessProc (map, nullptr, 0), AAX_SUCCESS);
    // Nothing to report: the map passed in is used as it is.
    EXPECT_TRUE (host.assertions().empty());
    EXPECT_EQ (host.log().operationsOn ("ComponentDescriptor#1").back(),
               "AddProcessProc_Native(" + Address (&Process) + ", PropertyMap#1, null, null)");
    EXPECT_TRUE (HostMap (map).hasProperty (AAX_eProperty_AudioBufferLength_Native));
    host.clearInjections();
}

TEST_F (ComponentDescriptorProxy, ManualPathReportsAFailedRemovalAndUsesTheCopy)
{
    WithoutVersionThree();
    StartServices();
    AAX_VComponentDescriptor component (host.unknown());
    AAX_IPropertyMap* map = component.NewPropertyMap();
    map->AddProperty (AAX_eProperty_PlugInID_Native, 1);
    map->AddProperty (AAX_eProperty_AudioBufferLength_Native, 5);
    map->AddPointerProperty (AAX_eProperty_NativeProcessProc, AsData (&Process));
    host.overrideResult ("PropertyMap#2", "RemoveProperty", AAX_ERROR_PROPERTY_UNDEFINED);

    EXPECT_EQ (component.AddProcessProc (map, nullptr, 0), AAX_SUCCESS);
    ASSERT_EQ (host.assertions().size(), 1u);
    EXPECT_EQ (host.assertions()[0].note, "AAX_SUCCESS == removeNativeAudioBufferLengthResult");
    EXPECT_EQ (host.log().operationsOn ("ComponentDescriptor#1").back(),
               "AddProcessProc_Native(" + Address (&Process) + ", PropertyMap#2, null, null)");
}

TEST_F (ComponentDescriptorProxy, ManualPathStopsAtAFailedRegistration)
{
    WithoutVersionThree();
    AAX_VComponentDescriptor component (host.unknown());
    AAX_IPropertyMap* map = component.NewPropertyMap();
    map->AddProperty (AAX_eProperty_PlugInID_Native, 1);
    map->AddProperty (AAX_eProperty_PlugInID_TI, 2);
    map->AddPointerProperty (AAX_eProperty_NativeProcessProc, AsData (&Process));
    host.overrideResult ("ComponentDescriptor", "AddProcessProc_Native", AAX_ERROR_INVALID_ARGUMENT);

    AAX_CSelector ids[3] = { 5, 5, 5 };
    EXPECT_EQ (component.AddProcessProc (map, ids, 3), AAX_ERROR_INVALID_ARGUMENT);
    EXPECT_EQ (ids[0], 5u);
    EXPECT_EQ (host.log().count ("AddProcessProc_TI"), 0u);
}
