#include "CurveEdits.h"

#include "CurveRenderer.h"

#include <algorithm>
#include <cmath>

namespace
{
float snapTo (float v, float divisions)
{
    return static_cast<float> (juce::roundToInt (v * divisions)) / divisions;
}

// Strictly inside the box that reaches half a point size before the centre and one and a half
// after it: the point menu's target sits below and to the right of the point.
bool inRightPressBox (float v, float centre, float pointSize)
{
    return centre - pointSize / 2.0f < v && v < centre + 1.5f * pointSize;
}

bool withinHalf (float v, float centre, float half)
{
    return centre - half < v && v < centre + half;
}

int usedCount (int numPoints)
{
    return juce::jlimit (0, CurveEdits::maxPoints, numPoints);
}
} // namespace

float CurveEdits::screenX (const Geometry& g, float x)
{
    return g.margin + x * (g.width - 2.0f * g.margin);
}

float CurveEdits::screenY (const Geometry& g, float y)
{
    return g.margin + (1.0f - y) * (g.height - 2.0f * g.margin);
}

float CurveEdits::curveX (const Geometry& g, float px)
{
    return (px - g.margin) / (g.width - 2.0f * g.margin);
}

float CurveEdits::curveY (const Geometry& g, float py)
{
    return 1.0f - (py - g.margin) / (g.height - 2.0f * g.margin);
}

bool CurveEdits::hasCurveArea (const Geometry& g)
{
    return g.width > 2.0f * g.margin && g.height > 2.0f * g.margin;
}

CurveEdits::Hover CurveEdits::hoverAt (const LETPoint* points, int numPoints, const Geometry& g,
                                       juce::Point<int> mouse)
{
    const auto mx = static_cast<float> (mouse.x);
    const auto my = static_cast<float> (mouse.y);
    const float h = g.pointSize / 2.0f;
    auto hover = Hover::nothing;

    for (int i = 0; i < usedCount (numPoints); ++i)
    {
        const auto& p = points[i];
        if (withinHalf (screenX (g, p.x), mx, h))
        {
            if (withinHalf (screenY (g, p.y), my, h))
                hover = Hover::point;
        }
        else if (withinHalf (screenX (g, p.handleX), mx, h) && withinHalf (screenY (g, p.handleY), my, h))
        {
            hover = Hover::handle;
        }
    }
    return hover;
}

void CurveEdits::leftPress (const LETPoint* points, int numPoints, const Geometry& g, juce::Point<int> mouse,
                            int32_t* dragState, juce::Point<float>* pointAtDown,
                            juce::Point<float>* handleAtDown)
{
    const auto press = mouse.toFloat();
    const float reach = g.pointSize / 2.0f;

    for (int i = 0; i < usedCount (numPoints); ++i)
    {
        const auto& p = points[i];
        if (press.getDistanceFrom ({ screenX (g, p.x), screenY (g, p.y) }) <= reach)
        {
            dragState[i] = 1;
            pointAtDown[i] = { p.x, p.y };
        }
        else if (press.getDistanceFrom ({ screenX (g, p.handleX), screenY (g, p.handleY) }) <= reach)
        {
            dragState[i] = 3;
            handleAtDown[i] = { p.handleX, p.handleY };
        }
        else
        {
            dragState[i] = 0;
        }
    }
}

CurveEdits::RightAction CurveEdits::nextRightAction (const LETPoint* points, int numPoints, const Geometry& g,
                                                     juce::Point<int> mouse, int from, bool hitSoFar)
{
    const auto mx = static_cast<float> (mouse.x);
    const auto my = static_cast<float> (mouse.y);
    const int used = usedCount (numPoints);

    for (int i = juce::jmax (0, from); i < used; ++i)
    {
        const auto& p = points[i];
        if (inRightPressBox (mx, screenX (g, p.x), g.pointSize))
        {
            // The point's column holds the press: its own box or nothing, never its handle.
            if (inRightPressBox (my, screenY (g, p.y), g.pointSize))
                return { RightAction::openMenu, i, {} };
        }
        else if (inRightPressBox (mx, screenX (g, p.handleX), g.pointSize) &&
                 inRightPressBox (my, screenY (g, p.handleY), g.pointSize))
        {
            return { RightAction::resetTension, i, {} };
        }
    }

    if (hitSoFar || used >= maxPoints)
        return {};

    const float x = curveX (g, mx);
    const float y = curveY (g, my);
    if (!(x > 0.0f && x < 1.0f && y > 0.0f && y < 1.0f))
        return {};

    // A new point always lands on the grid, whatever the snap flags say.
    return { RightAction::add, -1, { snapTo (x, g.xSnapDivisions), snapTo (y, g.ySnapDivisions) } };
}

