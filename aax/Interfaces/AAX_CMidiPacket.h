#pragma once
#include "AAX.h"

#include <cstdint>

/** One short MIDI message with its position in the current buffer. */
struct AAX_CMidiPacket
{
    uint32_t mTimestamp = 0; // samples from the start of the buffer
    uint32_t mLength = 0;    // bytes used in mData
    unsigned char mData[4] = { 0, 0, 0, 0 };
    AAX_CBoolean mIsImmediate = 0;
};
