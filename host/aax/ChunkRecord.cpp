#include "ChunkRecord.h"

#include <algorithm>
#include <cstring>

namespace kalvo::aaxhost
{
ChunkRecord::ChunkRecord (size_t dataBytes)
    : dataCapacity (dataBytes), bytes (new uint8_t[AAX_kPlugInChunkHeaderSize + dataBytes]())
{
    get()->fSize = static_cast<int32_t> (dataBytes);
}

ChunkRecord ChunkRecord::holding (const std::vector<uint8_t>& data, AAX_CTypeID chunkID)
{
    return holding (data, chunkID, static_cast<int32_t> (data.size()));
}

ChunkRecord ChunkRecord::holding (const std::vector<uint8_t>& data, AAX_CTypeID chunkID, int32_t sizeField)
{
    ChunkRecord record (data.size());
    if (!data.empty())
        std::memcpy (record.bytes.get() + AAX_kPlugInChunkHeaderSize, data.data(), data.size());
    record.get()->fChunkID = chunkID;
    record.get()->fSize = sizeField;
    return record;
}

std::vector<uint8_t> ChunkRecord::data() const
{
    const int32_t announced = get()->fSize;
    const size_t length = announced < 0 ? 0 : std::min (static_cast<size_t> (announced), dataCapacity);
    const uint8_t* start = bytes.get() + AAX_kPlugInChunkHeaderSize;
    return std::vector<uint8_t> (start, start + length);
}

std::vector<uint8_t> ChunkRecord::raw() const
{
    return std::vector<uint8_t> (bytes.get(), bytes.get() + AAX_kPlugInChunkHeaderSize + dataCapacity);
}
} // namespace kalvo::aaxhost
