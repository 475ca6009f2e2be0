#include "LineEditorUI.h"
#include "../engine/CurveBuilder.h"
#include "LineEditor.h"
#include "PixelProbe.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace
{
const auto left = juce::ModifierKeys (juce::ModifierKeys::leftButtonModifier);
const auto right = juce::ModifierKeys (juce::ModifierKeys::rightButtonModifier);

// Mouse events handed straight to the component, the press position kept for the drags.
class Mouse
{
public:
    explicit Mouse (LineEditorUI& c) : ui (c) {}

    void down (juce::Point<int> p, juce::ModifierKeys mods = left)
    {
        pressedAt = p.toFloat();
        ui.mouseDown (event (p, mods));
    }
    void drag (juce::Point<int> p, juce::ModifierKeys mods = left) { ui.mouseDrag (event (p, mods)); }
    void up (juce::Point<int> p) { ui.mouseUp (event (p, {})); }
    void move (juce::Point<int> p) { ui.mouseMove (event (p, {})); }
    void rightClick (juce::Point<int> p)
    {
        down (p, right);
        up (p);
    }
    void dragBy (juce::Point<int> from, juce::Point<int> offset)
    {
        down (from);
        drag (from + offset);
        up (from + offset);
    }

private:
    juce::MouseEvent event (juce::Point<int> p, juce::ModifierKeys mods) const
    {
        const auto time = juce::Time::getCurrentTime();
        return juce::MouseEvent (
            juce::Desktop::getInstance().getMainMouseSource(), p.toFloat(), mods,
            juce::MouseInputSource::defaultPressure, juce::MouseInputSource::defaultOrientation,
            juce::MouseInputSource::defaultRotation, juce::MouseInputSource::defaultTiltX,
            juce::MouseInputSource::defaultTiltY, &ui, &ui, time, pressedAt, time, 1, false);
    }

    LineEditorUI& ui;
    juce::Point<float> pressedAt;
};

// A 272 x 80 editor: with the default margin of 8 its curve area is 256 x 64 at (8, 8). Its
// menus count themselves and return `choice`.
struct Editor
{
    Editor()
    {
        ui.setSize (272, 80);
        ui.showPointMenu = [this] (juce::PopupMenu&)
        {
            ++menus;
            return choice;
        };
    }

    void load (const Curve& c) { ui.setLinePoints (c.data()); }

    LineEditorUI ui;
    Mouse mouse{ ui };
    int menus = 0;
    int choice = 0;
};

struct Xy
{
    float x, y;
};

std::vector<Xy> usedPoints (const LineEditorUI& ui)
{
    std::vector<Xy> v;
    for (int i = 0; i < ui.numPoints; ++i)
        v.push_back ({ ui.points[i].x, ui.points[i].y });
    return v;
}

// The right-press walk's actions, as text, when every menu is dismissed.
std::string walk (const LineEditorUI& ui, juce::Point<int> click)
{
    std::string text;
    bool hit = false;
    for (int from = 0;;)
    {
        const auto a = CurveEdits::nextRightAction (ui.points, ui.numPoints, ui.geometry(), click, from, hit);
        if (a.kind == CurveEdits::RightAction::nothing)
            return text;
        if (a.kind == CurveEdits::RightAction::add)
            return text + "add";
        text += (a.kind == CurveEdits::RightAction::openMenu ? "menu " : "reset ") +
                std::to_string (a.index) + " ";
        hit = true;
        from = a.index + 1;
    }
}
} // namespace

