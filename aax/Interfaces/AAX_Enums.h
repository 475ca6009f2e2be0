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
    // The numbers of the two meter properties are this binding's own.
    AAX_eProperty_Meter_Type = 200,
    AAX_eProperty_Meter_Orientation = 201,
    AAX_eProperty_Constraint_MultiMonoSupport = 304,
    AAX_eProperty_MaxProp = 401
};

// Channel layouts: the format index in the upper 16 bits, the channel count in the lower 16.
// Stereo, None and Any are the host's values; the other indices are this binding's own, ordered so
// that every layout from index 13 on (0x000D0000) is one a host must declare through its
// stem-format feature before a plug-in may offer it.
enum AAX_EStemFormat : uint32_t
{
    AAX_eStemFormat_Mono = 0x00000001u,
    AAX_eStemFormat_Stereo = 0x00010002u,
    AAX_eStemFormat_LCR = 0x00020003u,
    AAX_eStemFormat_LCRS = 0x00030004u,
    AAX_eStemFormat_Quad = 0x00040004u,
    AAX_eStemFormat_5_0 = 0x00050005u,
    AAX_eStemFormat_5_1 = 0x00060006u,
    AAX_eStemFormat_6_0 = 0x00070006u,
    AAX_eStemFormat_6_1 = 0x00080007u,
    AAX_eStemFormat_7_0_SDDS = 0x00090007u,
    AAX_eStemFormat_7_1_SDDS = 0x000A0008u,
    AAX_eStemFormat_7_0_DTS = 0x000B0007u,
    AAX_eStemFormat_7_1_DTS = 0x000C0008u,
    AAX_eStemFormat_7_0_2 = 0x000D0009u,
    AAX_eStemFormat_7_1_2 = 0x000E000Au,
    AAX_eStemFormat_Ambi_1_ACN = 0x000F0004u,
    AAX_eStemFormat_Ambi_2_ACN = 0x00100009u,
    AAX_eStemFormat_Ambi_3_ACN = 0x00110010u,
    AAX_eStemFormat_Reserved_1 = 0x00120000u,
    AAX_eStemFormat_Reserved_2 = 0x00130000u,
    AAX_eStemFormat_Reserved_3 = 0x00140000u,
    // The number of format indices above; not a layout.
    AAX_eStemFormatNum = 21u,
    AAX_eStemFormat_None = 0xFFFF0000u,
    AAX_eStemFormat_Any = 0xFF9C0000u,
    // No layout: what a client answers for a channel set no format describes.
    AAX_eStemFormat_INT32_MAX = 0x7FFFFFFFu
};

// What a meter shows, and which way it grows (values of the two meter properties). The values are
// this binding's own.
enum AAX_EMeterType : int32_t
{
    AAX_eMeterType_Input = 0,
    AAX_eMeterType_Output = 1,
    AAX_eMeterType_CLGain = 2, // compressor or limiter gain reduction
    AAX_eMeterType_EGGain = 3, // expander or gate gain reduction
    AAX_eMeterType_Analysis = 4,
    AAX_eMeterType_Other = 5
};

enum AAX_EMeterOrientation : int32_t
{
    AAX_eMeterOrientation_Default = 0,
    AAX_eMeterOrientation_TopRight = 1
};

// The pass an offline (AudioSuite) render is in, the data of the processing-state notification.
// The values are this binding's own.
enum AAX_EProcessingState : int32_t
{
    AAX_eProcessingState_StartPass = 1,
    AAX_eProcessingState_BeginPassGroup = 2
};

// Notification types the host sends to an instance's NotificationReceived. Four-character codes
// of this binding's own choosing (written in hexadecimal, each with its characters), all distinct
// from the preview-state notification 'ASPv' (0x41535076).
enum AAX_ENotificationEvent : uint32_t
{
    AAX_eNotificationEvent_EnteringOfflineMode = 0x454F664Du,       // 'EOfM'
    AAX_eNotificationEvent_ExitingOfflineMode = 0x584F664Du,        // 'XOfM'
    AAX_eNotificationEvent_ASProcessingState = 0x41535073u,         // 'ASPs', data: AAX_EProcessingState
    AAX_eNotificationEvent_TrackNameChanged = 0x546B4E6Du,          // 'TkNm', data: AAX_IString
    AAX_eNotificationEvent_SideChainBeingConnected = 0x5343436Eu,   // 'SCCn'
    AAX_eNotificationEvent_SideChainBeingDisconnected = 0x53434463u // 'SCDc'
};

// The curves a host may ask a plug-in to draw (GetCurveData). Four-character codes of this
// binding's own choosing.
enum AAX_ECurveType : uint32_t
{
    AAX_eCurveType_EQ = 0x43764551u,       // 'CvEQ'
    AAX_eCurveType_Dynamics = 0x43764479u, // 'CvDy'
    AAX_eCurveType_Reduction = 0x43764752u // 'CvGR'
};

// Native block lengths as powers of two. Max is the binding's own value: hosts render at most
// 1 << 10 = 1024 samples per block, the size a client prepares for.
enum AAX_EAudioBufferLength : int32_t
{
    AAX_eAudioBufferLength_Max = 10
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
