#include "AAX_CPacket.h"

#include <stdexcept>

AAX_CPacket::SPacketData::SPacketData() : mData (8, 0) {}

const void* AAX_CPacket::SPacketData::Get() const
{
    return mData.data();
}

void* AAX_CPacket::SPacketData::Get (uint32_t size)
{
    mData.resize (size);
    return &mData.at (0);
}

AAX_CPacket::AAX_CPacket (AAX_CFieldIndex inPortID) : mID (inPortID), mDirty (true), mDataSize (0) {}
