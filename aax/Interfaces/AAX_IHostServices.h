// Diagnostics that the binding sends to the host.
#pragma once

#include "AAX.h"

class AAX_IHostServices
{
public:
    virtual ~AAX_IHostServices() = default;

    virtual AAX_Result HandleAssertFailure (const char* inFile, int32_t inLine, const char* inNote,
                                            int32_t inFlags) const = 0;
    virtual AAX_Result Trace (int32_t inPriority, const char* inMessage) const = 0;
    virtual AAX_Result StackTrace (int32_t inTracePriority, int32_t inStackTracePriority,
                                   const char* inMessage) const = 0;
};
