// Proxy for what the host tells about one feature.
#pragma once

#include "AAX_IACFFeatureInfo.h"
#include "AAX_IFeatureInfo.h"
#include "ACF/ACFPtr.h"

class AAX_VFeatureInfo : public AAX_IFeatureInfo
{
public:
    // Takes its own reference to the feature's interface; the caller keeps its reference to
    // inFeatureInfo and releases it.
    AAX_VFeatureInfo (IACFUnknown* inFeatureInfo, const AAX_Feature_UID& inFeatureID);
    ~AAX_VFeatureInfo() override;
    AAX_VFeatureInfo (const AAX_VFeatureInfo&) = delete;
    AAX_VFeatureInfo& operator= (const AAX_VFeatureInfo&) = delete;

    AAX_Result SupportLevel (AAX_ESupportLevel& outSupportLevel) const override;
    const AAX_IPropertyMap* AcquireProperties() const override;
    const AAX_Feature_UID& ID() const override;

private:
    AAX_Feature_UID mFeatureID;
    ACFPtr<AAX_IACFFeatureInfo> mIACFFeatureInfo;
};
