// The host's description services: which features the host supports.
#pragma once

#include "AAX_UIDs.h"

class AAX_IFeatureInfo;

class AAX_IDescriptionHost
{
public:
    virtual ~AAX_IDescriptionHost() = default;

    // Information about one feature, owned by the caller; null when the host gives none.
    virtual const AAX_IFeatureInfo* AcquireFeatureProperties (const AAX_Feature_UID& inFeatureID) const = 0;
};
