// What the host tells about one feature: its support level and, optionally, a property map.
#pragma once

#include "AAX_IACFFeatureInfo.h"
#include "HostFacet.h"
#include "HostFeature.h"

namespace kalvo::aaxhost
{
class HostFeatureInfo final : public HostObject
{
public:
    HostFeatureInfo (StandInHost& hostToUse, HostFeature featureToDescribe);

    void* facetFor (const acfIID& iid) override;
    IACFUnknown* identity() override { return &v1; }

private:
    class Facet final : public HostFacet<AAX_IACFFeatureInfo>
    {
    public:
        using HostFacet::HostFacet;
        AAX_Result SupportLevel (AAX_ESupportLevel* outSupportLevel) override;
        AAX_Result AcquireProperties (IACFUnknown** outProperties) override;
    };

    HostFeature feature;
    Facet v1{ *this, 1 };
};
} // namespace kalvo::aaxhost
