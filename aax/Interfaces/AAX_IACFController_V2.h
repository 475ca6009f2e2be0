// The host's controller, version 2: notifications, hybrid latency, automation time, host name.
#pragma once

#include "AAX_IACFController.h"

class AAX_IACFController_V2 : public AAX_IACFController
{
public:
    virtual AAX_Result SendNotification (AAX_CTypeID inNotificationType, const void* inNotificationData,
                                         uint32_t inNotificationDataSize) = 0;
    virtual AAX_Result GetHybridSignalLatency (int32_t* outSamples) = 0;
    virtual AAX_Result GetCurrentAutomationTimestamp (AAX_CTransportCounter* outTimestamp) = 0;
    virtual AAX_Result GetHostName (AAX_IString* outHostNameString) = 0;

protected:
    ~AAX_IACFController_V2() = default;
};
