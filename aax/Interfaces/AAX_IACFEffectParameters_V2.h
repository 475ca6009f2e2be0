// The plug-in's effect parameters as the host sees them, version 2.
#pragma once

#include "AAX_IACFEffectParameters.h"

// Answered for IID_IAAXEffectParametersV2.
class AAX_IACFEffectParameters_V2 : public AAX_IACFEffectParameters
{
protected:
    ~AAX_IACFEffectParameters_V2() = default;
};
