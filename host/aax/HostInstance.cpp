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
