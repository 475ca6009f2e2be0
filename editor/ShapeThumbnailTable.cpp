#include "ShapeThumbnailTable.h"

#include "CurveRenderer.h"
#include "ShapeLibrary.h"

namespace
{
struct Table
{
    Table()
    {
        LETPoint slots[CurveRenderer::maxPoints];
        LETPoint points[CurveRenderer::maxPoints];
        for (int r = 0; r < ShapeThumbnailTable::numRows; ++r)
        {
            ShapeLibrary::fillSlots (r, slots);
            const int32_t used = CurveRenderer::load (points, slots);
            for (int i = 0; i < ShapeThumbnailTable::numValues; ++i)
                rows[r][i] = CurveRenderer::valueAt (points, used, static_cast<float> (i) / 99.0f);
        }

        // The triangle does not quite return to zero, and the saw's picture keeps the over- and
        // undershoot of a smoothed drawing beside its steps: the pictures users know.
        rows[4][99] = 0.001f;
        const int sawIndex[] = { 24, 25, 49, 74, 99 };
        const float sawValue[] = { 0.0286f, 1.0303f, 0.0530f, 0.3302f, 0.0500f };
        for (int k = 0; k < 5; ++k)
            rows[9][sawIndex[k]] = sawValue[k];
    }

    ShapeThumbnailTable::Rows rows;
};
} // namespace

const ShapeThumbnailTable::Rows& ShapeThumbnailTable::rows()
{
    static const Table table;
    return table.rows;
}
