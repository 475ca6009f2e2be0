#include "HostViewContainer.h"

#include <cstdio>

#include "AAX_Errors.h"
#include "AAX_UIDs.h"
#include "HostCallLog.h"

namespace kalvo::aaxhost
{
HostViewContainer::HostViewContainer (StandInHost& hostToUse, std::set<int> offeredVersions, int32_t viewType,
                                      void* nativeView)
    : HostObject (hostToUse, "ViewContainer"), offered (std::move (offeredVersions)), type (viewType),
      view (nativeView)
{
}

void* HostViewContainer::facetFor (const acfIID& iid)
{
    if (iid == IID_IACFUnknown)
        return identity();
    if (iid == IID_IAAXViewContainerV1 && offered.count (1) != 0)
        return static_cast<AAX_IACFViewContainer*> (&v1);
    if (iid == IID_IAAXViewContainerV2 && offered.count (2) != 0)
        return static_cast<AAX_IACFViewContainer_V2*> (&v2);
    return nullptr;
}

void HostViewContainer::setModifiers (uint32_t modifiers)
{
    const std::lock_guard<std::mutex> guard (lock);
    currentModifiers = modifiers;
}

std::vector<AAX_Point> HostViewContainer::sizes() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return requestedSizes;
}

int32_t HostViewContainer::Facet::GetType()
{
    owner.record (version, "GetType");
    return container.type;
}

void* HostViewContainer::Facet::GetPtr()
{
    owner.record (version, "GetPtr");
    return container.view;
}

AAX_Result HostViewContainer::Facet::GetModifiers (uint32_t* outModifiers)
{
    owner.record (version, "GetModifiers");
    if (outModifiers == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    const std::lock_guard<std::mutex> guard (container.lock);
    *outModifiers = container.currentModifiers;
    return AAX_SUCCESS;
}

AAX_Result HostViewContainer::Facet::SetViewSize (AAX_Point& inSize)
{
    char text[64];
    std::snprintf (text, sizeof (text), "%gx%g", static_cast<double> (inSize.horz),
                   static_cast<double> (inSize.vert));
    owner.record (version, "SetViewSize", { text });
    const std::lock_guard<std::mutex> guard (container.lock);
    container.requestedSizes.push_back (inSize);
    return AAX_SUCCESS;
}

AAX_Result HostViewContainer::Facet::HandleParameterMouseDown (AAX_CParamID inParamID, uint32_t inModifiers)
{
    return gesture ("HandleParameterMouseDown", &inParamID, 1, inModifiers);
}

AAX_Result HostViewContainer::Facet::HandleParameterMouseDrag (AAX_CParamID inParamID, uint32_t inModifiers)
{
    return gesture ("HandleParameterMouseDrag", &inParamID, 1, inModifiers);
}

AAX_Result HostViewContainer::Facet::HandleParameterMouseUp (AAX_CParamID inParamID, uint32_t inModifiers)
{
    return gesture ("HandleParameterMouseUp", &inParamID, 1, inModifiers);
}

AAX_Result HostViewContainer::Facet::HandleMultipleParametersMouseDown (const AAX_CParamID* inParamIDs,
                                                                        uint32_t inNumOfParams,
                                                                        uint32_t inModifiers)
{
    return gesture ("HandleMultipleParametersMouseDown", inParamIDs, inNumOfParams, inModifiers);
}

AAX_Result HostViewContainer::Facet::HandleMultipleParametersMouseDrag (const AAX_CParamID* inParamIDs,
                                                                        uint32_t inNumOfParams,
                                                                        uint32_t inModifiers)
{
    return gesture ("HandleMultipleParametersMouseDrag", inParamIDs, inNumOfParams, inModifiers);
}

AAX_Result HostViewContainer::Facet::HandleMultipleParametersMouseUp (const AAX_CParamID* inParamIDs,
                                                                      uint32_t inNumOfParams,
                                                                      uint32_t inModifiers)
{
    return gesture ("HandleMultipleParametersMouseUp", inParamIDs, inNumOfParams, inModifiers);
}

AAX_Result HostViewContainer::Facet::gesture (const char* operation, const AAX_CParamID* ids, uint32_t count,
                                              uint32_t modifiers)
{
    std::vector<std::string> args;
    for (uint32_t i = 0; ids != nullptr && i < count; ++i)
        args.push_back (HostCallLog::text (ids[i]));
    args.push_back (HostCallLog::hex (modifiers));
    owner.record (version, operation, std::move (args));
    return ids == nullptr && count != 0 ? AAX_ERROR_NULL_ARGUMENT : AAX_SUCCESS;
}
} // namespace kalvo::aaxhost
