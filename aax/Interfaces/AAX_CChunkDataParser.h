#pragma once
#include "AAX.h"
#include "AAX_CString.h"
#include "AAX_SPlugInChunk.h"

#include <cstdint>
#include <vector>

/** Writes and reads the typed list of named values that a parameter chunk carries: after the
    marker 01 01 01 01, entries of a two-character type tag, the zero-terminated name, padding to
    a multiple of 4 and the value, big-endian. Names are found by a search that starts after the
    last one found, so a chunk written in the reader's own order is matched entry by entry. */
class AAX_CChunkDataParser
{
public:
    enum
    {
        kDataType_None = 0,
        kDataType_Float = 1,
        kDataType_Int32 = 2,
        kDataType_Double = 3,
        kDataType_Int16 = 4,
        kDataType_String = 5
    };

    // A chunk holds at most this many entries; the plug-in writes 17.
    static constexpr size_t kMaxEntries = 4096;

    struct DataValue
    {
        int32_t mDataType = kDataType_None;
        AAX_CString mDataName;
        // The bits of an int32, int16 or float in the low half, or of a double.
        uint64_t mValue = 0;
        AAX_CString mStringValue;
    };

    AAX_CChunkDataParser();
    virtual ~AAX_CChunkDataParser();

    void AddDouble (const char* name, double value);
    void AddInt32 (const char* name, int32_t value);
    void AddString (const char* name, AAX_CString value);

    /** True and the value only when the entry found has exactly the asked type. */
    bool FindDouble (const char* name, double* value);
    bool FindInt32 (const char* name, int32_t* value);
    bool FindString (const char* name, AAX_CString* value);

    /** Bytes of data the entries need, the marker included. */
    int32_t GetChunkDataSize() const;
    /** Writes the data and then the size field; -333 when the data would not fit. */
    AAX_Result GetChunkData (AAX_SPlugInChunk* chunk) const;
    /** Replaces the entries with those read from the chunk; reads nothing beyond its size. */
    void LoadChunk (const AAX_SPlugInChunk* chunk);
    void Clear();

    int32_t GetChunkVersion() const { return mChunkVersion; }
    size_t GetNumEntries() const { return mDataValues.size(); }
    const DataValue& GetEntry (size_t index) const { return mDataValues[index]; }
    /** False when the last LoadChunk could not keep its entries (memory ran out). */
    bool LoadSucceeded() const { return mLoadSucceeded; }

private:
    int32_t FindName (const char* name);
    // The entry found by name when it has this type; the search moves on either way.
    const DataValue* FindOfType (const char* name, int32_t type);

    int32_t mLastFoundIndex;
    int32_t mChunkVersion;
    std::vector<DataValue> mDataValues;
    bool mLoadSucceeded;
};
