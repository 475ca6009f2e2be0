#include "AAX_VComponentDescriptor.h"

#include <vector>

#include "AAX_Assert.h"
#include "AAX_CHostServices.h"
#include "AAX_Errors.h"
#include "AAX_HostInterfaceAccess.h"
#include "AAX_UIDs.h"
#include "AAX_VPropertyMap.h"

namespace
{
IACFUnknown* HostUnknownOf (AAX_IPropertyMap* map)
{
    return map != nullptr ? map->GetIUnknown() : nullptr;
}

const void* PointerPropertyOrNull (const AAX_IPropertyMap& map, AAX_EProperty property)
{
    const void* value = nullptr;
    if (!map.GetPointerProperty (property, &value))
        return nullptr;
    return value;
}
} // namespace

AAX_VComponentDescriptor::AAX_VComponentDescriptor (IACFUnknown* pUnkHost)
{
    mUnkHost.retain (pUnkHost);
    if (pUnkHost == nullptr)
        return;

    AAX::CreateHostInterface (pUnkHost, AAXCompID_AAXComponentDescriptor, IID_IAAXComponentDescriptorV1,
                              mIACFComponentDescriptor);
    if (mIACFComponentDescriptor)
    {
        AAX::QueryHostInterface (mIACFComponentDescriptor.get(), IID_IAAXComponentDescriptorV2,
                                 mIACFComponentDescriptorV2);
        AAX::QueryHostInterface (mIACFComponentDescriptor.get(), IID_IAAXComponentDescriptorV3,
                                 mIACFComponentDescriptorV3);
    }
}

AAX_VComponentDescriptor::~AAX_VComponentDescriptor()
{
    mPropertyMaps.clear();
    mIACFComponentDescriptorV3.reset();
    mIACFComponentDescriptorV2.reset();
    mIACFComponentDescriptor.reset();
    mUnkHost.reset();
}

const std::set<AAX_EProperty>& AAX_VComponentDescriptor::PointerPropertiesUsedByAddProcessProc()
{
    static const std::set<AAX_EProperty> properties{
        AAX_eProperty_NativeProcessProc,    AAX_eProperty_NativeInstanceInitProc,
        AAX_eProperty_NativeBackgroundProc, AAX_eProperty_TIDLLFileName,
        AAX_eProperty_TIProcessProc,        AAX_eProperty_TIInstanceInitProc,
        AAX_eProperty_TIBackgroundProc
    };
    return properties;
}

IACFUnknown* AAX_VComponentDescriptor::GetIUnknown() const
{
    return mIACFComponentDescriptor.get();
}

AAX_Result AAX_VComponentDescriptor::Clear()
{
    if (!mIACFComponentDescriptor)
        return AAX_ERROR_NULL_OBJECT;
    return mIACFComponentDescriptor->Clear();
}

AAX_Result AAX_VComponentDescriptor::AddAudioIn (AAX_CFieldIndex inFieldIndex)
{
    if (!mIACFComponentDescriptor)
        return AAX_ERROR_NULL_OBJECT;
    return mIACFComponentDescriptor->AddAudioIn (inFieldIndex);
}

AAX_Result AAX_VComponentDescriptor::AddAudioOut (AAX_CFieldIndex inFieldIndex)
{
    if (!mIACFComponentDescriptor)
        return AAX_ERROR_NULL_OBJECT;
    return mIACFComponentDescriptor->AddAudioOut (inFieldIndex);
}

AAX_Result AAX_VComponentDescriptor::AddAudioBufferLength (AAX_CFieldIndex inFieldIndex)
{
    if (!mIACFComponentDescriptor)
        return AAX_ERROR_NULL_OBJECT;
    return mIACFComponentDescriptor->AddAudioBufferLength (inFieldIndex);
}

AAX_Result AAX_VComponentDescriptor::AddSampleRate (AAX_CFieldIndex inFieldIndex)
{
    if (!mIACFComponentDescriptor)
        return AAX_ERROR_NULL_OBJECT;
    return mIACFComponentDescriptor->AddSampleRate (inFieldIndex);
}