//==============================================================================
TEST (LineEditorUIRightPress, AddsOpensMenusOrResetsTensions)
{
    Curve full = makeCurve ({});
    for (int i = 0; i < 50; ++i)
        full[(size_t) i] = { (float) i / 49.0f, 0.0f, 0.0f, i, 0.0f, 0.0f, 1, false, false, true };
    const auto flat = makeCurve ({ { 0, 1, 0, 1 }, { 1, 1, 0.5f, 1 } });
    // Point 1 at (24, 72) holds x = 20 in its column but not y = 40, so its handle at (16, 40)
    // is not tested.
    const auto hidden = makeCurve ({ { 0, 1, 0, 1 }, { 0.0625f, 0, 0, 1 }, { 1, 0, 0, 1 } });

    // Curve x = (px - 8) / 256, y = 1 - (py - 8) / 64, snapped to 1/128 and 1/32, halves to
    // even; boxes reach from half a point size (5 px) before a centre to 15 px after it.
    struct Row
    {
        const Curve* load; // nullptr: go on from the previous row's curve
        juce::Point<int> click;
        std::string actions;
        Xy added; // the point an addition put in slot `at`
        int at;
    };
    const std::vector<Row> rows = {
        { nullptr, { 137, 43 }, "add", { 0.5f, 0.4375f }, 1 },      // 64.5 -> 64, 14.5 -> 14
        { nullptr, { 150, 58 }, "menu 1 ", {}, 0 },                 // just inside (136, 44)'s box
        { nullptr, { 151, 58 }, "add", { 0.5625f, 0.21875f }, 2 },  // just outside; 71.5 -> 72
        { nullptr, { 131, 44 }, "add", { 0.484375f, 0.4375f }, 1 }, // 5 px left is outside; 61.5 -> 62
        { nullptr, { 132, 44 }, "menu 1 menu 2 ", {}, 0 },          // both boxes hold it
        { nullptr, { 8, 40 }, "", {}, 0 },                          // left edge of the curve area
        { nullptr, { 264, 40 }, "", {}, 0 },                        // right edge
        { nullptr, { 8, 8 }, "menu 0 ", {}, 0 },
        { &full, { 136, 40 }, "", {}, 0 },
        { &hidden, { 20, 40 }, "add", { 0.046875f, 0.5f }, 1 },
        { &flat, { 140, 12 }, "reset 1 ", {}, 0 },
        { &flat, { 100, 74 }, "", {}, 0 }, // margin
        { &flat, { 100, 72 }, "", {}, 0 }, // bottom edge
    };

    Editor e;
    for (const auto& row : rows)
    {
        SCOPED_TRACE (row.click.toString());
        if (row.load != nullptr)
            e.load (*row.load);
        EXPECT_EQ (walk (e.ui, row.click), row.actions);

        e.menus = 0;
        e.ui.lineChanged = false;
        const int before = e.ui.numPoints;
        e.mouse.rightClick (row.click);

        const bool adds = row.actions == "add";
        EXPECT_EQ (e.menus, row.actions == "menu 1 menu 2 " ? 2 : row.actions.rfind ("menu", 0) == 0 ? 1 : 0);
        EXPECT_EQ (e.ui.lineChanged, adds || row.actions.rfind ("reset", 0) == 0);
        EXPECT_EQ (e.ui.numPoints, before + (adds ? 1 : 0));
        if (adds)
        {
            EXPECT_EQ (e.ui.points[row.at].x, row.added.x);
            EXPECT_EQ (e.ui.points[row.at].y, row.added.y);
        }
        if (row.load == &flat)
        {
            EXPECT_EQ (e.ui.points[1].tn, row.actions.empty() ? 0.5f : 0.0f);
        }
        if (row.click == juce::Point<int> (137, 43))
        {
            // The new point sits at (136, 44).
            EXPECT_EQ (CurveEdits::screenX (e.ui.geometry(), e.ui.points[1].x), 136.0f);
            EXPECT_EQ (CurveEdits::screenY (e.ui.geometry(), e.ui.points[1].y), 44.0f);
        }
    }
}

