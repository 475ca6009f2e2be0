// Proxy for the host's services interface, in each version the host offers.
#pragma once

#include "AAX_IACFHostServices_V3.h"
#include "AAX_IHostServices.h"
#include "ACF/ACFPtr.h"

class AAX_VHostServices : public AAX_IHostServices
{
public:
    // Throws the integer ACF_E_POINTER when the host answers the factory query with success and
    // no factory.
    explicit AAX_VHostServices (IACFUnknown* pUnkHost);
    ~AAX_VHostServices() override;

    AAX_VHostServices (const AAX_VHostServices&) = delete;
    AAX_VHostServices& operator= (const AAX_VHostServices&) = delete;

    // Version 3; AAX_ERROR_NULL_OBJECT without it.
    AAX_Result HandleAssertFailure (const char* inFile, int32_t inLine, const char* inNote,
                                    int32_t inFlags) const override;
    // Version 1; AAX_ERROR_NULL_OBJECT without it.
    AAX_Result Trace (int32_t inPriority, const char* inMessage) const override;
    // Version 2; AAX_ERROR_UNIMPLEMENTED without it.
    AAX_Result StackTrace (int32_t inTracePriority, int32_t inStackTracePriority,
                           const char* inMessage) const override;

private:
    // Released in reverse order, the newest version first.
    ACFPtr<AAX_IACFHostServices> mIACFHostServices;
    ACFPtr<AAX_IACFHostServices_V2> mIACFHostServicesV2;
    ACFPtr<AAX_IACFHostServices_V3> mIACFHostServicesV3;
};
