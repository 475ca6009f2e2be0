// Value types of the host's view container.
#pragma once

#include <cstdint>

/** A size or position in the host's view coordinates. */
struct AAX_Point
{
    float vert = 0.0f;
    float horz = 0.0f;
};

// What native view a view container hands out.
enum AAX_EViewContainer_Type : int32_t
{
    AAX_eViewContainer_Type_NULL = 0,
    AAX_eViewContainer_Type_NSView = 1,
    AAX_eViewContainer_Type_UIView = 2,
    AAX_eViewContainer_Type_HWND = 3
};

// Modifier keys the host reports.
enum AAX_EModifiers : uint32_t
{
    AAX_eModifiers_None = 0,
    AAX_eModifiers_Shift = 1u << 0,
    AAX_eModifiers_Control = 1u << 1,
    AAX_eModifiers_Option = 1u << 2,
    AAX_eModifiers_Command = 1u << 3,
    AAX_eModifiers_SecondaryButton = 1u << 4,
    AAX_eModifiers_Alt = AAX_eModifiers_Option,
    AAX_eModifiers_Cntl = AAX_eModifiers_Control,
    AAX_eModifiers_WINKEY = AAX_eModifiers_Command
};

/** A rectangle in the host's view coordinates. */
struct AAX_Rect
{
    float top = 0.0f;
    float left = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
};

// The colour in which the host asks the plug-in to highlight a control.
enum AAX_EHighlightColor : int32_t
{
    AAX_eHighlightColor_Red = 0,
    AAX_eHighlightColor_Blue = 1,
    AAX_eHighlightColor_Green = 2,
    AAX_eHighlightColor_Yellow = 3,
    AAX_eHighlightColor_Num = 4
};

// Labels the host may ask the plug-in's window to supply in its own words.
enum AAX_EPlugInStrings : int32_t
{
    AAX_ePlugInStrings_Analysis = 0,
    AAX_ePlugInStrings_MoreInfo = 1,
    AAX_ePlugInStrings_ClipIndicator = 2,
    AAX_ePlugInStrings_Num = 3
};
