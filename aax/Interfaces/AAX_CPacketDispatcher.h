#pragma once
#include "AAX.h"
#include "AAX_CMutex.h"
#include "AAX_CPacket.h"
#include "AAX_CPacketHandler.h"

#include <map>
#include <string>
#include <utility>

class AAX_IController;
class AAX_IEffectParameters;

/** Routes parameter identifiers to algorithm ports: a change marks the port's packet dirty, and
    Dispatch fills every dirty packet through its handler and posts it to the host. Every public
    operation runs under the dispatcher's mutex; since that mutex refuses a nested lock by its owner,
    a handler may call back into the dispatcher (SetDirty from within Dispatch) without dead-locking. */
class AAX_CPacketDispatcher
{
public:
    AAX_CPacketDispatcher();
    ~AAX_CPacketDispatcher();

    AAX_CPacketDispatcher (const AAX_CPacketDispatcher&) = delete;
    AAX_CPacketDispatcher& operator= (const AAX_CPacketDispatcher&) = delete;

    void Initialize (AAX_IController* iPlugIn, AAX_IEffectParameters* iEffectParameters);

    /** Routes the identifier to the port through a clone of the handler. A negative port
        (AAX_ERROR_PORT_ID_OUT_OF_RANGE), a null identifier or handler (AAX_ERROR_NULL_OBJECT)
        stores nothing. */
    AAX_Result RegisterPacket (AAX_CParamID paramID, AAX_CFieldIndex portID,
                               const AAX_IPacketHandler* iHandler);
    /** Routes the identifier to the port with the dispatcher's own single-value generator. */
    AAX_Result RegisterPacket (AAX_CParamID paramID, AAX_CFieldIndex portID);

    AAX_Result SetDirty (AAX_CParamID paramID, bool iDirty = true);
    AAX_Result Dispatch();
    AAX_Result GenerateSingleValuePacket (AAX_CParamID paramID, AAX_CPacket& ioPacket);

private:
    typedef std::pair<AAX_CPacket*, AAX_IPacketHandler*> PacketRoute;

    std::map<AAX_CFieldIndex, AAX_CPacket*> mPacketsHolder;
    std::multimap<std::string, PacketRoute> mPacketsHandlers;
    AAX_IController* mPlugIn;
    AAX_IEffectParameters* mEffectParameters;
    AAX_CMutex mLockGuard;
};
