// Base types of the host's component model: identifiers, results and the integer widths that
// cross the host boundary.
#pragma once

#include <cstdint>
#include <cstring>

typedef uint8_t acfUInt8;
typedef uint16_t acfUInt16;
typedef int32_t acfSInt32;
typedef uint32_t acfUInt32;
typedef uint64_t acfUInt64;
typedef int32_t ACFRESULT;

// A 16-byte identifier: a 32-bit and two 16-bit fields in the processor's byte order, then eight
// single bytes. Equality is byte equality; there is no ordering.
struct _acfUID
{
    acfUInt32 Data1;
    acfUInt16 Data2;
    acfUInt16 Data3;
    acfUInt8 Data4[8];
};

typedef _acfUID acfUID;
typedef _acfUID acfIID;
typedef _acfUID acfCLSID;

static_assert (sizeof (_acfUID) == 16, "identifiers cross the host boundary as exactly 16 bytes");

inline bool operator== (const _acfUID& a, const _acfUID& b) noexcept
{
    return std::memcmp (&a, &b, sizeof (_acfUID)) == 0;
}

inline bool operator!= (const _acfUID& a, const _acfUID& b) noexcept
{
    return !(a == b);
}

// Component-model results. They share the 32-bit channel with the AAX results.
constexpr ACFRESULT ACF_OK = 0;
// The object has no such interface.
constexpr ACFRESULT ACF_E_NOINTERFACE = static_cast<ACFRESULT> (0x80000004u);
// A pointer was null where one was needed (also thrown as a plain integer by the host proxies when
// the host reports success with a null interface).
constexpr ACFRESULT ACF_E_POINTER = static_cast<ACFRESULT> (0x80000005u);
// An exception reached an exported entry point.
constexpr ACFRESULT ACF_E_UNEXPECTED = static_cast<ACFRESULT> (0x8000FFFFu);

inline bool ACFSUCCEEDED (ACFRESULT r) noexcept
{
    return r >= 0;
}

inline bool ACFFAILED (ACFRESULT r) noexcept
{
    return r < 0;
}
