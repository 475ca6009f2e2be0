#include "LineEditorUI.h"

#include <cmath>
#include <utility>

namespace
{
const char* const typeNames[] = { "Single Curve 1", "Single Curve 2", "Single Curve 3",
                                  "Double Curve 1", "Double Curve 2", "Double Curve 3",
                                  "Step",           "Wave/Saw",       "Pulse" };

// A position JUCE can draw: a stored curve may hold values that are not numbers or lie far
// outside the cycle, and JUCE asserts on (or overflows with) such coordinates.
bool drawable (juce::Point<float> p)
{
    constexpr float limit = 1.0e6f;
    return std::abs (p.x) < limit && std::abs (p.y) < limit;
}

// Beats per bar beyond which the grid would be too dense to read (and n * n would overflow).
constexpr int64_t maxGridNumerator = 32;
} // namespace

LineEditorUI::LineEditorUI()
{
    for (auto& p : points)
        p = CurveEdits::freeSlot();

    points[0] = { 0.0f, 1.0f, 0.0f, 0, 0.0f, 0.0f, 1, true, false, false };
    points[1] = { 1.0f, 1.0f, 0.0f, 1, 0.0f, 0.0f, 1, true, false, false };

    menuLookAndFeel.accentColour = lineColour;
    menuLookAndFeel.menuTextColour = lineColour;
    menuLookAndFeel.menuHighlightColour = lineColour;
    menuLookAndFeel.trackColour = gridColour;
    menuLookAndFeel.menuBackgroundColour = gridColour;
    menuLookAndFeel.menuHighlightedTextColour = juce::Colour (0xFF202020);
    menuLookAndFeel.scale = 2.0f;

    showPointMenu = [this] (juce::PopupMenu& menu)
    {
        menu.setLookAndFeel (&menuLookAndFeel);
        return menu.show();
    };

    calculateLine();
}

LineEditorUI::~LineEditorUI()
{
    // Destroyed from inside the point menu's loop (the host closed the window): the menu and its
    // window must let go of menuLookAndFeel before it dies with this component.
    if (menuOnShow != nullptr)
    {
        menuOnShow->setLookAndFeel (nullptr);
        juce::PopupMenu::dismissAllActiveMenus();
    }
}

CurveEdits::Geometry LineEditorUI::geometry() const
{
    return { static_cast<float> (getWidth()),
             static_cast<float> (getHeight()),
             margin,
             pointSize,
             xSnapDivisions,
             ySnapDivisions };
}

void LineEditorUI::calculateLine()
{
    CurveRenderer::render (points, numPoints, renderedLine);
    repaint();
}

void LineEditorUI::setLinePoints (const LETPoint* source)
{
    ++reloadCount;
    loadedLine = loadedState = -1;
    cancelDrag();
    numPoints = CurveRenderer::load (points, source);
    calculateLine();
}

void LineEditorUI::setLinePoints (const LETPoint* source, int line, int state)
{
    setLinePoints (source);
    loadedLine = line;
    loadedState = state;
}

void LineEditorUI::stopDrag()
{
    cancelDrag();
}

juce::PopupMenu LineEditorUI::createPointMenu (int index) const
{
    const bool valid = index >= 0 && index < juce::jlimit (0, maxPoints, static_cast<int> (numPoints));
    const auto& p = points[juce::jlimit (0, maxPoints - 1, index)];

    juce::PopupMenu menu;
    menu.addItem (deleteItem, "Delete", valid && p.deletable);
    for (int t = 1; t <= 9; ++t)
        menu.addItem (firstTypeItem + t - 1, typeNames[t - 1], true, valid && p.type == t);
    menu.addSeparator();
    menu.addItem (snapXItem, "Snap X", true, snapX);
    menu.addItem (snapYItem, "Snap Y", true, snapY);
    return menu;
}

void LineEditorUI::cancelDrag()
{
    std::fill (std::begin (dragState), std::end (dragState), 0);
    dragging = false;
}

void LineEditorUI::updateCursor (juce::Point<int> mouse)
{
    switch (CurveEdits::hoverAt (points, numPoints, geometry(), mouse))
    {
        case CurveEdits::Hover::point:
            setMouseCursor (juce::MouseCursor::UpDownLeftRightResizeCursor);
            break;
        case CurveEdits::Hover::handle:
            setMouseCursor (juce::MouseCursor::UpDownResizeCursor);
            break;
        case CurveEdits::Hover::nothing:
            setMouseCursor (juce::MouseCursor::NormalCursor);
            break;
    }
}

void LineEditorUI::mouseMove (const juce::MouseEvent& e)
{
    if (CurveEdits::hasCurveArea (geometry()))
        updateCursor (e.getPosition());
}

void LineEditorUI::mouseDown (const juce::MouseEvent& e)
{
    const auto g = geometry();
    if (!CurveEdits::hasCurveArea (g))
        return;

    movedSincePress = false;
    const auto mouse = e.getPosition();

    if (e.mods.isLeftButtonDown())
        CurveEdits::leftPress (points, numPoints, g, mouse, dragState, pointAtDown, handleAtDown);

    if (e.mods.isRightButtonDown())
        rightPress (mouse);
}

