// The host's description of one effect, versions 1 and 2.
#pragma once

#include <map>
#include <mutex>

#include "AAX_IACFEffectDescriptor_V2.h"
#include "HostFacet.h"

namespace kalvo::aaxhost
{
class HostEffectDescriptor final : public HostObject
{
public:
    explicit HostEffectDescriptor (StandInHost& hostToUse);

    void* facetFor (const acfIID& iid) override;
    IACFUnknown* identity() override { return &v1; }

    // The procedure the plug-in registered under this identifier with AddProcPtr, or null.
    void* procPointer (AAX_CProcPtrID id) const;

private:
    class Facet final : public HostFacet<AAX_IACFEffectDescriptor_V2>
    {
    public:
        using HostFacet::HostFacet;
        AAX_Result AddComponent (IACFUnknown* inComponentDescriptor) override;
        AAX_Result AddName (const char* inPlugInName) override;
        AAX_Result AddCategory (uint32_t inCategory) override;
        AAX_Result AddCategoryBypassParameter (uint32_t inCategory, AAX_CParamID inParamID) override;
        AAX_Result AddProcPtr (void* inProcPtr, AAX_CProcPtrID inProcID) override;
        AAX_Result SetProperties (IACFUnknown* inProperties) override;
        AAX_Result AddResourceInfo (AAX_EResourceType inResourceType, const char* inInfo) override;
        AAX_Result AddMeterDescription (AAX_CTypeID inMeterID, const char* inMeterName,
                                        IACFUnknown* inProperties) override;
        AAX_Result AddControlMIDINode (AAX_CTypeID inNodeID, AAX_EMIDINodeType inNodeType,
                                       const char* inNodeName, uint32_t inChannelMask) override;
    };

    mutable std::mutex lock;
    std::map<AAX_CProcPtrID, void*> procPointers;
    Facet v1{ *this, 1 };
    Facet v2{ *this, 2 };
};
} // namespace kalvo::aaxhost
