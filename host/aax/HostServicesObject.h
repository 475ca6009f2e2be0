// The host's services: traces, stack traces and assertion reports, in versions 1 to 3.
#pragma once

#include "AAX_IACFHostServices_V3.h"
#include "HostFacet.h"

namespace kalvo::aaxhost
{
class HostServicesObject final : public HostObject
{
public:
    explicit HostServicesObject (StandInHost& hostToUse);

    void* facetFor (const acfIID& iid) override;
    IACFUnknown* identity() override { return &v1; }

private:
    class Facet final : public HostFacet<AAX_IACFHostServices_V3>
    {
    public:
        using HostFacet::HostFacet;
        AAX_Result Assert (const char* inFile, int32_t inLine, const char* inNote) override;
        AAX_Result Trace (int32_t inPriority, const char* inMessage) override;
        AAX_Result StackTrace (int32_t inTracePriority, int32_t inStackTracePriority,
                               const char* inMessage) override;
        AAX_Result HandleAssertFailure (const char* inFile, int32_t inLine, const char* inNote,
                                        int32_t inFlags) override;
    };

    Facet v1{ *this, 1 };
    Facet v2{ *this, 2 };
    Facet v3{ *this, 3 };
};
} // namespace kalvo::aaxhost