void LineEditorUI::rightPress (juce::Point<int> mouse)
{
    const juce::Component::SafePointer<LineEditorUI> self (this);
    const auto reloadsAtPress = reloadCount;
    bool hit = false;

    for (int from = 0;;)
    {
        const auto action = CurveEdits::nextRightAction (points, numPoints, geometry(), mouse, from, hit);
        if (action.kind == CurveEdits::RightAction::nothing)
            return;

        // Every action may move slots, so a drag grabbed by the same press ends here.
        cancelDrag();

        if (action.kind == CurveEdits::RightAction::add)
        {
            if (CurveEdits::addPoint (points, numPoints, action.at, defaultCurveType))
            {
                calculateLine();
                lineChanged = true;
            }
            return;
        }

        hit = true;
        from = action.index + 1;

        if (action.kind == CurveEdits::RightAction::resetTension)
        {
            points[action.index].tn = 0.0f;
            calculateLine();
            lineChanged = true;
            continue;
        }

        auto menu = createPointMenu (action.index);
        // The hook may destroy this component (and with it the hook), so it runs from a copy.
        const auto show = showPointMenu;
        menuOnShow = &menu;
        const int choice = show ? show (menu) : 0;
        if (self == nullptr)
            return;
        menuOnShow = nullptr;

        // The curve was replaced while the menu was open: the choice was meant for a point that
        // may no longer be in that slot. The snap switches belong to no point and still count.
        if (reloadCount != reloadsAtPress)
        {
            if (choice == snapXItem || choice == snapYItem)
                applyMenuChoice (action.index, choice);
            return;
        }

        applyMenuChoice (action.index, choice);
    }
}

void LineEditorUI::applyMenuChoice (int index, int choice)
{
    if (choice == deleteItem)
    {
        if (CurveEdits::deletePoint (points, numPoints, index))
        {
            calculateLine();
            lineChanged = true;
        }
    }
    else if (choice >= firstTypeItem && choice <= lastTypeItem)
    {
        const int32_t type = choice - firstTypeItem + 1;
        if (CurveEdits::setType (points, numPoints, index, type))
        {
            defaultCurveType = type;
            calculateLine();
            lineChanged = true;
        }
    }
    else if (choice == snapXItem)
    {
        snapX = !snapX;
        snapChanged = true;
    }
    else if (choice == snapYItem)
    {
        snapY = !snapY;
        snapChanged = true;
    }
}

void LineEditorUI::mouseDrag (const juce::MouseEvent& e)
{
    const auto g = geometry();
    if (!CurveEdits::hasCurveArea (g) || !e.mods.isLeftButtonDown() || numPoints < 1)
        return;

    // JUCE's own drag threshold (a few pixels or a few hundred milliseconds) would swallow fine
    // moves, so any rounded movement starts the drag.
    const auto distance = e.getOffsetFromDragStart();
    movedSincePress = movedSincePress || distance != juce::Point<int>();
    if (!movedSincePress)
        return;

    if (CurveEdits::drag (points, numPoints, g, distance, { snapX, snapY }, dragState, pointAtDown,
                          handleAtDown))
    {
        setMouseCursor (juce::MouseCursor::NoCursor);
        calculateLine();
        dragging = true;
    }
}

void LineEditorUI::mouseUp (const juce::MouseEvent& e)
{
    if (!CurveEdits::hasCurveArea (geometry()))
        return;

    updateCursor (e.getPosition());
    if (dragging)
    {
        lineChanged = true;
        dragging = false;
    }
}

void LineEditorUI::mouseDoubleClick (const juce::MouseEvent&) {}

void LineEditorUI::paint (juce::Graphics& g)
{
    const auto geo = geometry();
    if (!CurveEdits::hasCurveArea (geo))
        return;

    const float w = geo.width;
    const float h = geo.height;
    const float m = margin;

    g.setColour (gridColour.withAlpha (static_cast<juce::uint8> (0xCC)));
    for (int quarter = 1; quarter <= 3; ++quarter)
    {
        const float y = CurveEdits::screenY (geo, static_cast<float> (quarter) * 0.25f);
        g.drawLine (m + gridInset, y, w - m - gridInset, y,
                    quarter == 2 ? 3.0f * gridThickness : gridThickness);
    }

    const int64_t n = timeSigNumerator;
    if (n >= 2 && n <= maxGridNumerator)
    {
        const int64_t divisions = n * n;
        for (int64_t c = 1; c < divisions; ++c)
        {
            const float x =
                CurveEdits::screenX (geo, static_cast<float> (c) / static_cast<float> (divisions));
            g.drawLine (x, m + gridInset, x, h - m - gridInset,
                        c % n == 0 ? 3.0f * gridThickness : gridThickness);
        }
    }

    // One stroke through all 511 segments: drawn one by one, the half-pixel segments would each
    // antialias their edges and the line would come out a quarter transparent.
    juce::Path curve;
    curve.preallocateSpace (3 * tableSize);
    bool gap = true;
    for (int k = 0; k < tableSize; ++k)
    {
        const juce::Point<float> v (CurveEdits::screenX (geo, renderedLine[k][0]),
                                    CurveEdits::screenY (geo, renderedLine[k][1]));
        if (!drawable (v))
            gap = true;
        else if (std::exchange (gap, false))
            curve.startNewSubPath (v);
        else
            curve.lineTo (v);
    }
    g.setColour (lineColour);
    g.strokePath (curve, juce::PathStrokeType (lineThickness, juce::PathStrokeType::beveled,
                                               juce::PathStrokeType::butt));

    const float r = pointSize / 2.0f;
    for (int i = 0; i < juce::jlimit (0, maxPoints, static_cast<int> (numPoints)); ++i)
    {
        const auto& p = points[i];
        const juce::Point<float> at (CurveEdits::screenX (geo, p.x), CurveEdits::screenY (geo, p.y));
        const juce::Point<float> handle (CurveEdits::screenX (geo, p.handleX),
                                         CurveEdits::screenY (geo, p.handleY));
        if (drawable (at))
            g.fillEllipse (at.x - r, at.y - r, pointSize, pointSize);
        if (i > 0 && drawable (handle))
            g.drawEllipse (handle.x - r, handle.y - r, pointSize, pointSize, handleOutline);
    }
}

void LineEditorUI::resized() {}
