#include "LETPoint.h"

#include <cstddef>
#include <gtest/gtest.h>

// The record is copied whole between stores and written field by field by the state
// document; a layout change would silently break both.
TEST (LETPoint, FieldOffsetsAreFixed)
{
    EXPECT_EQ (offsetof (LETPoint, x), 0u);
    EXPECT_EQ (offsetof (LETPoint, y), 4u);
    EXPECT_EQ (offsetof (LETPoint, tn), 8u);
    EXPECT_EQ (offsetof (LETPoint, indx), 12u);
    EXPECT_EQ (offsetof (LETPoint, handleX), 16u);
    EXPECT_EQ (offsetof (LETPoint, handleY), 20u);
    EXPECT_EQ (offsetof (LETPoint, type), 24u);
    EXPECT_EQ (offsetof (LETPoint, lockX), 28u);
    EXPECT_EQ (offsetof (LETPoint, lockY), 29u);
    EXPECT_EQ (offsetof (LETPoint, deletable), 30u);
}
