// The host's services, version 2: adds stack traces.
#pragma once

#include "AAX_IACFHostServices.h"

class AAX_IACFHostServices_V2 : public AAX_IACFHostServices
{
public:
    virtual AAX_Result StackTrace (int32_t inTracePriority, int32_t inStackTracePriority,
                                   const char* inMessage) = 0;

protected:
    ~AAX_IACFHostServices_V2() = default;
};
