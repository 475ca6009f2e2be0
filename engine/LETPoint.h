#pragma once

#include <cstdint>
#include <type_traits>

// One curve point. Copied whole (memcpy) between the curve model, the processor's point
// stores, the curve editor and the state document, so its layout is fixed.
struct LETPoint
{
    float x = 2.0f;        // 0..1 inside the loop cycle; 2.0 marks a free slot
    float y = 0.0f;        // 0..1 gain
    float tn = 0.0f;       // -1..1 tension of the segment ending at this point
    int32_t indx = -1;     // order by x, -1 for a free slot
    float handleX = 0.0f;  // where the segment's tension handle is drawn
    float handleY = 0.0f;
    int32_t type = 1;      // 1..9 shape of the segment ending at this point
    bool lockX = false;
    bool lockY = false;
    bool deletable = true;
    uint8_t spare = 0;
};

static_assert (sizeof (LETPoint) == 32, "LETPoint is a 32-byte record");
static_assert (std::is_trivially_copyable_v<LETPoint>, "LETPoint is copied whole");
