#pragma once
#include "AAX_Errors.h"
#include "AAX_IPacketHandler.h"

/** A packet handler that calls a member function of a worker object, either with the parameter
    identifier and the packet or with the packet alone. */
template <class TWorker>
class AAX_CPacketHandler : public AAX_IPacketHandler
{
public:
    typedef AAX_Result (TWorker::*CallBackWithID) (AAX_CParamID, AAX_CPacket&);
    typedef AAX_Result (TWorker::*CallBack) (AAX_CPacket&);

    AAX_CPacketHandler (TWorker* iWorker, CallBackWithID iCallBack)
        : mWorker (iWorker), mCallBackWithID (iCallBack), mCallBack (nullptr)
    {
    }

    AAX_CPacketHandler (TWorker* iWorker, CallBack iCallBack)
        : mWorker (iWorker), mCallBackWithID (nullptr), mCallBack (iCallBack)
    {
    }

    AAX_CPacketHandler* Clone() const override { return new AAX_CPacketHandler (*this); }

    AAX_Result Call (AAX_CParamID inParamID, AAX_CPacket& ioPacket) const override
    {
        if (mWorker == nullptr)
            return AAX_ERROR_NULL_OBJECT;
        if (mCallBackWithID != nullptr)
            return (mWorker->*mCallBackWithID) (inParamID, ioPacket);
        if (mCallBack != nullptr)
            return (mWorker->*mCallBack) (ioPacket);
        return AAX_ERROR_NULL_OBJECT;
    }

private:
    TWorker* mWorker;
    CallBackWithID mCallBackWithID;
    CallBack mCallBack;
};
