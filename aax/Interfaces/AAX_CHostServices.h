// The binding's access to the host's diagnostics. Without host services (before start-up, after
// shut-down, or with a host that offers none) every report is dropped.
#pragma once

#include "AAX.h"
#include "AAX_Enums.h"

class IACFUnknown;
class AAX_VHostServices;

class AAX_CHostServices
{
public:
    AAX_CHostServices() = delete;

    // With a host: keeps a proxy for its services unless one is kept already. With null: drops it.
    static void Set (IACFUnknown* pUnkHost);

    static AAX_Result HandleAssertFailure (const char* inFile, int32_t inLine, const char* inNote,
                                           int32_t inFlags = AAX_eAssertFlags_Log);
    // Formats printf-style into a 512-byte buffer (longer messages are cut) and sends it.
    static AAX_Result Trace (int32_t inPriority, const char* inFormat, ...)
#if defined(__GNUC__)
        __attribute__ ((format (printf, 2, 3)))
#endif
        ;

private:
    static AAX_VHostServices* sHostServices;
};
