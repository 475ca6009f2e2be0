#include "ShapeThumbnailTable.h"

#include "LineEditor.h"
#include "ShapeLibrary.h"

#include <memory>

namespace
{
struct Table
{
    Table()
    {
        // The model carries every undo history, far too large for the stack.
        auto model = std::make_unique<LineEditor>();
        LETPoint slots[LineEditor::maxPoints];
        for (int r = 0; r < ShapeThumbnailTable::numRows; ++r)
        {
            ShapeLibrary::fillSlots (r, slots);
            model->setLinePoints (slots);
            for (int i = 0; i < ShapeThumbnailTable::numValues; ++i)
                rows[r][i] = model->valueAt (static_cast<float> (i) / 99.0f);
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