//==============================================================================
TEST (LineEditorUIHover, LastPointOrHandleUnderTheMouseSetsTheCursor)
{
    // Screen positions (x = 8 + 256 cx, y = 8 + 64 (1 - cy)); a handle sits at the middle of its
    // segment in x and, at tension 0, halfway up it.
    // hidden: (8, 8), (24, 72) with its handle at (16, 40), (264, 72).
    const auto hidden = makeCurve ({ { 0, 1, 0, 1 }, { 0.0625f, 0, 0, 1 }, { 1, 0, 0, 1 } });
    // close: (8, 8), (136, 40), (150, 40) with its handle at (143, 40), (264, 40).
    const auto close =
        makeCurve ({ { 0, 1, 0, 1 }, { 0.5f, 0.5f, 0, 1 }, { 0.5546875f, 0.5f, 0, 1 }, { 1, 0.5f, 0, 1 } });
    using C = juce::MouseCursor;
    const struct
    {
        const Curve* curve;
        juce::Point<int> mouse;
        C::StandardCursorType cursor;
        std::vector<int> grabbed; // dragState of the used slots after a left press there
    } rows[] = {
        { &hidden, { 16, 40 }, C::UpDownResizeCursor, { 0, 3, 0 } },
        { &hidden, { 20, 40 }, C::NormalCursor, { 0, 3, 0 } }, // point 1's column hides its handle
        // 5 px off: outside the hover's open square, inside the press's closed circle.
        { &hidden, { 11, 40 }, C::NormalCursor, { 0, 3, 0 } },
        { &hidden, { 24, 76 }, C::UpDownLeftRightResizeCursor, { 0, 1, 0 } },
        { &hidden, { 28, 72 }, C::UpDownLeftRightResizeCursor, { 0, 1, 0 } },
        { &hidden, { 29, 72 }, C::NormalCursor, { 0, 1, 0 } },
        { &close, { 140, 40 }, C::UpDownResizeCursor, { 0, 1, 3, 0 } }, // the later handle wins
        { &close, { 146, 40 }, C::UpDownLeftRightResizeCursor, { 0, 0, 1, 0 } },
        { &close, { 136, 43 }, C::UpDownLeftRightResizeCursor, { 0, 1, 0, 0 } },
    };

    Editor e;
    for (const auto& row : rows)
    {
        SCOPED_TRACE (row.mouse.toString());
        e.load (*row.curve);
        e.mouse.move (row.mouse);
        EXPECT_EQ (e.ui.getMouseCursor(), C (row.cursor));

        e.mouse.down (row.mouse);
        e.mouse.up (row.mouse);
        EXPECT_EQ (std::vector<int> (e.ui.dragState, e.ui.dragState + e.ui.numPoints), row.grabbed);
    }
}

