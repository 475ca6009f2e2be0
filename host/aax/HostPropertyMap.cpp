#include "HostPropertyMap.h"

#include <algorithm>

#include "AAX_Errors.h"
#include "AAX_UIDs.h"
#include "HostCallLog.h"
#include "InterfaceNames.h"
#include "StandInHost.h"

namespace kalvo::aaxhost
{
HostPropertyMap::HostPropertyMap (StandInHost& hostToUse) : HostObject (hostToUse, "PropertyMap") {}

HostPropertyMap::HostPropertyMap (StandInHost& hostToUse, const std::map<int32_t, int32_t>& initial)
    : HostObject (hostToUse, "PropertyMap"), values (initial.begin(), initial.end())
{
}

void* HostPropertyMap::facetFor (const acfIID& iid)
{
    const auto& offered = host.versions();
    if (iid == IID_IACFUnknown)
        return identity();
    if (iid == IID_IAAXPropertyMapV1 && offered.propertyMap.count (1) != 0)
        return static_cast<AAX_IACFPropertyMap*> (&v1);
    if (iid == IID_IAAXPropertyMapV2 && offered.propertyMap.count (2) != 0)
        return static_cast<AAX_IACFPropertyMap_V2*> (&v2);
    if (iid == IID_IAAXPropertyMapV3 && offered.propertyMap.count (3) != 0)
        return static_cast<AAX_IACFPropertyMap_V3*> (&v3);
    if (iid == IID_IAAXDescriptionHostV1 && offered.propertyMapDescriptionHost)
        return static_cast<AAX_IACFDescriptionHost*> (&descriptionHost);
    return nullptr;
}

bool HostPropertyMap::hasProperty (int32_t property) const
{
    const std::lock_guard<std::mutex> guard (lock);
    return std::any_of (values.begin(), values.end(),
                        [property] (const auto& v) { return v.first == property; });
}

std::vector<std::pair<int32_t, int32_t>> HostPropertyMap::propertiesInOrder() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return values;
}

std::map<int32_t, const void*> HostPropertyMap::pointerProperties() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return pointers;
}

AAX_CBoolean HostPropertyMap::Facet::GetProperty (AAX_EProperty inProperty, AAX_CPropertyValue* outValue)
{
    owner.record (version, "GetProperty", { HostCallLog::number (inProperty) });
    if (const auto overridden = owner.overriddenResult ("GetProperty"))
        return *overridden != 0;
    auto& self = map();
    const std::lock_guard<std::mutex> guard (self.lock);
    for (const auto& value : self.values)
    {
        if (value.first == inProperty)
        {
            if (outValue != nullptr)
                *outValue = value.second;
            return true;
        }
    }
    return false;
}

AAX_Result HostPropertyMap::Facet::AddProperty (AAX_EProperty inProperty, AAX_CPropertyValue inValue)
{
    owner.record (version, "AddProperty",
                  { HostCallLog::number (inProperty), HostCallLog::hex (static_cast<uint32_t> (inValue)) });
    if (const auto overridden = owner.overriddenResult ("AddProperty"))
        return *overridden;
    auto& self = map();
    const std::lock_guard<std::mutex> guard (self.lock);
    for (auto& value : self.values)
    {
        if (value.first == inProperty)
        {
            value.second = inValue;
            return AAX_SUCCESS;
        }
    }
    self.values.emplace_back (inProperty, inValue);
    return AAX_SUCCESS;
}

AAX_Result HostPropertyMap::Facet::RemoveProperty (AAX_EProperty inProperty)
{
    owner.record (version, "RemoveProperty", { HostCallLog::number (inProperty) });
    if (const auto overridden = owner.overriddenResult ("RemoveProperty"))
        return *overridden;
    auto& self = map();
    const std::lock_guard<std::mutex> guard (self.lock);
    const auto found = std::find_if (self.values.begin(), self.values.end(),
                                     [inProperty] (const auto& v) { return v.first == inProperty; });
    if (found == self.values.end())
        return AAX_ERROR_PROPERTY_UNDEFINED;
    self.values.erase (found);
    return AAX_SUCCESS;
}

AAX_Result HostPropertyMap::Facet::AddPropertyWithIDArray (AAX_EProperty inProperty,
                                                           const AAX_SPlugInIdentifierTriad* inPluginIDs,
                                                           uint32_t inNumPluginIDs)
{
    owner.record (version, "AddPropertyWithIDArray",
                  { HostCallLog::number (inProperty), HostCallLog::number (inNumPluginIDs) });
    if (inPluginIDs == nullptr && inNumPluginIDs != 0)
        return AAX_ERROR_NULL_ARGUMENT;
    auto& self = map();
    const std::lock_guard<std::mutex> guard (self.lock);
    self.triads[inProperty].assign (inPluginIDs, inPluginIDs + inNumPluginIDs);
    return AAX_SUCCESS;
}

AAX_CBoolean HostPropertyMap::Facet::GetPropertyWithIDArray (AAX_EProperty inProperty,
                                                             const AAX_SPlugInIdentifierTriad** outPluginIDs,
                                                             uint32_t* outNumPluginIDs)
{
    owner.record (version, "GetPropertyWithIDArray", { HostCallLog::number (inProperty) });
    auto& self = map();
    const std::lock_guard<std::mutex> guard (self.lock);
    const auto found = self.triads.find (inProperty);
    if (found == self.triads.end())
        return false;
    if (outPluginIDs != nullptr)
        *outPluginIDs = found->second.data();
    if (outNumPluginIDs != nullptr)
        *outNumPluginIDs = static_cast<uint32_t> (found->second.size());
    return true;
}

AAX_CBoolean HostPropertyMap::Facet::GetPointerProperty (AAX_EProperty inProperty, const void** outValue)
{
    owner.record (version, "GetPointerProperty", { HostCallLog::number (inProperty) });
    if (const auto overridden = owner.overriddenResult ("GetPointerProperty"))
        return *overridden != 0;
    auto& self = map();
    const std::lock_guard<std::mutex> guard (self.lock);
    const auto found = self.pointers.find (inProperty);
    if (found == self.pointers.end())
        return false;
    if (outValue != nullptr)
        *outValue = found->second;
    return true;
}

AAX_Result HostPropertyMap::Facet::AddPointerProperty (AAX_EProperty inProperty, const void* inValue)
{
    owner.record (version, "AddPointerProperty",
                  { HostCallLog::number (inProperty), HostCallLog::pointer (inValue) });
    if (const auto overridden = owner.overriddenResult ("AddPointerProperty"))
        return *overridden;
    auto& self = map();
    const std::lock_guard<std::mutex> guard (self.lock);
    self.pointers[inProperty] = inValue;
    return AAX_SUCCESS;
}

AAX_Result HostPropertyMap::DescriptionHost::AcquireFeatureProperties (const acfUID& inFeatureID,
                                                                       IACFUnknown** outFeatureProperties)
{
    owner.record (version, "AcquireFeatureProperties", { InterfaceName (inFeatureID) });
    return owner.standInHost().acquireFeature (inFeatureID, outFeatureProperties);
}
} // namespace kalvo::aaxhost
