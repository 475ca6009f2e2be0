#include "ShapeThumbnailTable.h"
#include "ShapeLibrary.h"

#include <gtest/gtest.h>

#include <cmath>

// The rows that have a closed form, each value computed here in double precision.
TEST (ShapeThumbnailTable, RowsWithAClosedFormFollowIt)
{
    const auto& rows = ShapeThumbnailTable::rows();
    const double pi = 3.14159265358979323846;
    for (int i = 0; i < 100; ++i)
    {
        const double x = i / 99.0;
        const double triangle = i <= 49 ? 2.0 * i / 99.0 : 2.0 - 2.0 * i / 99.0;
        const double dips = x < 0.5 ? 1.0 - (0.5 - 0.5 * std::cos (6.0 * pi * x))
                                    : 0.5 - 0.5 * std::cos (6.0 * pi * (x - 0.5));
        EXPECT_NEAR (rows[0][i], 1.0, 1e-6) << i;
        EXPECT_NEAR (rows[1][i], 0.5, 1e-6) << i;
        EXPECT_NEAR (rows[2][i], 0.0, 1e-6) << i;
        EXPECT_NEAR (rows[3][i], x, 1e-6) << i;
        EXPECT_NEAR (rows[4][i], i == 99 ? 0.001 : triangle, 1e-6) << i;
        EXPECT_NEAR (rows[7][i], dips, 1e-6) << i;
    }
    EXPECT_EQ (rows[4][99], 0.001f);

    // Four falling teeth, with the stored values beside the steps.
    EXPECT_NEAR (rows[9][10], 1.0 - std::fmod (40.0 / 99.0, 1.0), 1e-6);
    EXPECT_NEAR (rows[9][60], 1.0 - std::fmod (240.0 / 99.0, 1.0), 1e-6);
    const int at[] = { 24, 25, 49, 74, 99 };
    const float value[] = { 0.0286f, 1.0303f, 0.0530f, 0.3302f, 0.0500f };
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ (rows[9][at[k]], value[k]) << at[k];

    for (int r = 0; r < ShapeThumbnailTable::numRows; ++r)
        for (int i = 0; i < ShapeThumbnailTable::numValues; ++i)
        {
            EXPECT_GE (rows[r][i], -0.075f) << r << ", " << i;
            EXPECT_LE (rows[r][i], 1.075f) << r << ", " << i;
        }
}

// Gate shape 24 alternates whole eighths at 1 and 0; Rhythm shape 31 dips to 0 at a quarter.
TEST (ShapeThumbnailTable, OtherRowsPictureTheirShapes)
{
    const auto& rows = ShapeThumbnailTable::rows();
    for (int i = 0; i < 99; ++i)
    {
        const double x = i / 99.0;
        const int eighth = static_cast<int> (x * 8.0);
        const double edge = x * 8.0 - eighth;
        if (edge > 0.02 && edge < 0.98)
        {
            EXPECT_FLOAT_EQ (rows[24][i], eighth % 2 == 0 ? 1.0f : 0.0f) << i;
        }
    }
    EXPECT_NEAR (rows[31][0], 1.0, 1e-6);
    EXPECT_NEAR (rows[31][99], 1.0, 1e-6);

    // The slots a click applies hold exactly the listed points, then free slots.
    LETPoint slots[50];
    ShapeLibrary::fillSlots (25, slots);
    EXPECT_EQ (slots[31].x, 1.0f);
    EXPECT_EQ (slots[31].indx, 31);
    EXPECT_EQ (slots[20].x, 0.62501f);
    EXPECT_EQ (slots[32].indx, -1);
    EXPECT_EQ (slots[32].x, 2.0f);
}
