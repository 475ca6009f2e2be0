#pragma once
#include "AAX.h"

#include <cstdint>
#include <vector>

/** The data of one algorithm port, filled by a packet handler and posted to the host while dirty. */
class AAX_CPacket
{
public:
    /** The packet's bytes, in the host's own byte order. */
    class SPacketData
    {
    public:
        SPacketData();
        const void* Get() const;
        /** Resizes the data to exactly size bytes (new bytes are 0) and returns the first byte;
            a size of 0 throws std::out_of_range, as there is no first byte then. */
        void* Get (uint32_t size);

    private:
        std::vector<uint8_t> mData;
    };

    explicit AAX_CPacket (AAX_CFieldIndex inPortID);

    /** Makes room for one T, sets the packet's size to it and returns where it goes. */
    template <typename T>
    T* GetPtr()
    {
        mDataSize = static_cast<uint32_t> (sizeof (T));
        return static_cast<T*> (mPacketData.Get (mDataSize));
    }

    const void* GetPtr() const { return mPacketData.Get(); }
    uint32_t GetSize() const { return mDataSize; }
    AAX_CFieldIndex GetID() const { return mID; }
    bool IsDirty() const { return mDirty; }
    void SetDirty (bool iDirty) { mDirty = iDirty; }

private:
    AAX_CFieldIndex mID;
    bool mDirty;
    uint32_t mDataSize;
    SPacketData mPacketData;
};
