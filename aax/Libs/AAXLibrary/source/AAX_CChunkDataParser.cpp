#include "AAX_CChunkDataParser.h"

#include "AAX_CHostServices.h"
#include "AAX_Enums.h"
#include "AAX_Errors.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>

namespace
{
// The writer's answer when the data would not fit the size it computed itself.
constexpr AAX_Result kChunkOverflow = -333;
constexpr unsigned char kMarker[4] = { 0x01, 0x01, 0x01, 0x01 };
// Tag and identifier are read into a buffer of this size, always terminated.
constexpr int64_t kNameBufferSize = 256;

int64_t RoundUpTo4 (int64_t value)
{
    return (value + 3) & ~int64_t (3);
}

int64_t ValueSize (const AAX_CChunkDataParser::DataValue& entry)
{
    switch (entry.mDataType)
    {
        case AAX_CChunkDataParser::kDataType_Float:
        case AAX_CChunkDataParser::kDataType_Int32:
        case AAX_CChunkDataParser::kDataType_Int16:
            return 4;
        case AAX_CChunkDataParser::kDataType_Double:
            return 8;
        case AAX_CChunkDataParser::kDataType_String:
            return RoundUpTo4 (int64_t (entry.mStringValue.Length()) + 1);
        default:
            return 0;
    }
}

// The value bytes as written, before padding: a string's text and its zero.
int64_t UnpaddedValueSize (const AAX_CChunkDataParser::DataValue& entry)
{
    if (entry.mDataType == AAX_CChunkDataParser::kDataType_String)
        return int64_t (entry.mStringValue.Length()) + 1;
    return ValueSize (entry);
}

unsigned char* DataOf (AAX_SPlugInChunk* chunk)
{
    return reinterpret_cast<unsigned char*> (chunk) + AAX_kPlugInChunkHeaderSize;
}

const unsigned char* DataOf (const AAX_SPlugInChunk* chunk)
{
    return reinterpret_cast<const unsigned char*> (chunk) + AAX_kPlugInChunkHeaderSize;
}

// The data is big-endian and unaligned: values are taken apart and put together byte by byte.
void PutBigEndian (unsigned char* out, uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out[i] = static_cast<unsigned char> (value >> (8 * (bytes - 1 - i)));
}

uint64_t GetBigEndian (const unsigned char* in, int bytes)
{
    uint64_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value = (value << 8) | in[i];
    return value;
}

uint64_t DoubleBits (double value)
{
    uint64_t bits = 0;
    std::memcpy (&bits, &value, sizeof bits);
    return bits;
}

double BitsToDouble (uint64_t bits)
{
    double value = 0.0;
    std::memcpy (&value, &bits, sizeof value);
    return value;
}

uint64_t Int32Bits (int32_t value)
{
    return static_cast<uint32_t> (value);
}

const char* TagOf (int32_t type)
{
    switch (type)
    {
        case AAX_CChunkDataParser::kDataType_Float:
            return "f_";
        case AAX_CChunkDataParser::kDataType_Int32:
            return "l_";
        case AAX_CChunkDataParser::kDataType_Double:
            return "d_";
        case AAX_CChunkDataParser::kDataType_Int16:
            return "s_";
        case AAX_CChunkDataParser::kDataType_String:
            return "r_";
        default:
            return nullptr;
    }
}
} // namespace

AAX_CChunkDataParser::AAX_CChunkDataParser() : mLastFoundIndex (-1), mChunkVersion (-1), mLoadSucceeded (true)
{
}

AAX_CChunkDataParser::~AAX_CChunkDataParser() = default;

void AAX_CChunkDataParser::AddDouble (const char* name, double value)
{
    DataValue entry;
    entry.mDataType = kDataType_Double;
    entry.mDataName = name;
    entry.mValue = DoubleBits (value);
    mDataValues.push_back (std::move (entry));
}

