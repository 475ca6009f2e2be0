// The plug-in's effect parameters as the host sees them, version 3: the meters and ranges of the
// curve displays.
#pragma once

#include "AAX_IACFEffectParameters_V2.h"

// Answered for IID_IAAXEffectParametersV3.
class AAX_IACFEffectParameters_V3 : public AAX_IACFEffectParameters_V2
{
public:
    virtual AAX_Result GetCurveDataMeterIds (AAX_CTypeID iCurveType, uint32_t* oXMeterId,
                                             uint32_t* oYMeterId) const = 0;
    virtual AAX_Result GetCurveDataDisplayRange (AAX_CTypeID iCurveType, float* oXMin, float* oXMax,
                                                 float* oYMin, float* oYMax) const = 0;

protected:
    ~AAX_IACFEffectParameters_V3() = default;
};
