// Fuzz target for writing and reading back the parameter chunk: the input is a list of (kind,
// identifier, value) entries that go through the parser's Add operations, GetChunkData into a
// record of exactly the announced size, and LoadChunk. Every entry must come back bit for bit, and
// the size the parser announces must be the size it writes.
#include "AAX_CChunkDataParser.h"
#include "AAX_Errors.h"
#include "ChunkRecord.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace
{
class Input
{
public:
    Input (const uint8_t* dataToUse, size_t sizeToUse) : data (dataToUse), size (sizeToUse) {}

    bool empty() const { return position >= size; }
    uint8_t byte() { return position < size ? data[position++] : 0; }
    uint64_t bits (int bytes)
    {
        uint64_t value = 0;
        for (int i = 0; i < bytes; ++i)
            value = (value << 8) | byte();
        return value;
    }
    // Text without zero bytes (identifiers and strings are zero-terminated in the chunk).
    std::string text (size_t length)
    {
        std::string result;
        for (size_t i = 0; i < length; ++i)
        {
            const uint8_t c = byte();
            result.push_back (c == 0 ? '.' : static_cast<char> (c));
        }
        return result;
    }

private:
    const uint8_t* data;
    size_t size;
    size_t position = 0;
};

int64_t RoundUp (int64_t value)
{
    return (value + 3) / 4 * 4;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    Input input (data, size);
    AAX_CChunkDataParser parser;
    int64_t expectedSize = 4;
    while (!input.empty() && parser.GetNumEntries() < AAX_CChunkDataParser::kMaxEntries)
    {
        const uint8_t kind = input.byte() % 3;
        const std::string id = input.text (input.byte() % 64);
        expectedSize += RoundUp (static_cast<int64_t> (id.size()) + 3);
        if (kind == 0)
        {
            const uint64_t bits = input.bits (8);
            double value = 0.0;
            std::memcpy (&value, &bits, sizeof value);
            parser.AddDouble (id.c_str(), value);
            expectedSize += 8;
        }
        else if (kind == 1)
        {
            parser.AddInt32 (id.c_str(), static_cast<int32_t> (static_cast<uint32_t> (input.bits (4))));
            expectedSize += 4;
        }
        else
        {
            const std::string value = input.text (input.byte());
            parser.AddString (id.c_str(), AAX_CString (value.c_str()));
            expectedSize += RoundUp (static_cast<int64_t> (value.size()) + 1);
        }
    }

    if (parser.GetChunkDataSize() != expectedSize)
        std::abort();
    kalvo::aaxhost::ChunkRecord record (static_cast<size_t> (expectedSize));
    if (parser.GetChunkData (record.get()) != AAX_SUCCESS || record.get()->fSize != expectedSize)
        std::abort();

    AAX_CChunkDataParser reader;
    reader.LoadChunk (record.get());
    if (reader.GetNumEntries() != parser.GetNumEntries())
        std::abort();
    for (size_t i = 0; i < parser.GetNumEntries(); ++i)
    {
        const auto& written = parser.GetEntry (i);
        const auto& read = reader.GetEntry (i);
        if (read.mDataType != written.mDataType || read.mDataName != written.mDataName ||
            read.mValue != written.mValue || read.mStringValue != written.mStringValue)
            std::abort();
    }
    return 0;
}
