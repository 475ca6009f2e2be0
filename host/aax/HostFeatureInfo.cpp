#include "HostFeatureInfo.h"

#include "AAX_Errors.h"
#include "AAX_UIDs.h"
#include "HostPropertyMap.h"
#include "StandInHost.h"

namespace kalvo::aaxhost
{
HostFeatureInfo::HostFeatureInfo (StandInHost& hostToUse, HostFeature featureToDescribe)
    : HostObject (hostToUse, "FeatureInfo"), feature (std::move (featureToDescribe))
{
}

void* HostFeatureInfo::facetFor (const acfIID& iid)
{
    if (iid == IID_IACFUnknown)
        return identity();
    if (iid == IID_IAAXFeatureInfoV1 && host.versions().featureInfo.count (1) != 0)
        return static_cast<AAX_IACFFeatureInfo*> (&v1);
    return nullptr;
}

AAX_Result HostFeatureInfo::Facet::SupportLevel (AAX_ESupportLevel* outSupportLevel)
{
    owner.record (version, "SupportLevel");
    if (outSupportLevel == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    *outSupportLevel = static_cast<HostFeatureInfo&> (owner).feature.supportLevel;
    return AAX_SUCCESS;
}

AAX_Result HostFeatureInfo::Facet::AcquireProperties (IACFUnknown** outProperties)
{
    owner.record (version, "AcquireProperties");
    if (outProperties == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    const auto& properties = static_cast<HostFeatureInfo&> (owner).feature.properties;
    if (properties.empty())
    {
        *outProperties = nullptr;
        return AAX_ERROR_NULL_OBJECT;
    }
    auto& map = owner.standInHost().make<HostPropertyMap> (properties);
    void* handed = nullptr;
    const ACFRESULT result = map.answer (IID_IACFUnknown, &handed, false);
    *outProperties = static_cast<IACFUnknown*> (handed);
    return result;
}
} // namespace kalvo::aaxhost
