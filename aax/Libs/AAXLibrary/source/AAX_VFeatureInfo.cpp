#include "AAX_VFeatureInfo.h"

#include "AAX_Errors.h"
#include "AAX_HostInterfaceAccess.h"
#include "AAX_UIDs.h"
#include "AAX_VPropertyMap.h"

AAX_VFeatureInfo::AAX_VFeatureInfo (IACFUnknown* inFeatureInfo, const AAX_Feature_UID& inFeatureID)
    : mFeatureID (inFeatureID)
{
    AAX::QueryHostInterface (inFeatureInfo, IID_IAAXFeatureInfoV1, mIACFFeatureInfo);
}

AAX_VFeatureInfo::~AAX_VFeatureInfo() = default;

AAX_Result AAX_VFeatureInfo::SupportLevel (AAX_ESupportLevel& outSupportLevel) const
{
    if (!mIACFFeatureInfo)
        return AAX_ERROR_NULL_OBJECT;
    return mIACFFeatureInfo->SupportLevel (&outSupportLevel);
}

const AAX_IPropertyMap* AAX_VFeatureInfo::AcquireProperties() const
{
    if (!mIACFFeatureInfo)
        return nullptr;

    // The host hands the map out with one reference; the proxy takes its own, so ours goes back.
    IACFUnknown* properties = nullptr;
    const AAX_Result result = mIACFFeatureInfo->AcquireProperties (&properties);
    ACFPtr<IACFUnknown> handedOut;
    handedOut.attach (properties);

    if (result != AAX_SUCCESS || !handedOut)
        return nullptr;
    return AAX_VPropertyMap::Acquire (handedOut.get());
}

const AAX_Feature_UID& AAX_VFeatureInfo::ID() const
{
    return mFeatureID;
}
