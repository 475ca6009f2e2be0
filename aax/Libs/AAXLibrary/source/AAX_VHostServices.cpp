#include "AAX_VHostServices.h"

#include "AAX_Errors.h"
#include "AAX_UIDs.h"

AAX_VHostServices::AAX_VHostServices (IACFUnknown* pUnkHost)
{
    if (pUnkHost == nullptr)
        return;

    ACFPtr<IACFComponentFactory> factory;
    if (ACFFAILED (factory.query (pUnkHost, IID_IACFComponentFactory)))
        return; // the holder releases whatever came back with the failure
    if (!factory)
        throw static_cast<int32_t> (ACF_E_POINTER);

    // The results are not needed: a version that is missing simply stays null. Anything handed
    // back with a failure is released at once.
    if (ACFFAILED (mIACFHostServices.create (factory.get(), AAXCompID_HostServices, IID_IAAXHostServicesV1)))
        mIACFHostServices.reset();
    if (ACFFAILED (
            mIACFHostServicesV2.create (factory.get(), AAXCompID_HostServices, IID_IAAXHostServicesV2)))
        mIACFHostServicesV2.reset();
    if (ACFFAILED (
            mIACFHostServicesV3.create (factory.get(), AAXCompID_HostServices, IID_IAAXHostServicesV3)))
        mIACFHostServicesV3.reset();
}

AAX_VHostServices::~AAX_VHostServices()
{
    mIACFHostServicesV3.reset();
    mIACFHostServicesV2.reset();
    mIACFHostServices.reset();
}

AAX_Result AAX_VHostServices::HandleAssertFailure (const char* inFile, int32_t inLine, const char* inNote,
                                                   int32_t inFlags) const
{
    if (!mIACFHostServicesV3)
        return AAX_ERROR_NULL_OBJECT;
    return mIACFHostServicesV3->HandleAssertFailure (inFile, inLine, inNote, inFlags);
}

AAX_Result AAX_VHostServices::Trace (int32_t inPriority, const char* inMessage) const
{
    if (!mIACFHostServices)
        return AAX_ERROR_NULL_OBJECT;
    return mIACFHostServices->Trace (inPriority, inMessage);
}

AAX_Result AAX_VHostServices::StackTrace (int32_t inTracePriority, int32_t inStackTracePriority,
                                          const char* inMessage) const
{
    if (!mIACFHostServicesV2)
        return AAX_ERROR_UNIMPLEMENTED;
    return mIACFHostServicesV2->StackTrace (inTracePriority, inStackTracePriority, inMessage);
}
