#pragma once

// The pictures of the 40 library shapes drawn by the shape-library thumbnails: row r holds
// shape r's value at x = i / 99 for i = 0..99, so the first value is the start of the cycle and
// the last its end. Built once, then constant.
class ShapeThumbnailTable
{
public:
    static constexpr int numRows = 40;
    static constexpr int numValues = 100;

    using Rows = float[numRows][numValues];

    static const Rows& rows();
};