//==============================================================================
TEST (LineEditorUIDrag, PointsAndHandlesFollowTheMouse)
{
    const auto threePoints = makeCurve ({ { 0, 1, 0, 1 }, { 0.5f, 0.25f, 0, 1 }, { 1, 0.75f, 0, 1 } });
    const auto level = makeCurve ({ { 0, 0.5f, 0, 1 }, { 1, 0.5f, 0, 1 } });
    // Two points 0.00001 apart, with a third added between them at (0.625, 0.5) below.
    const auto step =
        makeCurve ({ { 0, 0, 0, 1 }, { 0.625f, 0, 0, 1 }, { 0.62501f, 1, 0, 1 }, { 1, 1, 0, 1 } });

    struct Row
    {
        const char* what;
        Curve curve;
        juce::Point<int> press, offset;
        int slot;
        float x, y, tn;
    };
    // Screen positions on the three points: (8, 8), (136, 56), (264, 24); the last handle (200, 40).
    const std::vector<Row> rows = {
        { "handle up 8 px", threePoints, { 200, 40 }, { 0, -8 }, 2, 1.0f, 0.75f, 0.5f },
        { "handle up 40 px", threePoints, { 200, 40 }, { 0, -40 }, 2, 1.0f, 0.75f, 1.0f },
        { "handle down 60 px", threePoints, { 200, 40 }, { 0, 60 }, 2, 1.0f, 0.75f, -1.0f },
        { "middle point far right", threePoints, { 136, 56 }, { 200, 0 }, 1, 1.0f - 0.001f, 0.25f, 0.0f },
        { "middle point far left", threePoints, { 136, 56 }, { -200, 0 }, 1, 0.001f, 0.25f, 0.0f },
        // 64.5 -> 64 and 10.5 -> 10: halves to even.
        { "middle point snapped", threePoints, { 136, 56 }, { 1, -5 }, 1, 0.5f, 0.3125f, 0.0f },
        { "first point moves in y only", threePoints, { 8, 8 }, { 50, 16 }, 0, 0.0f, 0.75f, 0.0f },
        { "last point moves in y only", threePoints, { 264, 24 }, { -50, 8 }, 2, 1.0f, 0.625f, 0.0f },
        { "level handle at its level", level, { 136, 40 }, { 1, 0 }, 1, 1.0f, 0.5f, 1.0f },
        { "level handle above", level, { 136, 40 }, { 0, -1 }, 1, 1.0f, 0.5f, 1.0f },
        { "level handle below", level, { 136, 40 }, { 0, 1 }, 1, 1.0f, 0.5f, -1.0f },
        { "crossing bounds stop at the neighbour", step, { 168, 40 }, { 20, 0 }, 2, 0.62501f, 0.5f, 0.0f },
    };

    for (const auto& row : rows)
    {
        SCOPED_TRACE (row.what);
        Editor e;
        e.load (row.curve);
        if (row.curve[2].x == 0.62501f)
            e.mouse.rightClick ({ 168, 40 });
        e.ui.lineChanged = false;

        e.mouse.down (row.press);
        e.mouse.drag (row.press + row.offset / 2);
        e.mouse.drag (row.press + row.offset);
        EXPECT_TRUE (e.ui.dragging);
        EXPECT_FALSE (e.ui.lineChanged); // only the release completes the edit
        e.mouse.up (row.press + row.offset);
        EXPECT_TRUE (e.ui.lineChanged);
        EXPECT_FALSE (e.ui.dragging);

        const auto& p = e.ui.points[row.slot];
        EXPECT_EQ (p.x, row.x);
        EXPECT_EQ (p.y, row.y);
        EXPECT_EQ (p.tn, row.tn);
    }
}

