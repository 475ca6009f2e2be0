#pragma once

#include "LETPoint.h"

#include <array>
#include <cstddef>
#include <initializer_list>

// Test-side construction of curves as every curve builder of the system writes them.
struct PointSpec
{
    float x, y, tn;
    int type;
};

using Curve = std::array<LETPoint, 50>;

inline LETPoint freeSlot()
{
    return { 2.0f, 0.0f, 0.0f, -1, 0.0f, 0.0f, 1, true, false, true };
}

inline Curve makeCurve (std::initializer_list<PointSpec> specs)
{
    Curve curve;
    curve.fill (freeSlot());
    int i = 0;
    for (const auto& s : specs)
    {
        curve[static_cast<std::size_t> (i)] = { s.x, s.y, s.tn, i, 0.0f, 0.0f, s.type, false, false, true };
        ++i;
    }
    return curve;
}

// Field-by-field equality of the stored (not derived) fields and the flags; padding ignored.
inline bool samePoint (const LETPoint& a, const LETPoint& b)
{
    return a.x == b.x && a.y == b.y && a.tn == b.tn && a.indx == b.indx && a.type == b.type &&
           a.lockX == b.lockX && a.lockY == b.lockY && a.deletable == b.deletable;
}

inline bool sameCurve (const LETPoint* a, const LETPoint* b)
{
    for (int i = 0; i < 50; ++i)
        if (!samePoint (a[i], b[i]))
            return false;
    return true;
}
