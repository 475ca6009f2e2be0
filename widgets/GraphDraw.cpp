#include "GraphDraw.h"

namespace
{
int segmentCountForMode (int mode)
{
    switch (mode)
    {
        case 0:
        case 2:
            return 100;
        case 1:
            return 512;
        default:
            return 0;
    }
}

bool isFinite (juce::Point<float> p)
{
    return std::isfinite (p.x) && std::isfinite (p.y);
}
} // namespace

GraphDraw::GraphDraw()
{
    for (int i = 0; i < maxPoints; ++i)
        screenPoints[i] = { (float) i / (float) maxPoints, 0.0f };
}

GraphDraw::~GraphDraw() = default;

void GraphDraw::resized() {}

void GraphDraw::setPoint (const float* values)
{
    const int count = segmentCountForMode (mode);

    if (values != nullptr && count > 0)
    {
        const auto innerWidth = (float) (getWidth() - 2 * inset);
        const auto innerHeight = (float) (getHeight() - 2 * inset);

        for (int k = 0; k < count; ++k)
        {
            // Mode 2 samples 100 points from 512 values, first to last.
            const float value = mode == 2 ? values[k * 511 / 99] : values[k];
            // Inset and the two extra pixels are added one after the other, not as one sum: the
            // two round differently for some sizes.
            screenPoints[k] = { (float) k * innerWidth / (float) count + (float) inset + 2.0f,
                                (1.0f - value) * innerHeight + (float) inset };
        }
    }

    repaint();
}

void GraphDraw::paint (juce::Graphics& g)
{
    const int count = segmentCountForMode (mode);
    if (count == 0 || !std::isfinite (thickness))
        return;

    juce::Path path;
    for (int k = 1; k < count; ++k)
    {
        // A non-finite value would poison the whole path; its segments are left out.
        if (isFinite (screenPoints[k - 1]) && isFinite (screenPoints[k]))
            path.addLineSegment ({ screenPoints[k - 1], screenPoints[k] }, thickness);
    }

    g.setColour (colour);
    g.fillPath (path);
}
