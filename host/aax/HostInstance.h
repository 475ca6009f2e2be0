// The host unknown that the host hands to one plug-in instance (its Initialize): it answers the
// controller, page-table controller, automation, transport and component-factory queries, each in
// the versions the test offers, and makes page tables through its factory. All its interfaces
// share one reference count.
#pragma once

#include "AAX_IACFEffectParameters.h"
#include "ACF/IACFComponentFactory.h"
#include "HostAutomationDelegate.h"
#include "HostController.h"
#include "HostFacet.h"
#include "HostPageTableController.h"
#include "HostTransport.h"
#include "InstanceVersions.h"

namespace kalvo::aaxhost
{
class HostInstance final : public HostObject
{
public:
    explicit HostInstance (StandInHost& hostToUse,
                           InstanceVersions offeredVersions = InstanceVersions::all());

    void* facetFor (const acfIID& iid) override;
    IACFUnknown* identity() override { return &unknownFacet; }
    IACFUnknown* foreignFor (const acfIID& iid) override;

    // As the GUI object's host unknown: the object that answers the effect-parameters query (the
    // instance's own, or any other for a test), handed out with one reference of its own; null
    // answers nothing. The host holds no reference to it.
    void setEffectParameters (IACFUnknown* object) noexcept { effectParameters = object; }

    // Sends every queued set-value request back as the host's confirmed value, oldest first, as a
    // host does after automation; other queued posts are taken too. Returns the number replayed.
    int replaySetValueRequests (AAX_IACFEffectParameters& target,
                                AAX_EUpdateSource source = AAX_eUpdateSource_Parameter);

    // What this instance's host offers; change before the plug-in asks.
    InstanceVersions& versions() noexcept { return offered; }

    HostController& controller() noexcept { return controllerState; }
    HostPageTableController& pageTables() noexcept { return pageTableState; }
    HostAutomationDelegate& automation() noexcept { return automationState; }
    HostTransport& transport() noexcept { return transportState; }

private:
    class Factory final : public HostFacet<IACFComponentFactory>
    {
    public:
        Factory (HostInstance& instanceToUse, int versionToUse)
            : HostFacet (instanceToUse, versionToUse), instance (instanceToUse)
        {
        }
        ACFRESULT CreateComponent (const acfCLSID& clsid, IACFUnknown* pUnkOuter, const acfIID& iid,
                                   void** ppOut) override;

    private:
        HostInstance& instance;
    };

    InstanceVersions offered;
    IACFUnknown* effectParameters = nullptr;
    HostFacet<IACFUnknown> unknownFacet{ *this, 1 };
    Factory factory{ *this, 1 };
    HostController controllerState{ *this };
    HostPageTableController pageTableState{ *this };
    HostAutomationDelegate automationState{ *this };
    HostTransport transportState{ *this };
};
} // namespace kalvo::aaxhost
