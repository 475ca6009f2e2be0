#include "AAX_VCollection.h"

#include "AAX_Errors.h"
#include "AAX_HostInterfaceAccess.h"
#include "AAX_UIDs.h"
#include "AAX_VEffectDescriptor.h"
#include "AAX_VPropertyMap.h"

namespace
{
ACFPtr<IACFUnknown> Retained (IACFUnknown* pUnkHost)
{
    ACFPtr<IACFUnknown> held;
    held.retain (pUnkHost);
    return held;
}

ACFPtr<AAX_IACFCollection> CreateCollection (IACFUnknown* pUnkHost)
{
    ACFPtr<AAX_IACFCollection> collection;
    AAX::CreateHostInterface (pUnkHost, AAXCompID_AAXCollection, IID_IAAXCollectionV1, collection);
    return collection;
}
} // namespace

// The collection is made before the description services are asked for.
AAX_VCollection::AAX_VCollection (IACFUnknown* pUnkHost)
    : mUnkHost (Retained (pUnkHost)), mIACFCollection (CreateCollection (pUnkHost)),
      mDescriptionHost (pUnkHost)
{
}

AAX_VCollection::~AAX_VCollection()
{
    mPropertyMaps.clear();
    mEffectDescriptors.clear();
}

IACFUnknown* AAX_VCollection::GetIUnknown() const
{
    return mIACFCollection.get();
}

AAX_IEffectDescriptor* AAX_VCollection::NewDescriptor()
{
    mEffectDescriptors.push_back (std::make_unique<AAX_VEffectDescriptor> (mUnkHost.get()));
    return mEffectDescriptors.back().get();
}

AAX_Result AAX_VCollection::AddEffect (const char* inEffectID, AAX_IEffectDescriptor* inEffectDescriptor)
{
    if (inEffectDescriptor == nullptr || !mIACFCollection)
        return AAX_ERROR_NULL_OBJECT;
    // Only descriptors made by NewDescriptor have a host object behind them.
    auto* descriptor = dynamic_cast<AAX_VEffectDescriptor*> (inEffectDescriptor);
    return mIACFCollection->AddEffect (inEffectID,
                                       descriptor != nullptr ? descriptor->GetIUnknown() : nullptr);
}

AAX_Result AAX_VCollection::SetManufacturerName (const char* inPackageName)
{
    if (!mIACFCollection)
        return AAX_ERROR_NULL_OBJECT;
    return mIACFCollection->SetManufacturerName (inPackageName);
}

AAX_Result AAX_VCollection::AddPackageName (const char* inPackageName)
{
    if (!mIACFCollection)
        return AAX_ERROR_NULL_OBJECT;
    return mIACFCollection->AddPackageName (inPackageName);
}

AAX_Result AAX_VCollection::SetPackageVersion (uint32_t inVersion)
{
    if (!mIACFCollection)
        return AAX_ERROR_NULL_OBJECT;
    return mIACFCollection->SetPackageVersion (inVersion);
}

AAX_IPropertyMap* AAX_VCollection::NewPropertyMap()
{
    // Kept also when null, like every map made here.
    mPropertyMaps.emplace_back (AAX_VPropertyMap::Create (mUnkHost.get()));
    return mPropertyMaps.back().get();
}

AAX_Result AAX_VCollection::SetProperties (AAX_IPropertyMap* inProperties)
{
    if (!mIACFCollection)
        return AAX_ERROR_NULL_OBJECT;
    return mIACFCollection->SetProperties (inProperties != nullptr ? inProperties->GetIUnknown() : nullptr);
}

AAX_IDescriptionHost* AAX_VCollection::DescriptionHost()
{
    return mDescriptionHost.Supported() ? &mDescriptionHost : nullptr;
}

const AAX_IDescriptionHost* AAX_VCollection::DescriptionHost() const
{
    return mDescriptionHost.Supported() ? &mDescriptionHost : nullptr;
}

IACFDefinition* AAX_VCollection::HostDefinition() const
{
    return mDescriptionHost.HostDefinition();
}
