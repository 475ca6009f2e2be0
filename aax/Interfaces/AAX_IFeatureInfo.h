// What the host tells about one of its features.
#pragma once

#include "AAX.h"
#include "AAX_Enums.h"
#include "AAX_UIDs.h"

class AAX_IPropertyMap;

class AAX_IFeatureInfo
{
public:
    virtual ~AAX_IFeatureInfo() = default;

    virtual AAX_Result SupportLevel (AAX_ESupportLevel& outSupportLevel) const = 0;
    // The feature's properties, owned by the caller; null when the host has none.
    virtual const AAX_IPropertyMap* AcquireProperties() const = 0;
    virtual const AAX_Feature_UID& ID() const = 0;
};
