#include "HostEffectDescriptor.h"

#include "AAX_Errors.h"
#include "AAX_UIDs.h"
#include "HostCallLog.h"
#include "StandInHost.h"

namespace kalvo::aaxhost
{
HostEffectDescriptor::HostEffectDescriptor (StandInHost& hostToUse)
    : HostObject (hostToUse, "EffectDescriptor")
{
}

void* HostEffectDescriptor::facetFor (const acfIID& iid)
{
    const auto& offered = host.versions().effectDescriptor;
    if (iid == IID_IACFUnknown)
        return identity();
    if (iid == IID_IAAXEffectDescriptorV1 && offered.count (1) != 0)
        return static_cast<AAX_IACFEffectDescriptor*> (&v1);
    if (iid == IID_IAAXEffectDescriptorV2 && offered.count (2) != 0)
        return static_cast<AAX_IACFEffectDescriptor_V2*> (&v2);
    return nullptr;
}

void* HostEffectDescriptor::procPointer (AAX_CProcPtrID id) const
{
    const std::lock_guard<std::mutex> guard (lock);
    const auto found = procPointers.find (id);
    return found != procPointers.end() ? found->second : nullptr;
}

AAX_Result HostEffectDescriptor::Facet::AddComponent (IACFUnknown* inComponentDescriptor)
{
    owner.record (version, "AddComponent", { owner.standInHost().labelOf (inComponentDescriptor) });
    return AAX_SUCCESS;
}

AAX_Result HostEffectDescriptor::Facet::AddName (const char* inPlugInName)
{
    owner.record (version, "AddName", { HostCallLog::text (inPlugInName) });
    return AAX_SUCCESS;
}

AAX_Result HostEffectDescriptor::Facet::AddCategory (uint32_t inCategory)
{
    owner.record (version, "AddCategory", { HostCallLog::hex (inCategory) });
    return AAX_SUCCESS;
}

AAX_Result HostEffectDescriptor::Facet::AddCategoryBypassParameter (uint32_t inCategory,
                                                                    AAX_CParamID inParamID)
{
    owner.record (version, "AddCategoryBypassParameter",
                  { HostCallLog::hex (inCategory), HostCallLog::text (inParamID) });
    return AAX_SUCCESS;
}

AAX_Result HostEffectDescriptor::Facet::AddProcPtr (void* inProcPtr, AAX_CProcPtrID inProcID)
{
    owner.record (version, "AddProcPtr",
                  { HostCallLog::pointer (inProcPtr), HostCallLog::number (inProcID) });
    auto& descriptor = static_cast<HostEffectDescriptor&> (owner);
    const std::lock_guard<std::mutex> guard (descriptor.lock);
    descriptor.procPointers[inProcID] = inProcPtr;
    return AAX_SUCCESS;
}

AAX_Result HostEffectDescriptor::Facet::SetProperties (IACFUnknown* inProperties)
{
    owner.record (version, "SetProperties", { owner.standInHost().labelOf (inProperties) });
    return AAX_SUCCESS;
}

AAX_Result HostEffectDescriptor::Facet::AddResourceInfo (AAX_EResourceType inResourceType, const char* inInfo)
{
    owner.record (version, "AddResourceInfo",
                  { HostCallLog::number (inResourceType), HostCallLog::text (inInfo) });
    return AAX_SUCCESS;
}

AAX_Result HostEffectDescriptor::Facet::AddMeterDescription (AAX_CTypeID inMeterID, const char* inMeterName,
                                                             IACFUnknown* inProperties)
{
    owner.record (version, "AddMeterDescription",
                  { HostCallLog::hex (inMeterID), HostCallLog::text (inMeterName),
                    owner.standInHost().labelOf (inProperties) });
    return AAX_SUCCESS;
}

AAX_Result HostEffectDescriptor::Facet::AddControlMIDINode (AAX_CTypeID inNodeID,
                                                            AAX_EMIDINodeType inNodeType,
                                                            const char* inNodeName, uint32_t inChannelMask)
{
    owner.record (version, "AddControlMIDINode",
                  { HostCallLog::hex (inNodeID), HostCallLog::number (inNodeType),
                    HostCallLog::text (inNodeName), HostCallLog::hex (inChannelMask) });
    return AAX_SUCCESS;
}
} // namespace kalvo::aaxhost
