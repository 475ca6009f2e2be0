#include "AAX_CHostServices.h"

#include <cstdarg>
#include <cstdio>
#include <memory>

#include "AAX_VHostServices.h"

AAX_VHostServices* AAX_CHostServices::sHostServices = nullptr;

void AAX_CHostServices::Set (IACFUnknown* pUnkHost)
{
    if (pUnkHost != nullptr && sHostServices == nullptr)
    {
        // A throwing constructor frees the half-built proxy; sHostServices stays null.
        sHostServices = new AAX_VHostServices (pUnkHost);
    }
    else if (pUnkHost == nullptr && sHostServices != nullptr)
    {
        std::unique_ptr<AAX_VHostServices> old (sHostServices);
        sHostServices = nullptr;
    }
}

AAX_Result AAX_CHostServices::HandleAssertFailure (const char* inFile, int32_t inLine, const char* inNote,
                                                   int32_t inFlags)
{
    if (sHostServices == nullptr)
        return 0;
    return sHostServices->HandleAssertFailure (inFile, inLine, inNote, inFlags);
}

AAX_Result AAX_CHostServices::Trace (int32_t inPriority, const char* inFormat, ...)
{
    if (sHostServices == nullptr)
        return 0;

    // Formatted with the buffer's own size: a longer message is cut, never written past the end.
    char message[512];
    va_list args;
    va_start (args, inFormat);
    const int written = std::vsnprintf (message, sizeof (message), inFormat, args);
    va_end (args);
    if (written < 0)
        message[0] = '\0';

    return sHostServices->Trace (inPriority, message);
}
