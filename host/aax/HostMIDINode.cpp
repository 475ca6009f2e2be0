#include "HostMIDINode.h"

#include <algorithm>

#include "AAX_Errors.h"

namespace kalvo::aaxhost
{
HostMIDINode::HostMIDINode (size_t capacity) : packets (capacity) {}

void HostMIDINode::setPackets (const std::vector<AAX_CMidiPacket>& blockPackets)
{
    const size_t count = std::min (blockPackets.size(), packets.size());
    std::copy_n (blockPackets.begin(), count, packets.begin());
    droppedCount += blockPackets.size() - count;
    stream.mBufferSize = static_cast<uint32_t> (count);
    stream.mBuffer = count > 0 ? packets.data() : nullptr;
}

AAX_Result HostMIDINode::PostMIDIPacket (AAX_CMidiPacket*)
{
    return AAX_ERROR_UNIMPLEMENTED;
}
} // namespace kalvo::aaxhost
