// The host's services, version 3: adds assertion reports.
#pragma once

#include "AAX_IACFHostServices_V2.h"

class AAX_IACFHostServices_V3 : public AAX_IACFHostServices_V2
{
public:
    virtual AAX_Result HandleAssertFailure (const char* inFile, int32_t inLine, const char* inNote,
                                            int32_t inFlags) = 0;

protected:
    ~AAX_IACFHostServices_V3() = default;
};