bool CurveEdits::addPoint (LETPoint* points, int32_t& numPoints, juce::Point<float> at, int32_t type)
{
    if (numPoints < 0 || numPoints >= maxPoints)
        return false;

    points[numPoints] = { at.x, at.y, 0.0f, numPoints, 0.0f, 0.0f, type, false, false, true };
    ++numPoints;
    CurveRenderer::sortAndFlag (points, numPoints);
    return true;
}

bool CurveEdits::deletePoint (LETPoint* points, int32_t& numPoints, int index)
{
    if (index < 0 || index >= usedCount (numPoints) || !points[index].deletable || numPoints <= 2)
        return false;

    points[index] = freeSlot();
    --numPoints;
    CurveRenderer::sortAndFlag (points, numPoints);
    return true;
}

bool CurveEdits::setType (LETPoint* points, int numPoints, int index, int32_t type)
{
    if (index < 0 || index >= usedCount (numPoints) || points[index].type == type)
        return false;

    points[index].type = type;
    return true;
}

bool CurveEdits::drag (LETPoint* points, int numPoints, const Geometry& g, juce::Point<int> distance,
                       Snap snap, const int32_t* dragState, const juce::Point<float>* pointAtDown,
                       const juce::Point<float>* handleAtDown)
{
    const int used = usedCount (numPoints);
    const auto dx = static_cast<float> (distance.x);
    const auto dy = static_cast<float> (distance.y);
    bool pointMoved = false;
    bool anything = false;

    for (int i = 0; i < used; ++i)
    {
        auto& p = points[i];

        if (dragState[i] == 1 && !pointMoved)
        {
            const bool last = i == used - 1;
            const float prevX = i == 0 ? 0.0f : points[i - 1].x;
            const float nextX = last ? 1.0f : points[i + 1].x;
            const float upper = last ? 1.0f : nextX - 0.001f;
            const float lower = i == 0 ? 0.0f : prevX + 0.001f;

            if (!p.lockX)
            {
                float x = curveX (g, screenX (g, pointAtDown[i].x) + dx);
                if (snap.x)
                    x = snapTo (x, g.xSnapDivisions);
                x = juce::jmax (lower, juce::jmin (upper, x));
                // Neighbours closer than the 0.001 gap make the bounds cross; the point still may
                // not pass either of them.
                x = std::max (prevX, std::min (nextX, x));
                p.x = x;
            }

            if (!p.lockY)
            {
                float y = curveY (g, screenY (g, pointAtDown[i].y) + dy);
                if (snap.y)
                    y = snapTo (y, g.ySnapDivisions);
                p.y = juce::jlimit (0.0f, 1.0f, y);
            }

            pointMoved = true;
            anything = true;
        }
        else if (dragState[i] == 3 && i > 0)
        {
            const float y0 = points[i - 1].y;
            const float y1 = p.y;
            const float hy = curveY (g, screenY (g, handleAtDown[i].y) + dy);
            if (y1 == y0)
                p.tn = hy >= y0 ? 1.0f : -1.0f;
            else
                p.tn = juce::jlimit (-1.0f, 1.0f, 2.0f * (hy - y0) / (y1 - y0) - 1.0f);
            anything = true;
        }
    }

    return anything;
}

LETPoint CurveEdits::freeSlot()
{
    return { 2.0f, 0.0f, 0.0f, -1, 0.0f, 0.0f, 1, false, false, true };
}