AAX_Result AAX_VComponentDescriptor::AddClock (AAX_CFieldIndex inFieldIndex)
{
    if (!mIACFComponentDescriptor)
        return AAX_ERROR_NULL_OBJECT;
    return mIACFComponentDescriptor->AddClock (inFieldIndex);
}

AAX_Result AAX_VComponentDescriptor::AddSideChainIn (AAX_CFieldIndex inFieldIndex)
{
    if (!mIACFComponentDescriptor)
        return AAX_ERROR_NULL_OBJECT;
    return mIACFComponentDescriptor->AddSideChainIn (inFieldIndex);
}

AAX_Result AAX_VComponentDescriptor::AddDataInPort (AAX_CFieldIndex inFieldIndex, uint32_t inPacketSize,
                                                    AAX_EDataInPortType inPortType)
{
    if (!mIACFComponentDescriptor)
        return AAX_ERROR_NULL_OBJECT;
    return mIACFComponentDescriptor->AddDataInPort (inFieldIndex, inPacketSize, inPortType);
}

AAX_Result AAX_VComponentDescriptor::AddAuxOutputStem (AAX_CFieldIndex inFieldIndex, int32_t inStemFormat,
                                                       const char inNameUTF8[])
{
    if (!mIACFComponentDescriptor)
        return AAX_ERROR_NULL_OBJECT;
    return mIACFComponentDescriptor->AddAuxOutputStem (inFieldIndex, inStemFormat, inNameUTF8);
}

AAX_Result AAX_VComponentDescriptor::AddPrivateData (AAX_CFieldIndex inFieldIndex, int32_t inDataSize,
                                                     uint32_t inOptions)
{
    if (!mIACFComponentDescriptor)
        return AAX_ERROR_NULL_OBJECT;
    return mIACFComponentDescriptor->AddPrivateData (inFieldIndex, inDataSize, inOptions);
}

AAX_Result AAX_VComponentDescriptor::AddTemporaryData (AAX_CFieldIndex inFieldIndex,
                                                       uint32_t inDataElementSize)
{
    if (!mIACFComponentDescriptorV2)
        return AAX_ERROR_UNIMPLEMENTED;
    return mIACFComponentDescriptorV2->AddTemporaryData (inFieldIndex, inDataElementSize);
}

AAX_Result AAX_VComponentDescriptor::AddDmaInstance (AAX_CFieldIndex inFieldIndex, AAX_EDmaMode inDmaMode)
{
    if (!mIACFComponentDescriptor)
        return AAX_ERROR_NULL_OBJECT;
    return mIACFComponentDescriptor->AddDmaInstance (inFieldIndex, inDmaMode);
}

AAX_Result AAX_VComponentDescriptor::AddMeters (AAX_CFieldIndex inFieldIndex, const AAX_CTypeID* inMeterIDs,
                                                uint32_t inMeterCount)
{
    if (!mIACFComponentDescriptor)
        return AAX_ERROR_NULL_OBJECT;
    return mIACFComponentDescriptor->AddMeters (inFieldIndex, inMeterIDs, inMeterCount);
}

AAX_Result AAX_VComponentDescriptor::AddMIDINode (AAX_CFieldIndex inFieldIndex, AAX_EMIDINodeType inNodeType,
                                                  const char inNodeName[], uint32_t inChannelMask)
{
    if (!mIACFComponentDescriptor)
        return AAX_ERROR_NULL_OBJECT;
    return mIACFComponentDescriptor->AddMIDINode (inFieldIndex, inNodeType, inNodeName, inChannelMask);
}

AAX_Result AAX_VComponentDescriptor::AddReservedField (AAX_CFieldIndex inFieldIndex, uint32_t inFieldType)
{
    if (!mIACFComponentDescriptor)
        return AAX_ERROR_NULL_OBJECT;
    return mIACFComponentDescriptor->AddReservedField (inFieldIndex, inFieldType);
}

