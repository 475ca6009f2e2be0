// A MIDI node of one instance, as the host hands it to the process procedure in the algorithm
// context's node field: the packets that arrived for the block being rendered and, for an output
// node, the way back to the host. The layout of this interface is this binding's own.
#pragma once

#include <cstdint>

#include "AAX.h"
#include "AAX_CMidiPacket.h"

// The packets of the current block, in time order; valid until the process procedure returns.
struct AAX_CMidiStream
{
    uint32_t mBufferSize = 0;           // number of packets mBuffer holds
    AAX_CMidiPacket* mBuffer = nullptr; // the packets, or null when there are none
};

class AAX_IMIDINode
{
public:
    virtual ~AAX_IMIDINode() = default;

    // The packets that arrived at this node for the current block.
    virtual AAX_CMidiStream* GetNodeBuffer() = 0;
    // Sends one packet from an output node to the host.
    virtual AAX_Result PostMIDIPacket (AAX_CMidiPacket* packet) = 0;
};
