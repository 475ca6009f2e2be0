#include "AAX_VPropertyMap.h"

#include <memory>

#include "AAX_Errors.h"
#include "AAX_HostInterfaceAccess.h"
#include "AAX_UIDs.h"
#include "AAX_VComponentDescriptor.h"

namespace
{
// Stem formats from this index on are unknown to hosts that offer no description services.
constexpr uint32_t firstNewerStemFormat = 0x000D0000u;

bool IsUnknownToOlderHosts (AAX_EProperty property, AAX_CPropertyValue value)
{
    if (property != AAX_eProperty_InputStemFormat && property != AAX_eProperty_OutputStemFormat)
        return false;
    const auto format = static_cast<uint32_t> (value);
    return format >= firstNewerStemFormat && format != AAX_eStemFormat_None && format != AAX_eStemFormat_Any;
}
} // namespace

AAX_VPropertyMap* AAX_VPropertyMap::Create (IACFUnknown* inHostUnknown)
{
    if (inHostUnknown == nullptr)
        return nullptr;

    ACFPtr<IACFComponentFactory> factory;
    if (ACFFAILED (factory.query (inHostUnknown, IID_IACFComponentFactory)))
        return nullptr;

    std::unique_ptr<AAX_VPropertyMap> map (new AAX_VPropertyMap());
    map->InitWithFactory (factory.get(), inHostUnknown);
    return map.release();
}

AAX_VPropertyMap* AAX_VPropertyMap::Acquire (IACFUnknown* inPropertyMapUnknown)
{
    std::unique_ptr<AAX_VPropertyMap> map (new AAX_VPropertyMap());
    map->InitWithPropertyMap (inPropertyMapUnknown, inPropertyMapUnknown);
    return map.release();
}

AAX_VPropertyMap::~AAX_VPropertyMap()
{
    mIACFDescriptionHost.reset();
    mIACFPropertyMapV3.reset();
    mIACFPropertyMapV2.reset();
    mIACFPropertyMap.reset();
}

void AAX_VPropertyMap::InitWithFactory (IACFComponentFactory* inFactory, IACFUnknown* inHostUnknown)
{
    if (inFactory == nullptr)
        return;

    if (ACFFAILED (mIACFPropertyMap.create (inFactory, AAXCompID_AAXPropertyMap, IID_IAAXPropertyMapV1)))
        mIACFPropertyMap.reset();
    if (mIACFPropertyMap)
    {
        AAX::QueryHostInterface (mIACFPropertyMap.get(), IID_IAAXPropertyMapV2, mIACFPropertyMapV2);
        AAX::QueryHostInterface (mIACFPropertyMap.get(), IID_IAAXPropertyMapV3, mIACFPropertyMapV3);
    }

    // The first object that answers gives the description services.
    IACFUnknown* const candidates[] = { inHostUnknown, inFactory, mIACFPropertyMapV2.get(),
                                        mIACFPropertyMapV3.get(), mIACFPropertyMap.get() };
    for (auto* candidate : candidates)
    {
        if (mIACFDescriptionHost)
            break;
        AAX::QueryHostInterface (candidate, IID_IAAXDescriptionHostV1, mIACFDescriptionHost);
    }
}

void AAX_VPropertyMap::InitWithPropertyMap (IACFUnknown* inPropertyMapUnknown, IACFUnknown* inHostUnknown)
{
    if (inPropertyMapUnknown == nullptr)
        return;

    AAX::QueryHostInterface (inPropertyMapUnknown, IID_IAAXPropertyMapV1, mIACFPropertyMap);
    AAX::QueryHostInterface (inPropertyMapUnknown, IID_IAAXPropertyMapV2, mIACFPropertyMapV2);
    AAX::QueryHostInterface (inPropertyMapUnknown, IID_IAAXPropertyMapV3, mIACFPropertyMapV3);

    AAX::QueryHostInterface (inHostUnknown, IID_IAAXDescriptionHostV1, mIACFDescriptionHost);
    if (!mIACFDescriptionHost)
        AAX::QueryHostInterface (inPropertyMapUnknown, IID_IAAXDescriptionHostV1, mIACFDescriptionHost);
}

