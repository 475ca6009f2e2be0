// Enumerations shared with the host. Only the values this binding and its clients use are named.
#pragma once

#include <cstdint>

// Property numbers of a property map. Values are integers or, for the procedure and file-name
// properties, pointers.
enum AAX_EProperty : int32_t
{
    AAX_eProperty_NoID = 0,
    AAX_eProperty_MinProp = 10,
    AAX_eProperty_ManufacturerID = 11,
    AAX_eProperty_ProductID = 12,
    AAX_eProperty_PlugInID_Native = 13,
    AAX_eProperty_PlugInID_AudioSuite = 14,
    AAX_eProperty_PlugInID_TI = 15,
    AAX_eProperty_NativeProcessProc = 36,
    AAX_eProperty_NativeInstanceInitProc = 37,
    AAX_eProperty_NativeBackgroundProc = 38,
    AAX_eProperty_TIDLLFileName = 39,
    AAX_eProperty_TIProcessProc = 40,
    AAX_eProperty_TIInstanceInitProc = 41,
    AAX_eProperty_TIBackgroundProc = 42,
    AAX_eProperty_InputStemFormat = 51,
    AAX_eProperty_OutputStemFormat = 52,
    AAX_eProperty_AudioBufferLength_Native = 54,
    AAX_eProperty_CanBypass = 60,
    AAX_eProperty_SupportsSideChainInput = 116,
    AAX_eProperty_Constraint_MultiMonoSupport = 304,
    AAX_eProperty_MaxProp = 401
};

// Channel layouts: the format index in the upper 16 bits, the channel count in the lower 16.
enum AAX_EStemFormat : uint32_t
{
    AAX_eStemFormat_Stereo = 0x00010002u,
    AAX_eStemFormat_None = 0xFFFF0000u,
    AAX_eStemFormat_Any = 0xFF9C0000u
};

// How far the host supports a feature.
enum AAX_ESupportLevel : int32_t
{
    AAX_eSupportLevel_Uninitialized = 0,
    AAX_eSupportLevel_Unsupported = 1,
    AAX_eSupportLevel_Supported = 2,
    AAX_eSupportLevel_Disabled = 3,
    AAX_eSupportLevel_ByProperty = 4
};

// Priorities of traces sent to the host.
enum AAX_ETracePriorityHost : int32_t
{
    AAX_eTracePriorityHost_None = 0,
    AAX_eTracePriorityHost_High = 0x04000000,
    AAX_eTracePriorityHost_Critical = 0x08000000
};

// Flags of an assertion report.
enum AAX_EAssertFlags : int32_t
{
    AAX_eAssertFlags_Default = 0,
    AAX_eAssertFlags_Log = 1
};

enum AAX_EMIDINodeType : int32_t
{
    AAX_eMIDINodeType_LocalInput = 0
};

enum AAX_EDataInPortType : int32_t
{
    AAX_eDataInPortType_Unbuffered = 0,
    AAX_eDataInPortType_Buffered = 1
};

enum AAX_EPrivateDataOptions : int32_t
{
    AAX_ePrivateDataOptions_DefaultOptions = 0
};

enum AAX_EResourceType : int32_t
{
    AAX_eResourceType_None = 0,
    AAX_eResourceType_PageTable = 1
};

enum AAX_EDmaMode : int32_t
{
    AAX_eDmaMode_None = 0
};

enum AAX_EComponentInstanceInitAction : int32_t
{
    AAX_eComponentInstanceInitAction_AddingNewInstance = 0,
    AAX_eComponentInstanceInitAction_RemovingInstance = 1,
    AAX_eComponentInstanceInitAction_ResetInstance = 2
};
