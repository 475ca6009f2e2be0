// The host's services, version 1: diagnostics.
#pragma once

#include "AAX.h"
#include "ACF/IACFUnknown.h"

class AAX_IACFHostServices : public IACFUnknown
{
public:
    virtual AAX_Result Assert (const char* inFile, int32_t inLine, const char* inNote) = 0;
    virtual AAX_Result Trace (int32_t inPriority, const char* inMessage) = 0;

protected:
    ~AAX_IACFHostServices() = default;
};
