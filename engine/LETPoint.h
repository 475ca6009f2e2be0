#pragma once

#include <cstdint>
#include <type_traits>

// One curve point. A plain record copied whole (memcpy) between the curve model, the
// processor's point stores and clipboards, the curve editor and the state document, so its
// layout is fixed. It has no constructor: every writer sets all fields.
struct LETPoint
{
    float x;       // 0..1 inside the loop cycle; 2.0 marks a free slot
    float y;       // 0..1 gain at the point
    float tn;      // -1..1 tension of the segment ending at this point, 0 neutral
    int32_t indx;  // position in x order, -1 for a free slot
    float handleX; // where the tension handle of the segment ending here is drawn (derived)
    float handleY;
    int32_t type;   // 1..9 shape of the segment ending at this point
    bool lockX;     // first and last used point: x may not be dragged (derived)
    bool lockY;     // never set by the system
    bool deletable; // the opposite of lockX (derived)
    // one byte of padding follows
};

static_assert (sizeof (LETPoint) == 32, "LETPoint is a 32-byte record");
static_assert (std::is_trivial_v<LETPoint>, "LETPoint is a plain record without constructor");
static_assert (std::is_standard_layout_v<LETPoint>, "LETPoint is copied whole");
