// The host's controller, version 3: target platform and AudioSuite state.
#pragma once

#include "AAX_IACFController_V2.h"

class AAX_IACFController_V3 : public AAX_IACFController_V2
{
public:
    virtual AAX_Result GetPlugInTargetPlatform (AAX_CTargetPlatform* outTargetPlatform) = 0;
    virtual AAX_Result GetIsAudioSuite (AAX_CBoolean* outIsAudioSuite) = 0;

protected:
    ~AAX_IACFController_V3() = default;
};
