// The plug-in's effect parameters as the host sees them, version 3.
#pragma once

#include "AAX_IACFEffectParameters_V2.h"

// Answered for IID_IAAXEffectParametersV3.
class AAX_IACFEffectParameters_V3 : public AAX_IACFEffectParameters_V2
{
protected:
    ~AAX_IACFEffectParameters_V3() = default;
};
