#pragma once

#include "LETPoint.h"

#include <JuceHeader.h>

#include <cstdint>

// The curve editor's geometry and edits as plain functions on the 50 point slots, so that every
// edge case can be checked without a component or a mouse. Screen positions are in the editor
// component's own pixels; rounding goes to the nearest integer, halves to even.
class CurveEdits
{
public:
    static constexpr int maxPoints = 50;

    // What a hit test needs of the component: its size and the few fields that shape the grid.
    struct Geometry
    {
        float width = 0.0f;
        float height = 0.0f;
        float margin = 8.0f;
        float pointSize = 10.0f;
        float xSnapDivisions = 128.0f;
        float ySnapDivisions = 32.0f;
    };

    // Curve units (x right, y up, 0..1 over the curve area) to pixels and back.
    static float screenX (const Geometry& g, float x);
    static float screenY (const Geometry& g, float y);
    static float curveX (const Geometry& g, float px);
    static float curveY (const Geometry& g, float py);

    // The curve area is not empty: a component no larger than twice its margin has none.
    static bool hasCurveArea (const Geometry& g);

    enum class Hover
    {
        nothing,
        point,
        handle
    };

    // The last point or handle under the mouse, in index order; a point whose x column holds the
    // mouse hides its own handle.
    static Hover hoverAt (const LETPoint* points, int numPoints, const Geometry& g, juce::Point<int> mouse);

    // Left press: per used slot, dragState 1 (the point), 3 (its handle) or 0, with the grabbed
    // position kept in pointAtDown or handleAtDown.
    static void leftPress (const LETPoint* points, int numPoints, const Geometry& g, juce::Point<int> mouse,
                           int32_t* dragState, juce::Point<float>* pointAtDown,
                           juce::Point<float>* handleAtDown);

    struct RightAction
    {
        enum Kind
        {
            nothing,
            openMenu,     // the point menu of slot `index`
            resetTension, // slot `index`'s tension becomes 0
            add           // a new point at `at` (already snapped)
        };

        Kind kind = nothing;
        int index = -1;
        juce::Point<float> at;
    };

    // One step of the right-press walk: the next action from slot `from` on. The walk goes on
    // from index + 1 after every menu or reset, with numPoints read afresh; once it ends without
    // any hit (hitSoFar false), the press adds a point when there is room and it lies strictly
    // inside the curve area.
    static RightAction nextRightAction (const LETPoint* points, int numPoints, const Geometry& g,
                                        juce::Point<int> mouse, int from, bool hitSoFar);

    // A new point in the first free slot, then sorted and flagged; false when the curve is full.
    static bool addPoint (LETPoint* points, int32_t& numPoints, juce::Point<float> at, int32_t type);
    // Frees a deletable point's slot, then sorted and flagged; false when it may not be deleted.
    static bool deletePoint (LETPoint* points, int32_t& numPoints, int index);
    // The shape of the segment ending at the point; false when it already had that type.
    static bool setType (LETPoint* points, int numPoints, int index, int32_t type);

    struct Snap
    {
        bool x = true;
        bool y = true;
    };

    // Moves the first grabbed point and every grabbed handle (except the first slot's) by the
    // rounded distance from the press. Returns whether anything moved; handle positions and the
    // rendering are left to the caller.
    static bool drag (LETPoint* points, int numPoints, const Geometry& g, juce::Point<int> distance,
                      Snap snap, const int32_t* dragState, const juce::Point<float>* pointAtDown,
                      const juce::Point<float>* handleAtDown);

    // A free slot as the editor writes it when it deletes a point.
    static LETPoint freeSlot();

private:
    CurveEdits() = delete;
};
