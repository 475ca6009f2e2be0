// The host's property map, versions 1 to 3; optionally also the description services.
#pragma once

#include <map>
#include <mutex>
#include <utility>
#include <vector>

#include "AAX_IACFDescriptionHost.h"
#include "AAX_IACFPropertyMap_V3.h"
#include "HostFacet.h"

namespace kalvo::aaxhost
{
class HostPropertyMap final : public HostObject
{
public:
    explicit HostPropertyMap (StandInHost& hostToUse);
    // A map the host fills itself (a feature's properties).
    HostPropertyMap (StandInHost& hostToUse, const std::map<int32_t, int32_t>& initial);

    void* facetFor (const acfIID& iid) override;
    IACFUnknown* identity() override { return &v1; }

    bool hasProperty (int32_t property) const;
    // Integer properties in the order they were added (an added property replaces an earlier one
    // of the same number in place).
    std::vector<std::pair<int32_t, int32_t>> propertiesInOrder() const;
    std::map<int32_t, const void*> pointerProperties() const;

private:
    class Facet final : public HostFacet<AAX_IACFPropertyMap_V3>
    {
    public:
        using HostFacet::HostFacet;
        AAX_CBoolean GetProperty (AAX_EProperty inProperty, AAX_CPropertyValue* outValue) override;
        AAX_Result AddProperty (AAX_EProperty inProperty, AAX_CPropertyValue inValue) override;
        AAX_Result RemoveProperty (AAX_EProperty inProperty) override;
        AAX_Result AddPropertyWithIDArray (AAX_EProperty inProperty,
                                           const AAX_SPlugInIdentifierTriad* inPluginIDs,
                                           uint32_t inNumPluginIDs) override;
        AAX_CBoolean GetPropertyWithIDArray (AAX_EProperty inProperty,
                                             const AAX_SPlugInIdentifierTriad** outPluginIDs,
                                             uint32_t* outNumPluginIDs) override;
        AAX_CBoolean GetPointerProperty (AAX_EProperty inProperty, const void** outValue) override;
        AAX_Result AddPointerProperty (AAX_EProperty inProperty, const void* inValue) override;

    private:
        HostPropertyMap& map() { return static_cast<HostPropertyMap&> (owner); }
    };

    class DescriptionHost final : public HostFacet<AAX_IACFDescriptionHost>
    {
    public:
        using HostFacet::HostFacet;
        AAX_Result AcquireFeatureProperties (const acfUID& inFeatureID,
                                             IACFUnknown** outFeatureProperties) override;
    };

    mutable std::mutex lock;
    std::vector<std::pair<int32_t, int32_t>> values;
    std::map<int32_t, const void*> pointers;
    std::map<int32_t, std::vector<AAX_SPlugInIdentifierTriad>> triads;

    Facet v1{ *this, 1 };
    Facet v2{ *this, 2 };
    Facet v3{ *this, 3 };
    DescriptionHost descriptionHost{ *this, 1 };
};
} // namespace kalvo::aaxhost
