// What the host tells about one feature, version 1.
#pragma once

#include "AAX.h"
#include "AAX_Enums.h"
#include "ACF/IACFUnknown.h"

class AAX_IACFFeatureInfo : public IACFUnknown
{
public:
    virtual AAX_Result SupportLevel (AAX_ESupportLevel* outSupportLevel) = 0;
    virtual AAX_Result AcquireProperties (IACFUnknown** outProperties) = 0;

protected:
    ~AAX_IACFFeatureInfo() = default;
};