AAX_IPropertyMap* AAX_VComponentDescriptor::NewPropertyMap()
{
    mPropertyMaps.emplace_back (AAX_VPropertyMap::Create (mUnkHost.get()));
    return mPropertyMaps.back().get();
}

AAX_IPropertyMap* AAX_VComponentDescriptor::DuplicatePropertyMap (AAX_IPropertyMap* inPropertyMap)
{
    AAX_IPropertyMap* const copy = NewPropertyMap();
    if (copy == nullptr || inPropertyMap == nullptr)
        return copy;

    for (int32_t number = AAX_eProperty_MinProp; number <= AAX_eProperty_MaxProp; ++number)
    {
        const auto property = static_cast<AAX_EProperty> (number);
        AAX_CPropertyValue value = 0;
        const void* pointer = nullptr;
        if (inPropertyMap->GetProperty (property, &value))
            copy->AddProperty (property, value);
        else if (inPropertyMap->GetPointerProperty (property, &pointer))
            copy->AddPointerProperty (property, pointer);
    }
    return copy;
}

AAX_Result AAX_VComponentDescriptor::AddProcessProc_Native (AAX_CProcessProc inProcessProc,
                                                            AAX_IPropertyMap* inProperties,
                                                            AAX_CInstanceInitProc inInstanceInitProc,
                                                            AAX_CBackgroundProc inBackgroundProc,
                                                            AAX_CSelector* outProcID)
{
    if (!mIACFComponentDescriptor)
        return AAX_ERROR_NULL_OBJECT;
    return mIACFComponentDescriptor->AddProcessProc_Native (inProcessProc, HostUnknownOf (inProperties),
                                                            inInstanceInitProc, inBackgroundProc, outProcID);
}

AAX_Result AAX_VComponentDescriptor::AddProcessProc_TI (
    const char inDLLFileNameUTF8[], const char inProcessProcSymbol[], AAX_IPropertyMap* inProperties,
    const char inInstanceInitProcSymbol[], const char inBackgroundProcSymbol[], AAX_CSelector* outProcID)
{
    if (!mIACFComponentDescriptor)
        return AAX_ERROR_NULL_OBJECT;
    return mIACFComponentDescriptor->AddProcessProc_TI (
        inDLLFileNameUTF8, inProcessProcSymbol, HostUnknownOf (inProperties), inInstanceInitProcSymbol,
        inBackgroundProcSymbol, outProcID);
}

AAX_Result AAX_VComponentDescriptor::AddProcessProc (AAX_IPropertyMap* inProperties,
                                                     AAX_CSelector* outProcIDs, int32_t inProcIDsSize)
{
    if (mIACFComponentDescriptorV3)
        return mIACFComponentDescriptorV3->AddProcessProc (HostUnknownOf (inProperties), outProcIDs,
                                                           inProcIDsSize);
    if (inProperties == nullptr || !mIACFComponentDescriptor)
        return AAX_ERROR_NULL_OBJECT;
    return ManuallyAddProcessProcs (*inProperties, outProcIDs, inProcIDsSize);
}

