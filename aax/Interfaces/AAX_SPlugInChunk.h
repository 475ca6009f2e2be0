// The record in which the host hands a chunk of saved state in and out: a 56-byte header in the
// host's byte order, followed directly by fSize bytes of data.
#pragma once

#include <cstddef>
#include <cstdint>

#include "AAX.h"

struct AAX_SPlugInChunk
{
    int32_t fSize; // bytes of data after the header
    int32_t fVersion;
    AAX_CTypeID fManufacturerID;
    AAX_CTypeID fProductID;
    AAX_CTypeID fPlugInID;
    AAX_CTypeID fChunkID;
    char fName[32]; // zero-terminated
    // The first of fSize bytes; the host allocates the record with room for all of them. Reach the
    // data through a pointer to it, never by indexing the declared array.
    char fData[1];
};

// Bytes of the header before the data.
constexpr size_t AAX_kPlugInChunkHeaderSize = 56;

static_assert (offsetof (AAX_SPlugInChunk, fChunkID) == 20, "chunk header layout");
static_assert (offsetof (AAX_SPlugInChunk, fName) == 24, "chunk header layout");
static_assert (offsetof (AAX_SPlugInChunk, fData) == AAX_kPlugInChunkHeaderSize, "chunk header layout");
