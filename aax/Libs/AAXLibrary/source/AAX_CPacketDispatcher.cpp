#include "AAX_CPacketDispatcher.h"

#include "AAX_Errors.h"
#include "AAX_IController.h"
#include "AAX_IEffectParameters.h"
#include "AAX_IParameter.h"
#include "AAX_StLock_Guard.h"

#include <cstring>
#include <memory>

AAX_CPacketDispatcher::AAX_CPacketDispatcher() : mPlugIn (nullptr), mEffectParameters (nullptr) {}

AAX_CPacketDispatcher::~AAX_CPacketDispatcher()
{
    AAX_StLock_Guard guard (mLockGuard);
    for (auto& entry : mPacketsHolder)
        delete entry.second;
    for (auto& entry : mPacketsHandlers)
        delete entry.second.second;
    mPacketsHolder.clear();
    mPacketsHandlers.clear();
}

void AAX_CPacketDispatcher::Initialize (AAX_IController* iPlugIn, AAX_IEffectParameters* iEffectParameters)
{
    mPlugIn = iPlugIn;
    mEffectParameters = iEffectParameters;
}

AAX_Result AAX_CPacketDispatcher::RegisterPacket (AAX_CParamID paramID, AAX_CFieldIndex portID,
                                                  const AAX_IPacketHandler* iHandler)
{
    // A route without a packet would be followed by SetDirty and Dispatch: refuse it outright.
    if (portID < 0)
        return AAX_ERROR_PORT_ID_OUT_OF_RANGE;
    if (paramID == nullptr || iHandler == nullptr)
        return AAX_ERROR_NULL_OBJECT;

    AAX_StLock_Guard guard (mLockGuard);
    std::unique_ptr<AAX_IPacketHandler> handler (iHandler->Clone());
    if (handler == nullptr)
        return AAX_ERROR_NULL_OBJECT;

    AAX_CPacket*& packet = mPacketsHolder[portID];
    if (packet == nullptr)
        packet = new AAX_CPacket (portID);
    mPacketsHandlers.emplace (paramID, PacketRoute (packet, handler.release()));
    return AAX_SUCCESS;
}

AAX_Result AAX_CPacketDispatcher::RegisterPacket (AAX_CParamID paramID, AAX_CFieldIndex portID)
{
    const AAX_CPacketHandler<AAX_CPacketDispatcher> generator (
        this, &AAX_CPacketDispatcher::GenerateSingleValuePacket);
    return RegisterPacket (paramID, portID, &generator);
}

AAX_Result AAX_CPacketDispatcher::SetDirty (AAX_CParamID paramID, bool iDirty)
{
    if (paramID == nullptr)
        return AAX_SUCCESS;

    AAX_StLock_Guard guard (mLockGuard);
    const auto range = mPacketsHandlers.equal_range (paramID);
    for (auto it = range.first; it != range.second; ++it)
        it->second.first->SetDirty (iDirty);
    return AAX_SUCCESS;
}

AAX_Result AAX_CPacketDispatcher::Dispatch()
{
    AAX_Result result = AAX_SUCCESS;
    AAX_StLock_Guard guard (mLockGuard);
    // Without a controller (before Initialize, after Uninitialize) there is nobody to post to.
    if (mPlugIn == nullptr)
        return AAX_SUCCESS;

    for (auto& route : mPacketsHandlers)
    {
        AAX_CPacket& packet = *route.second.first;
        if (!packet.IsDirty())
            continue;

        AAX_Result handlerResult = AAX_ERROR_UNKNOWN_EXCEPTION;
        try
        {
            handlerResult = route.second.second->Call (route.first.c_str(), packet);
        }
        catch (...)
        {
            // A throwing handler counts as a failed one: nothing of it may reach the host.
        }

        if (handlerResult == AAX_SUCCESS)
            result = mPlugIn->PostPacket (packet.GetID(), packet.GetPtr(), packet.GetSize());
        packet.SetDirty (false);
    }
    return result;
}

AAX_Result AAX_CPacketDispatcher::GenerateSingleValuePacket (AAX_CParamID paramID, AAX_CPacket& ioPacket)
{
    AAX_StLock_Guard guard (mLockGuard); // refused, not blocking, when called from Dispatch
    if (mEffectParameters == nullptr || paramID == nullptr)
        return AAX_ERROR_NULL_OBJECT;

    AAX_IParameter* parameter = nullptr;
    if (mEffectParameters->GetParameter (paramID, &parameter) != AAX_SUCCESS || parameter == nullptr)
        return AAX_ERROR_NULL_OBJECT;

    bool boolValue = false;
    float floatValue = 0.0f;
    int32_t intValue = 0;
    double doubleValue = 0.0;
    if (parameter->GetValueAsBool (&boolValue))
        *ioPacket.GetPtr<int32_t>() = boolValue ? 1 : 0;
    else if (parameter->GetValueAsFloat (&floatValue))
        *ioPacket.GetPtr<float>() = floatValue;
    else if (parameter->GetValueAsInt32 (&intValue))
        *ioPacket.GetPtr<int32_t>() = intValue;
    else if (parameter->GetValueAsDouble (&doubleValue))
        *ioPacket.GetPtr<double>() = doubleValue;
    else
        return AAX_ERROR_NULL_OBJECT;
    return AAX_SUCCESS;
}
