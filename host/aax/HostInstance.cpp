#include "HostInstance.h"

#include "AAX_UIDs.h"
#include "HostCallLog.h"
#include "HostPageTable.h"
#include "InterfaceNames.h"
#include "StandInHost.h"

namespace kalvo::aaxhost
{
HostInstance::HostInstance (StandInHost& hostToUse, InstanceVersions offeredVersions)
    : HostObject (hostToUse, "Instance"), offered (std::move (offeredVersions))
{
}

void* HostInstance::facetFor (const acfIID& iid)
{
    if (iid == IID_IACFUnknown)
        return identity();
    if (iid == IID_IACFComponentFactory)
        return offered.componentFactory ? static_cast<IACFComponentFactory*> (&factory) : nullptr;
    if (auto* facet = controllerState.facetFor (iid, offered.controller))
        return facet;
    if (auto* facet = pageTableState.facetFor (iid, offered.pageTableController))
        return facet;
    if (auto* facet = automationState.facetFor (iid, offered.automationDelegate))
        return facet;
    return transportState.facetFor (iid, offered.transport);
}

IACFUnknown* HostInstance::foreignFor (const acfIID& iid)
{
    return iid == IID_IAAXEffectParametersV1 ? effectParameters : nullptr;
}

int HostInstance::replaySetValueRequests (AAX_IACFEffectParameters& target, AAX_EUpdateSource source)
{
    int replayed = 0;
    for (const auto& request : automationState.takeSetValueRequests())
    {
        target.UpdateParameterNormalizedValue (request.parameterID, request.value, source);
        ++replayed;
    }
    return replayed;
}

ACFRESULT HostInstance::Factory::CreateComponent (const acfCLSID& clsid, IACFUnknown* pUnkOuter,
                                                  const acfIID& iid, void** ppOut)
{
    owner.record (version, "CreateComponent",
                  { InterfaceName (clsid), HostCallLog::pointer (pUnkOuter), InterfaceName (iid) });
    if (ppOut == nullptr)
        return ACF_E_POINTER;

    auto& standIn = owner.standInHost();
    HostObject* created = nullptr;
    if (clsid == AAXCompID_PageTable)
        created = &standIn.make<HostPageTable> (instance.offered.pageTable);
    else
        created = standIn.createComponent (clsid);
    if (created == nullptr)
    {
        *ppOut = nullptr;
        return ACF_E_NOINTERFACE;
    }
    return created->answer (iid, ppOut, true);
}
} // namespace kalvo::aaxhost