void AAX_CChunkDataParser::AddInt32 (const char* name, int32_t value)
{
    DataValue entry;
    entry.mDataType = kDataType_Int32;
    entry.mDataName = name;
    entry.mValue = Int32Bits (value);
    mDataValues.push_back (std::move (entry));
}

void AAX_CChunkDataParser::AddString (const char* name, AAX_CString value)
{
    DataValue entry;
    entry.mDataType = kDataType_String;
    entry.mDataName = name;
    entry.mStringValue = std::move (value);
    mDataValues.push_back (std::move (entry));
}

int32_t AAX_CChunkDataParser::FindName (const char* name)
{
    const auto count = static_cast<int32_t> (mDataValues.size());
    if (name == nullptr || count == 0)
        return -1;

    const int32_t start = (mLastFoundIndex < 0 || mLastFoundIndex >= count - 1) ? 0 : mLastFoundIndex + 1;
    const auto matches = [&] (int32_t i)
    { return std::strcmp (mDataValues[size_t (i)].mDataName.Get(), name) == 0; };
    for (int32_t i = start; i < count; ++i)
        if (matches (i))
            return mLastFoundIndex = i;
    for (int32_t i = 0; i < start; ++i)
        if (matches (i))
            return mLastFoundIndex = i;
    return -1;
}

const AAX_CChunkDataParser::DataValue* AAX_CChunkDataParser::FindOfType (const char* name, int32_t type)
{
    const int32_t index = FindName (name);
    if (index < 0 || mDataValues[size_t (index)].mDataType != type)
        return nullptr;
    return &mDataValues[size_t (index)];
}

bool AAX_CChunkDataParser::FindDouble (const char* name, double* value)
{
    const DataValue* entry = FindOfType (name, kDataType_Double);
    if (entry == nullptr || value == nullptr)
        return false;
    *value = BitsToDouble (entry->mValue);
    return true;
}

bool AAX_CChunkDataParser::FindInt32 (const char* name, int32_t* value)
{
    const DataValue* entry = FindOfType (name, kDataType_Int32);
    if (entry == nullptr || value == nullptr)
        return false;
    *value = static_cast<int32_t> (static_cast<uint32_t> (entry->mValue));
    return true;
}

bool AAX_CChunkDataParser::FindString (const char* name, AAX_CString* value)
{
    const DataValue* entry = FindOfType (name, kDataType_String);
    if (entry == nullptr || value == nullptr)
        return false;
    *value = entry->mStringValue;
    return true;
}

int32_t AAX_CChunkDataParser::GetChunkDataSize() const
{
    int64_t size = 4;
    for (const auto& entry : mDataValues)
    {
        size += RoundUpTo4 (int64_t (entry.mDataName.Length()) + 3) + ValueSize (entry);
        // A size beyond the field's range cannot be announced: negative means "no valid size".
        if (size > std::numeric_limits<int32_t>::max())
            return -1;
    }
    return static_cast<int32_t> (size);
}

AAX_Result AAX_CChunkDataParser::GetChunkData (AAX_SPlugInChunk* chunk) const
{
    if (chunk == nullptr)
        return AAX_ERROR_NULL_OBJECT;

    const int32_t size = GetChunkDataSize();
    if (size < 4)
        return kChunkOverflow;

    unsigned char* data = DataOf (chunk);
    try
    {
        std::memset (data, 0, size_t (size));
        std::memcpy (data, kMarker, sizeof kMarker);
        int64_t position = 4;

        for (const auto& entry : mDataValues)
        {
            const AAX_CString text (entry.mStringValue);
            const int64_t nameLength = entry.mDataName.Length();
            if (position + nameLength + 3 + UnpaddedValueSize (entry) > size)
                throw std::out_of_range ("aborting: chunk data will overflow buffer");

            if (const char* tag = TagOf (entry.mDataType))
                std::memcpy (data + position, tag, 2);
            std::memcpy (data + position + 2, entry.mDataName.Get(), size_t (nameLength)); // zero follows
            position = RoundUpTo4 (position + 2 + nameLength + 1);

            switch (entry.mDataType)
            {
                case kDataType_Float:
                case kDataType_Int32:
                    PutBigEndian (data + position, entry.mValue & 0xFFFFFFFFu, 4);
                    position += 4;
                    break;
                case kDataType_Int16:
                    PutBigEndian (data + position, entry.mValue & 0xFFFFu, 2);
                    position += 4;
                    break;
                case kDataType_Double:
                    PutBigEndian (data + position, entry.mValue, 8);
                    position += 8;
                    break;
                case kDataType_String:
                    std::memcpy (data + position, text.Get(), size_t (text.Length()));
                    position = RoundUpTo4 (position + text.Length() + 1);
                    break;
                default:
                    break;
            }
        }
    }
    catch (const std::out_of_range& e)
    {
        AAX_CHostServices::Trace (AAX_eTracePriorityHost_Critical,
                                  "AAX_CChunkDataParser::GetChunkData ERROR: %s", e.what());
        return kChunkOverflow;
    }
    catch (...)
    {
        return kChunkOverflow;
    }

    chunk->fSize = size;
    return AAX_SUCCESS;
}

