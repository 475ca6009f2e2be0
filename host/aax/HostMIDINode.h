// The MIDI input node the host puts into an instance's algorithm context: it carries the packets
// of the block about to be rendered. The host sets them before the block on its own thread; the
// process procedure reads them on the render thread without a lock or an allocation.
#pragma once

#include <vector>

#include "AAX_IMIDINode.h"

namespace kalvo::aaxhost
{
class HostMIDINode final : public AAX_IMIDINode
{
public:
    // Room for this many packets per block without allocating.
    explicit HostMIDINode (size_t capacity = 1024);

    // The packets of the next block, in time order; those beyond the capacity are dropped.
    void setPackets (const std::vector<AAX_CMidiPacket>& blockPackets);
    size_t dropped() const noexcept { return droppedCount; }

    AAX_CMidiStream* GetNodeBuffer() override { return &stream; }
    // An input node sends nothing back.
    AAX_Result PostMIDIPacket (AAX_CMidiPacket* packet) override;

private:
    std::vector<AAX_CMidiPacket> packets;
    AAX_CMidiStream stream;
    size_t droppedCount = 0;
};
} // namespace kalvo::aaxhost