AAX_CBoolean AAX_VPropertyMap::GetProperty (AAX_EProperty inProperty, AAX_CPropertyValue* outValue) const
{
    if (!mIACFPropertyMap)
        return false;
    return mIACFPropertyMap->GetProperty (inProperty, outValue) != 0;
}

AAX_CBoolean AAX_VPropertyMap::GetPointerProperty (AAX_EProperty inProperty, const void** outValue) const
{
    if (mIACFPropertyMapV3)
        return mIACFPropertyMapV3->GetPointerProperty (inProperty, outValue);
    if (outValue == nullptr)
        return false;

    const auto found = mLocalPointerPropertyCache.find (inProperty);
    if (found == mLocalPointerPropertyCache.end())
        return false;
    *outValue = found->second;
    return true;
}

AAX_Result AAX_VPropertyMap::AddProperty (AAX_EProperty inProperty, AAX_CPropertyValue inValue)
{
    if (!mIACFDescriptionHost && IsUnknownToOlderHosts (inProperty, inValue))
        return AAX_ERROR_PROPERTY_UNDEFINED;
    if (!mIACFPropertyMap)
        return AAX_ERROR_NULL_OBJECT;
    return mIACFPropertyMap->AddProperty (inProperty, inValue);
}

AAX_Result AAX_VPropertyMap::AddPointerProperty (AAX_EProperty inProperty, const void* inValue)
{
    if (mIACFPropertyMapV3)
        return mIACFPropertyMapV3->AddPointerProperty (inProperty, inValue);
    return CachePointerProperty (inProperty, inValue);
}

AAX_Result AAX_VPropertyMap::AddPointerProperty (AAX_EProperty inProperty, const char* inValue)
{
    if (mIACFPropertyMapV3)
        return mIACFPropertyMapV3->AddPointerProperty (inProperty, inValue);

    const auto& used = AAX_VComponentDescriptor::PointerPropertiesUsedByAddProcessProc();
    if (used.count (inProperty) == 0)
        return AAX_ERROR_UNIMPLEMENTED;
    if (inValue == nullptr)
    {
        mLocalTextCopies.erase (inProperty);
        return CachePointerProperty (inProperty, nullptr);
    }
    // The cache points into our own copy, which lives as long as the map.
    const std::string& copy = mLocalTextCopies[inProperty] = inValue;
    return CachePointerProperty (inProperty, copy.c_str());
}

AAX_Result AAX_VPropertyMap::CachePointerProperty (AAX_EProperty inProperty, const void* inValue)
{
    const auto& used = AAX_VComponentDescriptor::PointerPropertiesUsedByAddProcessProc();
    if (used.count (inProperty) == 0)
        return AAX_ERROR_UNIMPLEMENTED;
    mLocalPointerPropertyCache[inProperty] = inValue;
    return AAX_SUCCESS;
}

AAX_Result AAX_VPropertyMap::RemoveProperty (AAX_EProperty inProperty)
{
    if (!mIACFPropertyMap)
        return AAX_ERROR_NULL_OBJECT;
    return mIACFPropertyMap->RemoveProperty (inProperty);
}

AAX_Result AAX_VPropertyMap::AddPropertyWithIDArray (AAX_EProperty inProperty,
                                                     const AAX_SPlugInIdentifierTriad* inPluginIDs,
                                                     uint32_t inNumPluginIDs)
{
    if (!mIACFPropertyMapV2)
        return AAX_ERROR_UNIMPLEMENTED;
    return mIACFPropertyMapV2->AddPropertyWithIDArray (inProperty, inPluginIDs, inNumPluginIDs);
}

AAX_CBoolean AAX_VPropertyMap::GetPropertyWithIDArray (AAX_EProperty inProperty,
                                                       const AAX_SPlugInIdentifierTriad** outPluginIDs,
                                                       uint32_t* outNumPluginIDs) const
{
    if (!mIACFPropertyMapV2)
        return false;
    return mIACFPropertyMapV2->GetPropertyWithIDArray (inProperty, outPluginIDs, outNumPluginIDs);
}

IACFUnknown* AAX_VPropertyMap::GetIUnknown()
{
    if (mIACFPropertyMapV3)
        return mIACFPropertyMapV3.get();
    if (mIACFPropertyMapV2)
        return mIACFPropertyMapV2.get();
    return mIACFPropertyMap.get();
}
