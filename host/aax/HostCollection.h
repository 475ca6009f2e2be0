// The host's collection, which also answers as the plug-in definition after registration.
#pragma once

#include "AAX_IACFCollection.h"
#include "ACF/IACFPluginDefinition.h"
#include "HostDefinitionFacet.h"

namespace kalvo::aaxhost
{
class HostCollection final : public HostObject
{
public:
    explicit HostCollection (StandInHost& hostToUse);

    void* facetFor (const acfIID& iid) override;
    IACFUnknown* identity() override { return &collection; }

private:
    class Facet final : public HostDefinitionFacet<AAX_IACFCollection>
    {
    public:
        using HostDefinitionFacet::HostDefinitionFacet;
        AAX_Result AddEffect (const char* inEffectID, IACFUnknown* inEffectDescriptor) override;
        AAX_Result SetManufacturerName (const char* inName) override;
        AAX_Result AddPackageName (const char* inName) override;
        AAX_Result SetPackageVersion (uint32_t inVersion) override;
        AAX_Result SetProperties (IACFUnknown* inProperties) override;
    };

    Facet collection{ *this, 1 };
    HostDefinitionFacet<IACFPluginDefinition> pluginDefinition{ *this, 1 };
};
} // namespace kalvo::aaxhost
