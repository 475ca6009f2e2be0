#include "HostRoot.h"

#include "AAX_UIDs.h"
#include "HostCallLog.h"
#include "StandInHost.h"

namespace kalvo::aaxhost
{
HostRoot::HostRoot (StandInHost& hostToUse) : HostObject (hostToUse, "Host")
{
    keptByHost = true;
}

void* HostRoot::facetFor (const acfIID& iid)
{
    const auto& offered = host.versions();
    if (iid == IID_IACFUnknown)
        return identity();
    if (iid == IID_IACFComponentFactory && offered.componentFactory)
        return static_cast<IACFComponentFactory*> (&factory);
    if (iid == IID_IAAXDescriptionHostV1 && offered.descriptionHost)
        return static_cast<AAX_IACFDescriptionHost*> (&descriptionHost);
    if (iid == IID_IACFDefinition && offered.hostDefinition)
        return static_cast<IACFDefinition*> (&definition);
    return nullptr;
}

ACFRESULT HostRoot::Factory::CreateComponent (const acfCLSID& clsid, IACFUnknown* pUnkOuter,
                                              const acfIID& iid, void** ppOut)
{
    owner.record (version, "CreateComponent",
                  { InterfaceName (clsid), HostCallLog::pointer (pUnkOuter), InterfaceName (iid) },
                  HostCall::Kind::Query);
    if (ppOut == nullptr)
        return ACF_E_POINTER;

    HostObject* created = owner.standInHost().createComponent (clsid);
    if (created == nullptr)
    {
        *ppOut = nullptr;
        return ACF_E_NOINTERFACE;
    }
    return created->answer (iid, ppOut, true);
}

AAX_Result HostRoot::DescriptionHost::AcquireFeatureProperties (const acfUID& inFeatureID,
                                                                IACFUnknown** outFeatureProperties)
{
    owner.record (version, "AcquireFeatureProperties", { InterfaceName (inFeatureID) });
    return owner.standInHost().acquireFeature (inFeatureID, outFeatureProperties);
}
} // namespace kalvo::aaxhost
