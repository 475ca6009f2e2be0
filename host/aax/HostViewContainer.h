// The host's view container for one plug-in window: the native view, the modifier keys, the size
// the plug-in asks for and the parameter gestures it reports.
#pragma once

#include <mutex>
#include <set>
#include <vector>

#include "AAX_IACFViewContainer_V2.h"
#include "HostFacet.h"

namespace kalvo::aaxhost
{
class HostViewContainer final : public HostObject
{
public:
    HostViewContainer (StandInHost& hostToUse, std::set<int> offeredVersions, int32_t viewType = 0,
                       void* nativeView = nullptr);

    void* facetFor (const acfIID& iid) override;
    IACFUnknown* identity() override { return &v1; }

    void setModifiers (uint32_t modifiers);
    // Every size the plug-in asked for, in order.
    std::vector<AAX_Point> sizes() const;

private:
    class Facet final : public HostFacet<AAX_IACFViewContainer_V2>
    {
    public:
        Facet (HostViewContainer& containerToUse, int versionToUse)
            : HostFacet (containerToUse, versionToUse), container (containerToUse)
        {
        }

        int32_t GetType() override;
        void* GetPtr() override;
        AAX_Result GetModifiers (uint32_t* outModifiers) override;
        AAX_Result SetViewSize (AAX_Point& inSize) override;
        AAX_Result HandleParameterMouseDown (AAX_CParamID inParamID, uint32_t inModifiers) override;
        AAX_Result HandleParameterMouseDrag (AAX_CParamID inParamID, uint32_t inModifiers) override;
        AAX_Result HandleParameterMouseUp (AAX_CParamID inParamID, uint32_t inModifiers) override;
        AAX_Result HandleMultipleParametersMouseDown (const AAX_CParamID* inParamIDs, uint32_t inNumOfParams,
                                                      uint32_t inModifiers) override;
        AAX_Result HandleMultipleParametersMouseDrag (const AAX_CParamID* inParamIDs, uint32_t inNumOfParams,
                                                      uint32_t inModifiers) override;
        AAX_Result HandleMultipleParametersMouseUp (const AAX_CParamID* inParamIDs, uint32_t inNumOfParams,
                                                    uint32_t inModifiers) override;

    private:
        AAX_Result gesture (const char* operation, const AAX_CParamID* ids, uint32_t count,
                            uint32_t modifiers);
        HostViewContainer& container;
    };

    std::set<int> offered;
    const int32_t type;
    void* const view;
    mutable std::mutex lock;
    uint32_t currentModifiers = 0;
    std::vector<AAX_Point> requestedSizes;
    Facet v1{ *this, 1 };
    Facet v2{ *this, 2 };
};
} // namespace kalvo::aaxhost
