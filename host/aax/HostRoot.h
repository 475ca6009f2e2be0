// The host unknown: the component factory, the description services and the host's definition.
#pragma once

#include "AAX_IACFDescriptionHost.h"
#include "ACF/IACFComponentFactory.h"
#include "ACF/IACFDefinition.h"
#include "HostDefinitionFacet.h"

namespace kalvo::aaxhost
{
class HostRoot final : public HostObject
{
public:
    explicit HostRoot (StandInHost& hostToUse);

    void* facetFor (const acfIID& iid) override;
    IACFUnknown* identity() override { return &factory; }

private:
    class Factory final : public HostFacet<IACFComponentFactory>
    {
    public:
        using HostFacet::HostFacet;
        ACFRESULT CreateComponent (const acfCLSID& clsid, IACFUnknown* pUnkOuter, const acfIID& iid,
                                   void** ppOut) override;
    };

    class DescriptionHost final : public HostFacet<AAX_IACFDescriptionHost>
    {
    public:
        using HostFacet::HostFacet;
        AAX_Result AcquireFeatureProperties (const acfUID& inFeatureID,
                                             IACFUnknown** outFeatureProperties) override;
    };

    Factory factory{ *this, 1 };
    DescriptionHost descriptionHost{ *this, 1 };
    HostDefinitionFacet<IACFDefinition> definition{ *this, 1 };
};
} // namespace kalvo::aaxhost
