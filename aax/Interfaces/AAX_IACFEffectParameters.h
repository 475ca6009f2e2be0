// The plug-in's effect parameters as the host sees them, version 1.
#pragma once

#include "ACF/IACFUnknown.h"

// Answered for IID_IAAXEffectParametersV1.
class AAX_IACFEffectParameters : public IACFUnknown
{
protected:
    ~AAX_IACFEffectParameters() = default;
};
