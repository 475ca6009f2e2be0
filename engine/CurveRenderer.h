#pragma once

#include "LETPoint.h"

#include <cstdint>

// Loading and rendering of one curve of 50 point slots, shared by the curve model and the curve
// editor so that both draw exactly the same line. Pure computation on the caller's storage: no
// allocation, no locks, no I/O (it runs on the audio thread during a state switch).
class CurveRenderer
{
public:
    static constexpr int maxPoints = 50;
    static constexpr int tableSize = 512;

    using Table = float[tableSize][2];

    // Copies the 50 records of source into points, sorts and flags them; returns how many are used
    // (records whose indx is not -1).
    static int32_t load (LETPoint* points, const LETPoint* source);

    // Stable bubble sort of all 50 slots by x, then indx renumbered 0..numPoints-1, lockX on the
    // first and last used point and deletable on the others. lockY is kept.
    static void sortAndFlag (LETPoint* points, int32_t numPoints);

    // Renders the first numPoints slots into (x, y) pairs and places every tension handle.
    static void render (LETPoint* points, int32_t numPoints, Table& renderedLine);

    // The value at any x of the first numPoints (sorted) slots, from the same segment shapes as
    // the rendering: for pictures sampled at other positions than the table's. Before the first
    // point it holds the first point's value, from the last point on the last one's.
    static float valueAt (const LETPoint* points, int32_t numPoints, float x);

private:
    CurveRenderer() = delete;
};
