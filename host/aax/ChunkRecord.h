// A chunk record as the host allocates it: the 56-byte header and exactly as many data bytes as
// asked, not one more, so that the sanitizers catch any access beyond the data.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "AAX_SPlugInChunk.h"

namespace kalvo::aaxhost
{
class ChunkRecord
{
public:
    // Room for dataBytes after the header; all zero, the size field set to dataBytes.
    explicit ChunkRecord (size_t dataBytes);
    // The data given, with the chunk identifier; the size field is the data's size unless given.
    static ChunkRecord holding (const std::vector<uint8_t>& data, AAX_CTypeID chunkID = 0x656C636B);
    static ChunkRecord holding (const std::vector<uint8_t>& data, AAX_CTypeID chunkID, int32_t sizeField);

    AAX_SPlugInChunk* get() noexcept { return reinterpret_cast<AAX_SPlugInChunk*> (bytes.get()); }
    const AAX_SPlugInChunk* get() const noexcept
    {
        return reinterpret_cast<const AAX_SPlugInChunk*> (bytes.get());
    }
    size_t capacity() const noexcept { return dataCapacity; }

    // The data as the size field announces it, cut to the room there is.
    std::vector<uint8_t> data() const;
    // The whole record, header included.
    std::vector<uint8_t> raw() const;

private:
    size_t dataCapacity;
    std::unique_ptr<uint8_t[]> bytes;
};
} // namespace kalvo::aaxhost