//==============================================================================
TEST (LineEditorUIFlags, EditsRaiseTheirFlagsOnce)
{
    Editor e;
    e.load (makeCurve ({ { 0, 1, 0, 1 }, { 0.5f, 0.25f, 0, 1 }, { 1, 0.75f, 0, 1 } }));

    // A press on nothing and a drag: nothing moves, nothing is raised.
    const auto before = e.ui.points[1];
    e.mouse.dragBy ({ 60, 70 }, { 30, -20 });
    EXPECT_FALSE (e.ui.lineChanged);
    EXPECT_FALSE (e.ui.dragging);
    EXPECT_EQ (std::memcmp (&before, &e.ui.points[1], sizeof (LETPoint)), 0);

    // A press and release on a point without movement raises nothing.
    e.mouse.dragBy ({ 136, 56 }, { 0, 0 });
    EXPECT_FALSE (e.ui.lineChanged);

    // A two-pixel move counts (JUCE's own 4 px threshold would have swallowed it).
    e.mouse.dragBy ({ 136, 56 }, { 0, -2 });
    EXPECT_TRUE (e.ui.lineChanged);
    EXPECT_EQ (e.ui.points[1].y, 0.28125f);
    e.ui.lineChanged = false;

    // Menu choices on the middle point (its menu opens at (140, 60)): the choice, then the
    // flags raised, the point's type and both snap flags afterwards.
    for (const auto& [choice, expected] :
         std::vector<std::pair<int, std::string>>{ { 0, "- - 1 XY" }, // dismissed
                                                   { 2, "- - 1 XY" }, // its current type
                                                   { 8, "line - 7 XY" },
                                                   { 11, "- snap 7 Y" },
                                                   { 12, "- snap 7 " },
                                                   { 11, "- snap 7 X" } })
    {
        e.choice = choice;
        e.mouse.rightClick ({ 140, 60 });
        EXPECT_EQ (std::string (e.ui.lineChanged ? "line " : "- ") + (e.ui.snapChanged ? "snap " : "- ") +
                       std::to_string (e.ui.points[1].type) + " " + (e.ui.snapX ? "X" : "") +
                       (e.ui.snapY ? "Y" : ""),
                   expected)
            << choice;
        e.ui.lineChanged = e.ui.snapChanged = false;
    }
    EXPECT_EQ (e.ui.defaultCurveType, 7);

    // A point added onto x = 1 (curve x 0.99609375 snaps up) becomes the locked last point; it
    // takes the last chosen type.
    e.choice = 0;
    e.mouse.rightClick ({ 263, 60 });
    ASSERT_EQ (e.ui.numPoints, 4);
    EXPECT_EQ (e.ui.points[3].x, 1.0f);
    EXPECT_EQ (e.ui.points[3].type, 7);
    EXPECT_TRUE (e.ui.points[3].lockX);
    EXPECT_FALSE (e.ui.points[3].deletable);
    EXPECT_EQ (e.ui.points[2].y, 0.75f);
    EXPECT_TRUE (e.ui.points[2].deletable);
    EXPECT_FALSE (e.ui.points[2].lockX);

    // ... so it can be deleted now; the slot it leaves is free again.
    e.ui.lineChanged = false;
    e.choice = 1;
    e.mouse.rightClick ({ 266, 28 });
    EXPECT_TRUE (e.ui.lineChanged);
    ASSERT_EQ (e.ui.numPoints, 3);
    EXPECT_EQ (e.ui.points[2].x, 1.0f);
    EXPECT_EQ (e.ui.points[2].y, 0.1875f);
    EXPECT_TRUE (e.ui.points[2].lockX);
    EXPECT_EQ (e.ui.points[3].indx, -1);
    EXPECT_EQ (e.ui.points[3].x, 2.0f);
}

TEST (LineEditorUIMenu, ItemsTextsTicksAndEnabledFlags)
{
    LineEditorUI ui;
    Curve c = makeCurve ({ { 0, 1, 0, 1 }, { 0.5f, 0.5f, 0, 6 }, { 1, 1, 0, 1 } });
    ui.setLinePoints (c.data());
    ui.snapY = false;

    // "id:text", " (off)" when disabled, " *" when ticked; "---" for a separator.
    const auto describe = [&] (int index)
    {
        juce::StringArray items;
        const auto menu = ui.createPointMenu (index);
        for (juce::PopupMenu::MenuItemIterator it (menu); it.next();)
        {
            const auto& item = it.getItem();
            items.add (item.isSeparator ? juce::String ("---")
                                        : juce::String (item.itemID) + ":" + item.text +
                                              (item.isEnabled ? "" : " (off)") + (item.isTicked ? " *" : ""));
        }
        return items.joinIntoString ("|");
    };
    const juce::String shapes = "|3:Single Curve 2|4:Single Curve 3|5:Double Curve 1|6:Double Curve 2|";
    EXPECT_EQ (describe (0), "1:Delete (off)|2:Single Curve 1 *" + shapes +
                                 "7:Double Curve 3|8:Step|9:Wave/Saw|10:Pulse|---|11:Snap X *|12:Snap Y");
    EXPECT_EQ (describe (1), "1:Delete|2:Single Curve 1" + shapes +
                                 "7:Double Curve 3 *|8:Step|9:Wave/Saw|10:Pulse|---|11:Snap X *|12:Snap Y");
    EXPECT_TRUE (describe (2).startsWith ("1:Delete (off)|"));
}