void AAX_CChunkDataParser::LoadChunk (const AAX_SPlugInChunk* chunk)
{
    Clear();
    mLoadSucceeded = true;
    if (chunk == nullptr)
        return;
    mChunkVersion = chunk->fVersion;

    const int64_t size = chunk->fSize;
    const unsigned char* data = DataOf (chunk);
    if (size < 5 || std::memcmp (data, kMarker, sizeof kMarker) != 0)
        return;

    try
    {
        int64_t position = 4;
        while (position < size && mDataValues.size() < kMaxEntries)
        {
            // Zeroed, so that the name after the two tag characters is empty for a shorter text.
            char buffer[kNameBufferSize] = {};
            const int64_t limit = std::min (size - position, kNameBufferSize - 1);
            int64_t length = 0;
            while (length < limit && data[position + length] != 0)
            {
                buffer[length] = static_cast<char> (data[position + length]);
                ++length;
            }
            position = RoundUpTo4 (position + length + 1);

            DataValue entry;
            const auto fits = [&] (int64_t bytes) { return position + bytes <= size; };
            switch (buffer[0])
            {
                case 'd':
                    if (!fits (8))
                        return; // a truncated value: the entry is dropped, the earlier ones stay
                    entry.mDataType = kDataType_Double;
                    entry.mValue = GetBigEndian (data + position, 8);
                    position += 8;
                    break;
                case 'f':
                case 'l':
                    if (!fits (4))
                        return;
                    entry.mDataType = buffer[0] == 'f' ? kDataType_Float : kDataType_Int32;
                    entry.mValue = GetBigEndian (data + position, 4);
                    position += 4;
                    break;
                case 's':
                    if (!fits (2))
                        return;
                    entry.mDataType = kDataType_Int16;
                    entry.mValue = Int32Bits (static_cast<int16_t> (GetBigEndian (data + position, 2)));
                    position += 4;
                    break;
                case 'r':
                {
                    if (!fits (1))
                        return;
                    const auto* text = data + position;
                    const auto* end =
                        static_cast<const unsigned char*> (std::memchr (text, 0, size_t (size - position)));
                    if (end == nullptr)
                        return; // no terminating zero within the chunk
                    entry.mDataType = kDataType_String;
                    entry.mStringValue = reinterpret_cast<const char*> (text);
                    position = RoundUpTo4 (position + (end - text) + 1);
                    break;
                }
                default:
                    break;
            }
            entry.mDataName = buffer + 2;
            mDataValues.push_back (std::move (entry));
        }
    }
    catch (const std::bad_alloc&)
    {
        // Keeping part of a chunk that could not be held would apply a state nobody saved.
        mDataValues.clear();
        mDataValues.shrink_to_fit();
        mLoadSucceeded = false;
    }
}

void AAX_CChunkDataParser::Clear()
{
    mLastFoundIndex = -1;
    mChunkVersion = -1;
    mDataValues.clear();
}
