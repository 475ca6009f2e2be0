// The plug-in's effect parameters as the host sees them, version 4.
#pragma once

#include "AAX_IACFEffectParameters_V3.h"

// Answered for IID_IAAXEffectParametersV4.
class AAX_IACFEffectParameters_V4 : public AAX_IACFEffectParameters_V3
{
protected:
    ~AAX_IACFEffectParameters_V4() = default;
};