//==============================================================================
namespace
{
// "centre/width" of every opaque run along one pixel row (or column), e.g. "24/2 40/6".
juce::String runs (const juce::Image& image, bool alongRow, int fixed)
{
    juce::StringArray found;
    const int length = alongRow ? image.getWidth() : image.getHeight();
    for (int i = 0, start = -1; i <= length; ++i)
    {
        const bool on = i < length &&
                        (alongRow ? image.getPixelAt (i, fixed) : image.getPixelAt (fixed, i)).getAlpha() > 0;
        if (on && start < 0)
            start = i;
        if (!on && start >= 0)
        {
            found.add (juce::String ((float) (start + i) / 2.0f) + "/" + juce::String (i - start));
            start = -1;
        }
    }
    return found.joinIntoString (" ");
}
} // namespace

TEST (LineEditorUIPaint, GridFollowsTheTimeSignature)
{
    LineEditorUI ui;
    ui.setSize (272, 80);
    ui.lineThickness = ui.pointSize = ui.handleOutline = 0.0f; // grid only

    // n * n divisions give n * n - 1 lines; none for a single division or for n beyond 32.
    for (const auto& [numerator, lines] : std::vector<std::pair<int, int>>{ { 4, 15 },
                                                                            { 3, 8 },
                                                                            { 6, 35 },
                                                                            { 1, 0 },
                                                                            { 33, 0 },
                                                                            { 46341, 0 },
                                                                            { 1000, 0 },
                                                                            { 0, 0 },
                                                                            { -4, 0 } })
    {
        ui.timeSigNumerator = numerator;
        const auto row = runs (PixelProbe::paint (ui), true, 14);
        EXPECT_EQ (row.isEmpty() ? 0 : juce::StringArray::fromTokens (row, " ", "").size(), lines)
            << numerator;
    }
    ui.timeSigNumerator = 32; // 1023 lines a quarter pixel apart cover the area
    EXPECT_EQ (PixelProbe::countOpaque (PixelProbe::paint (ui), { 12, 12, 240, 8 }), 240 * 8);

    // 4/4: vertical lines at x = 8 + 16c from y 10 to 70, 6 px thick at 72, 136 and 200, 2 px
    // elsewhere; horizontal lines at y 24, 40 (6 px) and 56 from x 10 to 262. Nothing filled.
    ui.timeSigNumerator = 4;
    const auto image = PixelProbe::paint (ui);
    juce::StringArray vertical;
    for (int c = 1; c <= 15; ++c)
        vertical.add (juce::String (8 + 16 * c) + (c % 4 == 0 ? "/6" : "/2"));
    EXPECT_EQ (runs (image, true, 14), vertical.joinIntoString (" "));
    EXPECT_EQ (runs (image, false, 24), "40/60");
    EXPECT_EQ (runs (image, false, 16), "24/2 40/6 56/2");
    EXPECT_EQ (runs (image, true, 56), "136/252");
    EXPECT_TRUE (PixelProbe::colourNear (image, 16, 40, juce::Colour (0xCC495372)));
    EXPECT_TRUE (PixelProbe::isTransparent (image, 30, 30));
}

