#include "AAX_VEffectDescriptor.h"

#include "AAX_Errors.h"
#include "AAX_HostInterfaceAccess.h"
#include "AAX_UIDs.h"
#include "AAX_VComponentDescriptor.h"
#include "AAX_VPropertyMap.h"

namespace
{
IACFUnknown* HostUnknownOf (AAX_IPropertyMap* map)
{
    return map != nullptr ? map->GetIUnknown() : nullptr;
}
} // namespace

AAX_VEffectDescriptor::AAX_VEffectDescriptor (IACFUnknown* pUnkHost)
{
    mUnkHost.retain (pUnkHost);
    if (pUnkHost == nullptr)
        return;

    AAX::CreateHostInterface (pUnkHost, AAXCompID_AAXEffectDescriptor, IID_IAAXEffectDescriptorV1,
                              mIACFEffectDescriptor);
    if (mIACFEffectDescriptor)
        AAX::QueryHostInterface (mIACFEffectDescriptor.get(), IID_IAAXEffectDescriptorV2,
                                 mIACFEffectDescriptorV2);
}

AAX_VEffectDescriptor::~AAX_VEffectDescriptor()
{
    mPropertyMaps.clear();
    mComponentDescriptors.clear();
    mIACFEffectDescriptorV2.reset();
    mIACFEffectDescriptor.reset();
    mUnkHost.reset();
}

IACFUnknown* AAX_VEffectDescriptor::GetIUnknown() const
{
    return mIACFEffectDescriptor.get();
}

AAX_IComponentDescriptor* AAX_VEffectDescriptor::NewComponentDescriptor()
{
    mComponentDescriptors.push_back (std::make_unique<AAX_VComponentDescriptor> (mUnkHost.get()));
    return mComponentDescriptors.back().get();
}

AAX_Result AAX_VEffectDescriptor::AddComponent (AAX_IComponentDescriptor* inComponentDescriptor)
{
    if (!mIACFEffectDescriptor)
        return AAX_ERROR_NULL_OBJECT;
    // Only descriptors made by NewComponentDescriptor have a host object behind them.
    auto* component = dynamic_cast<AAX_VComponentDescriptor*> (inComponentDescriptor);
    return mIACFEffectDescriptor->AddComponent (component != nullptr ? component->GetIUnknown() : nullptr);
}

AAX_Result AAX_VEffectDescriptor::AddName (const char* inPlugInName)
{
    if (!mIACFEffectDescriptor)
        return AAX_ERROR_NULL_OBJECT;
    return mIACFEffectDescriptor->AddName (inPlugInName);
}

AAX_Result AAX_VEffectDescriptor::AddCategory (uint32_t inCategory)
{
    if (!mIACFEffectDescriptor)
        return AAX_ERROR_NULL_OBJECT;
    return mIACFEffectDescriptor->AddCategory (inCategory);
}

AAX_Result AAX_VEffectDescriptor::AddCategoryBypassParameter (uint32_t inCategory, AAX_CParamID inParamID)
{
    if (!mIACFEffectDescriptor)
        return AAX_ERROR_NULL_OBJECT;
    return mIACFEffectDescriptor->AddCategoryBypassParameter (inCategory, inParamID);
}

AAX_Result AAX_VEffectDescriptor::AddProcPtr (void* inProcPtr, AAX_CProcPtrID inProcID)
{
    if (!mIACFEffectDescriptor)
        return AAX_ERROR_NULL_OBJECT;
    return mIACFEffectDescriptor->AddProcPtr (inProcPtr, inProcID);
}

AAX_IPropertyMap* AAX_VEffectDescriptor::NewPropertyMap()
{
    mPropertyMaps.emplace_back (AAX_VPropertyMap::Create (mUnkHost.get()));
    return mPropertyMaps.back().get();
}

AAX_Result AAX_VEffectDescriptor::SetProperties (AAX_IPropertyMap* inProperties)
{
    if (!mIACFEffectDescriptor)
        return AAX_ERROR_NULL_OBJECT;
    return mIACFEffectDescriptor->SetProperties (HostUnknownOf (inProperties));
}

AAX_Result AAX_VEffectDescriptor::AddResourceInfo (AAX_EResourceType inResourceType, const char* inInfo)
{
    if (!mIACFEffectDescriptor)
        return AAX_ERROR_NULL_OBJECT;
    return mIACFEffectDescriptor->AddResourceInfo (inResourceType, inInfo);
}

AAX_Result AAX_VEffectDescriptor::AddMeterDescription (AAX_CTypeID inMeterID, const char* inMeterName,
                                                       AAX_IPropertyMap* inProperties)
{
    if (!mIACFEffectDescriptor)
        return AAX_ERROR_NULL_OBJECT;
    return mIACFEffectDescriptor->AddMeterDescription (inMeterID, inMeterName, HostUnknownOf (inProperties));
}

AAX_Result AAX_VEffectDescriptor::AddControlMIDINode (AAX_CTypeID inNodeID, AAX_EMIDINodeType inNodeType,
                                                      const char inNodeName[], uint32_t inChannelMask)
{
    if (!mIACFEffectDescriptorV2)
        return AAX_ERROR_UNIMPLEMENTED;
    return mIACFEffectDescriptorV2->AddControlMIDINode (inNodeID, inNodeType, inNodeName, inChannelMask);
}
