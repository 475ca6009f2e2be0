#include "HostServicesObject.h"

#include "AAX_Errors.h"
#include "AAX_UIDs.h"
#include "HostCallLog.h"
#include "StandInHost.h"

namespace kalvo::aaxhost
{
HostServicesObject::HostServicesObject (StandInHost& hostToUse) : HostObject (hostToUse, "HostServices") {}

void* HostServicesObject::facetFor (const acfIID& iid)
{
    const auto& offered = host.versions().hostServices;
    if (iid == IID_IACFUnknown)
        return identity();
    if (iid == IID_IAAXHostServicesV1 && offered.count (1) != 0)
        return static_cast<AAX_IACFHostServices*> (&v1);
    if (iid == IID_IAAXHostServicesV2 && offered.count (2) != 0)
        return static_cast<AAX_IACFHostServices_V2*> (&v2);
    if (iid == IID_IAAXHostServicesV3 && offered.count (3) != 0)
        return static_cast<AAX_IACFHostServices_V3*> (&v3);
    return nullptr;
}

AAX_Result HostServicesObject::Facet::Assert (const char* inFile, int32_t inLine, const char* inNote)
{
    owner.record (version, "Assert",
                  { HostCallLog::text (inFile), HostCallLog::number (inLine), HostCallLog::text (inNote) });
    return AAX_SUCCESS;
}

AAX_Result HostServicesObject::Facet::Trace (int32_t inPriority, const char* inMessage)
{
    owner.record (version, "Trace",
                  { HostCallLog::hex (static_cast<uint32_t> (inPriority)), HostCallLog::text (inMessage) });
    owner.standInHost().addTrace (inPriority, inMessage != nullptr ? inMessage : "");
    return AAX_SUCCESS;
}

AAX_Result HostServicesObject::Facet::StackTrace (int32_t inTracePriority, int32_t inStackTracePriority,
                                                  const char* inMessage)
{
    owner.record (version, "StackTrace",
                  { HostCallLog::hex (static_cast<uint32_t> (inTracePriority)),
                    HostCallLog::hex (static_cast<uint32_t> (inStackTracePriority)),
                    HostCallLog::text (inMessage) });
    return AAX_SUCCESS;
}

AAX_Result HostServicesObject::Facet::HandleAssertFailure (const char* inFile, int32_t inLine,
                                                           const char* inNote, int32_t inFlags)
{
    owner.record (version, "HandleAssertFailure",
                  { HostCallLog::text (inFile), HostCallLog::number (inLine), HostCallLog::text (inNote),
                    HostCallLog::number (inFlags) });
    owner.standInHost().addAssertion (
        { inFile != nullptr ? inFile : "", inLine, inNote != nullptr ? inNote : "", inFlags });
    return AAX_SUCCESS;
}
} // namespace kalvo::aaxhost
