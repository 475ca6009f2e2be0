// Enumerations of the typed host parameters.
#pragma once

#include <cstdint>

// How the host presents and automates a parameter. With no step count set, a continuous
// parameter gets 128 steps and a discrete one 2.
enum AAX_EParameterType : int32_t
{
    AAX_eParameterType_Discrete = 0,
    AAX_eParameterType_Continuous = 1
};

// Orientation flags; a parameter's orientation is any combination of them, 0 being the default
// (minimum at the left, at the bottom, rotary from left to right).
typedef int32_t AAX_EParameterOrientation;
enum AAX_EParameterOrientationBits : int32_t
{
    AAX_eParameterOrientation_Default = 0,
    AAX_eParameterOrientation_BottomMinTopMax = 0,
    AAX_eParameterOrientation_TopMinBottomMax = 1,
    AAX_eParameterOrientation_LeftMinRightMax = 0,
    AAX_eParameterOrientation_RightMinLeftMax = 2,
    AAX_eParameterOrientation_RotaryWrapMode = 4,
    AAX_eParameterOrientation_RotarySingleDotMode = 8,
    AAX_eParameterOrientation_RotaryBoostCutMode = 16,
    AAX_eParameterOrientation_RotarySpreadMode = 32,
    AAX_eParameterOrientation_RotaryLeftMinRightMax = 0,
    AAX_eParameterOrientation_RotaryRightMinLeftMax = 64
};

// Where a value update the host sends comes from.
enum AAX_EUpdateSource : int32_t
{
    AAX_eUpdateSource_Unspecified = 0,
    AAX_eUpdateSource_Parameter = 1,
    AAX_eUpdateSource_Chunk = 2,
    AAX_eUpdateSource_Delay = 3
};

enum AAX_EParameterDefaults : int32_t
{
    // Size of a parameter identifier field, terminating zero included.
    eParemeterDefaultMaxIdentifierSize = 32
};