TEST (LineEditorUIPaint, CurvePointsAndHandles)
{
    LineEditorUI ui;
    ui.setSize (272, 80);
    ui.gridThickness = 0.0f;
    // The fresh editor: a flat line at the top, two points and one handle at (136, 8).
    auto image = PixelProbe::paint (ui);
    // Points of radius 5 at x 8 and 264; the handle's ring of radius 5 +- 1 reaches y 2 to 14.
    EXPECT_EQ (PixelProbe::opaqueBounds (image), juce::Rectangle<int> (3, 2, 266, 12));
    EXPECT_TRUE (PixelProbe::colourNear (image, 100, 8, juce::Colour (0xFF7EC4EA)));
    EXPECT_TRUE (PixelProbe::colourNear (image, 8, 11, juce::Colour (0xFF7EC4EA)));
    EXPECT_TRUE (PixelProbe::colourNear (image, 136, 3, juce::Colour (0xFF7EC4EA))); // handle ring
    EXPECT_TRUE (PixelProbe::isTransparent (image, 136, 5));                         // not filled

    // A hostile stored curve (not a number, infinite, far outside the cycle) paints and edits
    // without a crash or an assertion.
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    auto hostile = makeCurve (
        { { 0, nan, nan, 1 }, { nan, 0.5f, inf, 9 }, { 1e30f, -inf, -1e30f, 7 }, { 1, 1e9f, 0, 42 } });
    Mouse mouse (ui);
    ui.setLinePoints (hostile.data());
    ui.showPointMenu = [] (juce::PopupMenu&) { return 1; };
    PixelProbe::paint (ui);
    for (const auto at : { juce::Point<int> (8, 40), juce::Point<int> (136, 40), juce::Point<int> (264, 8) })
    {
        mouse.rightClick (at);
        mouse.dragBy (at, { 7, -9 });
        PixelProbe::paint (ui);
    }

    // A component no larger than twice its margin draws nothing and ignores the mouse.
    for (const auto size :
         { juce::Point<int> (16, 80), juce::Point<int> (272, 16), juce::Point<int> (10, 10) })
    {
        SCOPED_TRACE (size.toString());
        ui.setSize (size.x, size.y);
        ui.timeSigNumerator = 4;
        ui.gridColour = juce::Colours::red;
        ui.gridThickness = 2.0f;
        image = PixelProbe::paint (ui);
        EXPECT_TRUE (PixelProbe::opaqueBounds (image).isEmpty());
        ui.setLinePoints (makeCurve ({ { 0, 1, 0, 1 }, { 1, 1, 0, 1 } }).data());
        ui.lineChanged = false;
        mouse.rightClick ({ 5, 5 });
        mouse.dragBy ({ 8, 8 }, { 3, 3 });
        EXPECT_EQ (ui.numPoints, 2);
        EXPECT_FALSE (ui.lineChanged);
    }
}

//==============================================================================
TEST (LineEditorUIRendering, BitIdenticalToTheCurveModel)
{
    juce::Random random (1234);
    auto model = std::make_unique<LineEditor>();
    LineEditorUI ui;

    for (int n = 0; n < 1000; ++n)
    {
        Curve c = makeCurve ({});
        const int count = 2 + random.nextInt (49);
        for (int i = 0; i < count; ++i)
        {
            const float x = i == 0   ? 0.0f
                            : i == 1 ? 1.0f
                                     : (random.nextInt (4) == 0 ? (float) random.nextInt (129) / 128.0f
                                                                : random.nextFloat());
            c[(size_t) i] = { x,
                              random.nextFloat(),
                              random.nextFloat() * 2.0f - 1.0f,
                              i,
                              0.0f,
                              0.0f,
                              1 + random.nextInt (9),
                              false,
                              false,
                              true };
        }
        model->setLinePoints (c.data());
        ui.setLinePoints (c.data());

        ASSERT_EQ (ui.numPoints, model->numPoints) << n;
        ASSERT_EQ (std::memcmp (ui.renderedLine, model->renderedLine, sizeof (ui.renderedLine)), 0) << n;
        for (int i = 0; i < 50; ++i)
        {
            const auto& a = ui.points[i];
            const auto& b = model->points[i];
            ASSERT_TRUE (a.x == b.x && a.y == b.y && a.tn == b.tn && a.indx == b.indx && a.type == b.type &&
                         a.handleX == b.handleX && a.handleY == b.handleY && a.lockX == b.lockX &&
                         a.deletable == b.deletable)
                << n << " slot " << i;
        }
    }
}