AAX_Result AAX_VComponentDescriptor::ManuallyAddProcessProcs (AAX_IPropertyMap& inProperties,
                                                              AAX_CSelector* outProcIDs,
                                                              int32_t inProcIDsSize)
{
    std::vector<AAX_CSelector> procIDs;
    AAX_Result result = AAX_SUCCESS;

    AAX_CPropertyValue ignored = 0;
    const bool hasNative = inProperties.GetProperty (AAX_eProperty_PlugInID_Native, &ignored) != 0;
    const bool hasAudioSuite = inProperties.GetProperty (AAX_eProperty_PlugInID_AudioSuite, &ignored) != 0;
    const bool hasTI = inProperties.GetProperty (AAX_eProperty_PlugInID_TI, &ignored) != 0;

    if (hasNative || hasAudioSuite)
    {
        const void* processProc = PointerPropertyOrNull (inProperties, AAX_eProperty_NativeProcessProc);
        if (processProc == nullptr)
            AAX_CHostServices::Trace (
                AAX_eTracePriorityHost_Critical,
                "AAX_VComponentDescriptor: ManuallyAddProcessProcs() - no value found for "
                "AAX_eProperty_NativeProcessProc");
        const void* initProc = PointerPropertyOrNull (inProperties, AAX_eProperty_NativeInstanceInitProc);
        const void* backgroundProc = PointerPropertyOrNull (inProperties, AAX_eProperty_NativeBackgroundProc);

        // The host takes the buffer length from the component, not from the native procedure's map.
        AAX_IPropertyMap* chosen = &inProperties;
        AAX_CPropertyValue bufferLength = 0;
        if (inProperties.GetProperty (AAX_eProperty_AudioBufferLength_Native, &bufferLength))
        {
            AAX_IPropertyMap* const copy = DuplicatePropertyMap (&inProperties);
            if (copy != nullptr && copy->GetIUnknown() != nullptr)
            {
                const AAX_CBoolean gotPropertySuccess =
                    copy->GetProperty (AAX_eProperty_AudioBufferLength_Native, &bufferLength);
                AAX_ASSERT (0 != gotPropertySuccess);
                if (gotPropertySuccess != 0)
                {
                    const AAX_Result removeNativeAudioBufferLengthResult =
                        copy->RemoveProperty (AAX_eProperty_AudioBufferLength_Native);
                    AAX_ASSERT (AAX_SUCCESS == removeNativeAudioBufferLengthResult);
                    chosen = copy;
                }
            }
        }

        // Procedure pointers travel through the map as plain data pointers.
        AAX_CSelector procID = 0;
        result = AddProcessProc_Native (
            reinterpret_cast<AAX_CProcessProc> (const_cast<void*> (processProc)), chosen,
            reinterpret_cast<AAX_CInstanceInitProc> (const_cast<void*> (initProc)),
            reinterpret_cast<AAX_CBackgroundProc> (const_cast<void*> (backgroundProc)), &procID);
        if (result == AAX_SUCCESS)
            procIDs.push_back (procID);
    }

    if (hasTI && result == AAX_SUCCESS)
    {
        const auto* dllName =
            static_cast<const char*> (PointerPropertyOrNull (inProperties, AAX_eProperty_TIDLLFileName));
        if (dllName == nullptr)
            AAX_CHostServices::Trace (
                AAX_eTracePriorityHost_Critical,
                "AAX_VComponentDescriptor: ManuallyAddProcessProcs() - no value found for "
                "AAX_eProperty_TIDLLFileName");
        const auto* processName =
            static_cast<const char*> (PointerPropertyOrNull (inProperties, AAX_eProperty_TIProcessProc));
        if (processName == nullptr)
            AAX_CHostServices::Trace (
                AAX_eTracePriorityHost_Critical,
                "AAX_VComponentDescriptor: ManuallyAddProcessProcs() - no value found for "
                "AAX_eProperty_TIProcessProc");
        const auto* initName =
            static_cast<const char*> (PointerPropertyOrNull (inProperties, AAX_eProperty_TIInstanceInitProc));
        const auto* backgroundName =
            static_cast<const char*> (PointerPropertyOrNull (inProperties, AAX_eProperty_TIBackgroundProc));

        AAX_CSelector procID = 0;
        result = AddProcessProc_TI (dllName, processName, &inProperties, initName, backgroundName, &procID);
        if (result == AAX_SUCCESS)
            procIDs.push_back (procID);
    }

    if (outProcIDs != nullptr && result == AAX_SUCCESS)
    {
        const size_t count = procIDs.size();
        if (count >= 0x7FFFFFFFu || inProcIDsSize < 0 || count >= static_cast<size_t> (inProcIDsSize))
            return AAX_ERROR_ARGUMENT_BUFFER_OVERFLOW;
        for (size_t i = 0; i < count; ++i)
            outProcIDs[i] = procIDs[i];
        outProcIDs[count] = 0;
    }
    return result;
}
