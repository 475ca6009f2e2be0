// Value types of the host controller's operations.
#pragma once

#include <cstdint>

typedef float AAX_CSampleRate;
// A host time-of-day location, in samples.
typedef int64_t AAX_CTimeOfDay;
// A position on the host's transport counter.
typedef int64_t AAX_CTransportCounter;
typedef int32_t AAX_CTargetPlatform;

// How a file path handed to the host is encoded.
enum AAX_ETextEncoding : int32_t
{
    AAX_eTextEncoding_Undefined = -1,
    AAX_eTextEncoding_UTF8 = 0
};