//==============================================================================
TEST (LineEditorUIFaults, DestroyedWhileItsMenuIsOpen)
{
    auto* e = new Editor();
    e->load (makeCurve ({ { 0, 1, 0, 1 }, { 0.5f, 0.5f, 0, 1 }, { 1, 1, 0, 1 } }));
    e->ui.showPointMenu = [e] (juce::PopupMenu& menu)
    {
        menu.setLookAndFeel (&e->ui.menuLookAndFeel);
        delete e; // the host closed the window
        return 1; // "Delete"
    };
    // The main test would fail on JUCE's assertion for a look-and-feel still in use, and ASan
    // on any touch of the destroyed component.
    Mouse mouse (e->ui);
    mouse.down ({ 140, 44 }, right);
    SUCCEED();
}

TEST (LineEditorUIFaults, CurveReplacedWhileItsMenuIsOpen)
{
    Editor e;
    // Two points whose boxes both hold (140, 44): the walk would open two menus.
    e.load (makeCurve ({ { 0, 1, 0, 1 }, { 0.5f, 0.5f, 0, 1 }, { 0.515625f, 0.5f, 0, 1 }, { 1, 1, 0, 1 } }));
    const auto other =
        makeCurve ({ { 0, 0, 0, 1 }, { 0.5f, 0.5f, 0, 1 }, { 0.515625f, 0.25f, 0, 1 }, { 1, 0, 0, 1 } });
    int shown = 0;
    int choice = 1; // "Delete"
    e.ui.showPointMenu = [&] (juce::PopupMenu&)
    {
        ++shown;
        e.ui.setLinePoints (other.data()); // a MIDI state switch, handled by the refresh timer
        return choice;
    };
    Mouse (e.ui).rightClick ({ 140, 44 });
    EXPECT_EQ (shown, 1);
    EXPECT_EQ (e.ui.numPoints, 4);
    EXPECT_EQ (e.ui.points[2].y, 0.25f);
    EXPECT_FALSE (e.ui.lineChanged);

    // A snap switch belongs to no point: it still takes effect, and the walk still stops.
    choice = 11; // "Snap X"
    Mouse (e.ui).rightClick ({ 140, 44 });
    EXPECT_EQ (shown, 2);
    EXPECT_FALSE (e.ui.snapX);
    EXPECT_TRUE (e.ui.snapChanged);
    EXPECT_FALSE (e.ui.lineChanged);
}

TEST (LineEditorUIFaults, ReloadOrRightPressCancelsADrag)
{
    const auto curve = makeCurve ({ { 0, 1, 0, 1 }, { 0.5f, 0.25f, 0, 1 }, { 1, 0.75f, 0, 1 } });
    const auto both =
        juce::ModifierKeys (juce::ModifierKeys::leftButtonModifier | juce::ModifierKeys::rightButtonModifier);

    for (int variant = 0; variant < 2; ++variant)
    {
        SCOPED_TRACE (variant == 0 ? "reload" : "two-button press deletes the point");
        Editor e;
        e.load (curve);
        e.mouse.down ({ 136, 56 });
        e.mouse.drag ({ 136, 48 });
        ASSERT_TRUE (e.ui.dragging);

        if (variant == 0)
        {
            e.load (curve);
        }
        else
        {
            // Grabs the point again and opens its menu, whose "Delete" moves the last point into
            // the grabbed slot.
            e.choice = 1;
            e.mouse.down ({ 136, 48 }, both);
            ASSERT_EQ (e.ui.numPoints, 2);
        }

        for (auto s : e.ui.dragState)
            EXPECT_EQ (s, 0);
        EXPECT_FALSE (e.ui.dragging);
        const auto points = usedPoints (e.ui);
        e.mouse.drag ({ 100, 20 });
        e.mouse.up ({ 100, 20 });
        EXPECT_EQ (e.ui.lineChanged, variant == 1); // only the deletion
        const auto after = usedPoints (e.ui);
        ASSERT_EQ (after.size(), points.size());
        for (size_t i = 0; i < after.size(); ++i)
            EXPECT_TRUE (after[i].x == points[i].x && after[i].y == points[i].y) << i;
    }
}
