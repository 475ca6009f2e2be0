#pragma once
#include "AAX.h"

class AAX_CPacket;

/** Fills a port's packet for a parameter; a non-zero result keeps the packet from being posted. */
class AAX_IPacketHandler
{
public:
    virtual ~AAX_IPacketHandler() = default;

    virtual AAX_IPacketHandler* Clone() const = 0;
    virtual AAX_Result Call (AAX_CParamID inParamID, AAX_CPacket& ioPacket) const = 0;

protected:
    AAX_IPacketHandler() = default;
    AAX_IPacketHandler (const AAX_IPacketHandler&) = default;
    AAX_IPacketHandler& operator= (const AAX_IPacketHandler&) = default;
};
