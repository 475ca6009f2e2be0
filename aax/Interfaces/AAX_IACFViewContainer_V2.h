// The host's view container, version 2: gestures on several parameters at once.
#pragma once

#include "AAX_IACFViewContainer.h"

class AAX_IACFViewContainer_V2 : public AAX_IACFViewContainer
{
public:
    virtual AAX_Result HandleMultipleParametersMouseDown (const AAX_CParamID* inParamIDs,
                                                          uint32_t inNumOfParams, uint32_t inModifiers) = 0;
    virtual AAX_Result HandleMultipleParametersMouseDrag (const AAX_CParamID* inParamIDs,
                                                          uint32_t inNumOfParams, uint32_t inModifiers) = 0;
    virtual AAX_Result HandleMultipleParametersMouseUp (const AAX_CParamID* inParamIDs,
                                                        uint32_t inNumOfParams, uint32_t inModifiers) = 0;

protected:
    ~AAX_IACFViewContainer_V2() = default;
};
