#include "HostCollection.h"

#include "AAX_Errors.h"
#include "AAX_UIDs.h"
#include "HostCallLog.h"
#include "StandInHost.h"

namespace kalvo::aaxhost
{
HostCollection::HostCollection (StandInHost& hostToUse) : HostObject (hostToUse, "Collection") {}

void* HostCollection::facetFor (const acfIID& iid)
{
    const auto& offered = host.versions();
    if (iid == IID_IACFUnknown)
        return identity();
    if (iid == IID_IAAXCollectionV1 && offered.collection.count (1) != 0)
        return static_cast<AAX_IACFCollection*> (&collection);
    if (iid == IID_IACFPluginDefinition && offered.pluginDefinition)
        return static_cast<IACFPluginDefinition*> (&pluginDefinition);
    return nullptr;
}

AAX_Result HostCollection::Facet::AddEffect (const char* inEffectID, IACFUnknown* inEffectDescriptor)
{
    owner.record (version, "AddEffect",
                  { HostCallLog::text (inEffectID), owner.standInHost().labelOf (inEffectDescriptor) });
    return AAX_SUCCESS;
}

AAX_Result HostCollection::Facet::SetManufacturerName (const char* inName)
{
    owner.record (version, "SetManufacturerName", { HostCallLog::text (inName) });
    return AAX_SUCCESS;
}

AAX_Result HostCollection::Facet::AddPackageName (const char* inName)
{
    owner.record (version, "AddPackageName", { HostCallLog::text (inName) });
    return AAX_SUCCESS;
}

AAX_Result HostCollection::Facet::SetPackageVersion (uint32_t inVersion)
{
    owner.record (version, "SetPackageVersion", { HostCallLog::hex (inVersion) });
    return AAX_SUCCESS;
}

AAX_Result HostCollection::Facet::SetProperties (IACFUnknown* inProperties)
{
    owner.record (version, "SetProperties", { owner.standInHost().labelOf (inProperties) });
    return AAX_SUCCESS;
}
} // namespace kalvo::aaxhost
