// Base types of the AAX binding.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ACF/ACFBaseTypes.h"

// Every host-facing operation answers one of these: 0 for success, a named code of AAX_EError, or
// a component-model code.
typedef int32_t AAX_Result;
typedef uint8_t AAX_CBoolean;
// Four-character codes (manufacturer, product, plug-in, meter and MIDI node identifiers).
typedef uint32_t AAX_CTypeID;
// The value of an integer property.
typedef int32_t AAX_CPropertyValue;
// The index of a field of an algorithm context.
typedef int32_t AAX_CFieldIndex;
// The identifier the host assigns to a registered process procedure.
typedef uint32_t AAX_CSelector;
// The identifier of a procedure registered with AddProcPtr.
typedef uint32_t AAX_CProcPtrID;
// A parameter identifier as text.
typedef const char* AAX_CParamID;

#define AAX_CALLBACK

// A process procedure: the instances' context pointers, from begin up to end.
typedef void (AAX_CALLBACK* AAX_CProcessProc) (void* const inInstancesBegin[], const void* inInstancesEnd);
// Called when an instance's context is created or destroyed.
typedef int32_t (AAX_CALLBACK* AAX_CInstanceInitProc) (const void* inInstanceContextPtr, int32_t inAction);
// Idle-time work of the algorithm.
typedef int32_t (AAX_CALLBACK* AAX_CBackgroundProc)();

// The procedure identifiers of the two factory functions that create the plug-in's objects.
constexpr AAX_CProcPtrID kAAX_ProcPtrID_Create_EffectParameters = 0;
constexpr AAX_CProcPtrID kAAX_ProcPtrID_Create_EffectGUI = 1;

// Manufacturer, product and plug-in code of one plug-in type.
struct AAX_SPlugInIdentifierTriad
{
    AAX_CTypeID mManufacturerID;
    AAX_CTypeID mProductID;
    AAX_CTypeID mPlugInID;
};

// The stem-format index lives in the upper 16 bits, the channel count in the lower ones.
#define AAX_STEM_FORMAT_INDEX(fmt) (static_cast<int16_t> ((static_cast<uint32_t> (fmt) >> 16) & 0xFFFFu))
#define AAX_STEM_FORMAT_CHANNEL_COUNT(fmt) (static_cast<uint16_t> (static_cast<uint32_t> (fmt) & 0xFFFFu))

// The index of a field in an algorithm context: the context is an array of pointer-sized fields,
// so the index is the field's offset in pointer sizes.
#define AAX_FIELD_INDEX(type, field) (static_cast<AAX_CFieldIndex> (offsetof (type, field) / sizeof (void*)))

// The identifier of the master-bypass parameter that a plug-in adds when it has no bypass of its own.
inline constexpr char cDefaultMasterBypassID[] = "MasterBypassID";
