// The plug-in's effect parameters as the host sees them, version 4: the page table of a control
// surface.
#pragma once

#include "AAX_IACFEffectParameters_V3.h"

// Answered for IID_IAAXEffectParametersV4.
class AAX_IACFEffectParameters_V4 : public AAX_IACFEffectParameters_V3
{
public:
    virtual AAX_Result UpdatePageTable (uint32_t inTableType, int32_t inTablePageSize,
                                        IACFUnknown* iHostUnknown, IACFUnknown* ioPageTableUnknown) const = 0;

protected:
    ~AAX_IACFEffectParameters_V4() = default;
};
