#include "LineEditor.h"
#include "LineEditorUI.h"
#include "PixelProbe.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

namespace
{
struct Spec
{
    float x, y, tn;
    int type;
};

using Curve = std::array<LETPoint, 50>;

Curve makeCurve (std::initializer_list<Spec> specs)
{
    Curve curve;
    curve.fill ({ 2.0f, 0.0f, 0.0f, -1, 0.0f, 0.0f, 1, true, false, true });
    int i = 0;
    for (const auto& s : specs)
    {
        curve[(size_t) i] = { s.x, s.y, s.tn, i, 0.0f, 0.0f, s.type, false, false, true };
        ++i;
    }
    return curve;
}

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
        return juce::MouseEvent (juce::Desktop::getInstance().getMainMouseSource(), p.toFloat(), mods,
                                 juce::MouseInputSource::defaultPressure,
                                 juce::MouseInputSource::defaultOrientation,
                                 juce::MouseInputSource::defaultRotation, juce::MouseInputSource::defaultTiltX,
                                 juce::MouseInputSource::defaultTiltY, &ui, &ui, time, pressedAt, time, 1, false);
    }

    LineEditorUI& ui;
    juce::Point<float> pressedAt;
};

// A 272 x 80 editor: with the default margin of 8 its curve area is 256 x 64 at (8, 8).
struct Editor
{
    Editor()
    {
        ui.setSize (272, 80);
        ui.showPointMenu = [this] (juce::PopupMenu& menu)
        {
            menus.push_back (menuTicks (menu));
            return choices.empty() ? 0 : choices[menus.size() - 1 < choices.size() ? menus.size() - 1 : 0];
        };
    }

    // The ticked shape item of a shown menu, which names the point's type.
    static int menuTicks (juce::PopupMenu& menu)
    {
        for (juce::PopupMenu::MenuItemIterator it (menu); it.next();)
            if (it.getItem().isTicked && it.getItem().itemID <= LineEditorUI::lastTypeItem)
                return it.getItem().itemID - 1;
        return 0;
    }

    void load (const Curve& c) { ui.setLinePoints (c.data()); }

    LineEditorUI ui;
    Mouse mouse{ ui };
    std::vector<int> menus;   // one entry per menu shown: the point's type
    std::vector<int> choices; // what the menus return, in order
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

// The kind and slot of every action the right-press walk takes when each menu is dismissed.
std::vector<std::pair<CurveEdits::RightAction::Kind, int>> walk (const LineEditorUI& ui, juce::Point<int> click)
{
    std::vector<std::pair<CurveEdits::RightAction::Kind, int>> actions;
    bool hit = false;
    for (int from = 0;;)
    {
        const auto a = CurveEdits::nextRightAction (ui.points, ui.numPoints, ui.geometry(), click, from, hit);
        if (a.kind == CurveEdits::RightAction::nothing)
            return actions;
        actions.push_back ({ a.kind, a.index });
        if (a.kind == CurveEdits::RightAction::add)
            return actions;
        hit = true;
        from = a.index + 1;
    }
}
} // namespace

//==============================================================================
TEST (LineEditorUIRightPress, ClicksOnTheFlatCurveAddOrOpenMenus)
{
    using K = CurveEdits::RightAction::Kind;
    Editor e;

    // Curve x = (px - 8) / 256, y = 1 - (py - 8) / 64, snapped to 1/128 and 1/32, halves to even.
    struct Row
    {
        juce::Point<int> click;
        std::vector<std::pair<K, int>> actions;
        std::vector<Xy> after;
    };
    const std::vector<Row> rows = {
        // 64.5 -> 64 and 14.5 -> 14.
        { { 137, 43 }, { { K::add, -1 } }, { { 0, 1 }, { 0.5f, 0.4375f }, { 1, 1 } } },
        // One and a half point sizes right of and below (136, 44), just inside.
        { { 150, 58 }, { { K::openMenu, 1 } }, { { 0, 1 }, { 0.5f, 0.4375f }, { 1, 1 } } },
        // ... and just outside: 71.5 -> 72.
        { { 151, 58 }, { { K::add, -1 } }, { { 0, 1 }, { 0.5f, 0.4375f }, { 0.5625f, 0.21875f }, { 1, 1 } } },
        // Half a point size left of (136, 44) is outside its box: 61.5 -> 62.
        { { 131, 44 },
          { { K::add, -1 } },
          { { 0, 1 }, { 0.484375f, 0.4375f }, { 0.5f, 0.4375f }, { 0.5625f, 0.21875f }, { 1, 1 } } },
        // Both boxes hold it: both menus, one after the other.
        { { 132, 44 },
          { { K::openMenu, 1 }, { K::openMenu, 2 } },
          { { 0, 1 }, { 0.484375f, 0.4375f }, { 0.5f, 0.4375f }, { 0.5625f, 0.21875f }, { 1, 1 } } },
        // The left and right edges of the curve area.
        { { 8, 40 }, {}, { { 0, 1 }, { 0.484375f, 0.4375f }, { 0.5f, 0.4375f }, { 0.5625f, 0.21875f }, { 1, 1 } } },
        { { 264, 40 }, {}, { { 0, 1 }, { 0.484375f, 0.4375f }, { 0.5f, 0.4375f }, { 0.5625f, 0.21875f }, { 1, 1 } } },
        { { 8, 8 },
          { { K::openMenu, 0 } },
          { { 0, 1 }, { 0.484375f, 0.4375f }, { 0.5f, 0.4375f }, { 0.5625f, 0.21875f }, { 1, 1 } } },
    };

    for (const auto& row : rows)
    {
        SCOPED_TRACE (row.click.toString());
        EXPECT_EQ (walk (e.ui, row.click), row.actions);
        e.menus.clear();
        e.ui.lineChanged = false;
        e.mouse.rightClick (row.click);

        size_t menus = 0;
        for (auto& a : row.actions)
            menus += a.first == K::openMenu ? 1 : 0;
        EXPECT_EQ (e.menus.size(), menus);
        EXPECT_EQ (e.ui.lineChanged, row.actions.size() == 1 && row.actions[0].first == K::add);

        const auto got = usedPoints (e.ui);
        ASSERT_EQ (got.size(), row.after.size());
        for (size_t i = 0; i < got.size(); ++i)
        {
            EXPECT_EQ (got[i].x, row.after[i].x) << i;
            EXPECT_EQ (got[i].y, row.after[i].y) << i;
        }
    }

    // The point added first sits at (136, 44).
    EXPECT_EQ (CurveEdits::screenX (e.ui.geometry(), e.ui.points[2].x), 136.0f);
    EXPECT_EQ (CurveEdits::screenY (e.ui.geometry(), e.ui.points[2].y), 44.0f);

    // The first point's menu cannot delete it.
    const auto menu = e.ui.createPointMenu (0);
    juce::PopupMenu::MenuItemIterator it (menu);
    ASSERT_TRUE (it.next());
    EXPECT_EQ (it.getItem().itemID, 1);
    EXPECT_FALSE (it.getItem().isEnabled);
}

TEST (LineEditorUIRightPress, WalkOnOtherCurves)
{
    using K = CurveEdits::RightAction::Kind;
    struct Row
    {
        const char* what;
        Curve curve;
        juce::Point<int> click;
        std::vector<std::pair<K, int>> actions;
    };

    Curve full = makeCurve ({});
    for (int i = 0; i < 50; ++i)
        full[(size_t) i] = { (float) i / 49.0f, 0.0f, 0.0f, i, 0.0f, 0.0f, 1, false, false, true };

    const std::vector<Row> rows = {
        { "fifty points, click on nothing", full, { 136, 40 }, {} },
        // Point 1 at (24, 72) holds x = 20 in its column but not y = 40, so its handle at (16, 40)
        // is not tested and the press adds a point.
        { "column without the point hides the handle", makeCurve ({ { 0, 1, 0, 1 }, { 0.0625f, 0, 0, 1 }, { 1, 0, 0, 1 } }),
          { 20, 40 }, { { K::add, -1 } } },
        { "handle box resets the tension", makeCurve ({ { 0, 1, 0, 1 }, { 1, 1, 0.5f, 1 } }), { 140, 12 },
          { { K::resetTension, 1 } } },
        { "margin adds nothing", makeCurve ({ { 0, 1, 0, 1 }, { 1, 1, 0, 1 } }), { 100, 74 }, {} },
        { "curve bottom edge adds nothing", makeCurve ({ { 0, 1, 0, 1 }, { 1, 1, 0, 1 } }), { 100, 72 }, {} },
    };

    for (const auto& row : rows)
    {
        SCOPED_TRACE (row.what);
        Editor e;
        e.load (row.curve);
        const int before = e.ui.numPoints;
        EXPECT_EQ (walk (e.ui, row.click), row.actions);
        e.mouse.rightClick (row.click);
        const bool adds = !row.actions.empty() && row.actions[0].first == K::add;
        EXPECT_EQ (e.ui.numPoints, before + (adds ? 1 : 0));
        EXPECT_EQ (e.ui.lineChanged, !row.actions.empty());
        if (!row.actions.empty() && row.actions[0].first == K::resetTension)
        {
            EXPECT_EQ (e.ui.points[1].tn, 0.0f);
        }
    }
}

//==============================================================================
TEST (LineEditorUIDrag, PointsAndHandlesFollowTheMouse)
{
    const auto threePoints = makeCurve ({ { 0, 1, 0, 1 }, { 0.5f, 0.25f, 0, 1 }, { 1, 0.75f, 0, 1 } });
    const auto level = makeCurve ({ { 0, 0.5f, 0, 1 }, { 1, 0.5f, 0, 1 } });
    // Two points 0.00001 apart, with a third added between them at (0.625, 0.5) below.
    const auto step = makeCurve ({ { 0, 0, 0, 1 }, { 0.625f, 0, 0, 1 }, { 0.62501f, 1, 0, 1 }, { 1, 1, 0, 1 } });

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
        // The rendering follows the edit: the handle sits where the tension puts it.
        const auto& prev = e.ui.points[juce::jmax (0, row.slot - 1)];
        if (row.slot > 0)
        {
            EXPECT_EQ (p.handleY, prev.y + (0.5f * (p.y - prev.y)) * (p.tn + 1.0f));
        }
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

    // Menu choices on the middle point (its menu opens at (140, 60)).
    struct Row
    {
        int choice;
        bool lineChanged, snapChanged;
        int type;
        bool snapX, snapY;
    };
    const std::vector<Row> rows = {
        { 0, false, false, 1, true, true },  // dismissed
        { 2, false, false, 1, true, true },  // its current type
        { 8, true, false, 7, true, true },   // "Step"
        { 11, false, true, 7, false, true }, // "Snap X"
        { 12, false, true, 7, false, false },
        { 11, false, true, 7, true, false },
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE (row.choice);
        e.choices = { row.choice };
        e.mouse.rightClick ({ 140, 60 });
        EXPECT_EQ (e.ui.lineChanged, row.lineChanged);
        EXPECT_EQ (e.ui.snapChanged, row.snapChanged);
        EXPECT_EQ (e.ui.points[1].type, row.type);
        EXPECT_EQ (e.ui.snapX, row.snapX);
        EXPECT_EQ (e.ui.snapY, row.snapY);
        e.ui.lineChanged = e.ui.snapChanged = false;
    }
    EXPECT_EQ (e.ui.defaultCurveType, 7);

    // A point added onto x = 1 (curve x 0.99609375 snaps up) becomes the locked last point; it
    // takes the last chosen type.
    e.choices.clear();
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
    e.choices = { 1 };
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

    struct Item
    {
        int id;
        const char* text;
        bool enabled, ticked;
    };
    const std::vector<Item> expected = {
        { 1, "Delete", true, false },          { 2, "Single Curve 1", true, false },
        { 3, "Single Curve 2", true, false },  { 4, "Single Curve 3", true, false },
        { 5, "Double Curve 1", true, false },  { 6, "Double Curve 2", true, false },
        { 7, "Double Curve 3", true, true },   { 8, "Step", true, false },
        { 9, "Wave/Saw", true, false },        { 10, "Pulse", true, false },
        { 0, "", true, false }, // separator
        { 11, "Snap X", true, true },          { 12, "Snap Y", true, false },
    };

    const auto menu = ui.createPointMenu (1);
    size_t n = 0;
    for (juce::PopupMenu::MenuItemIterator it (menu); it.next(); ++n)
    {
        ASSERT_LT (n, expected.size());
        const auto& item = it.getItem();
        const auto& want = expected[n];
        SCOPED_TRACE (want.text);
        EXPECT_EQ (item.isSeparator, want.id == 0);
        EXPECT_EQ (item.itemID, want.id);
        EXPECT_EQ (item.text, want.text);
        EXPECT_EQ (item.isEnabled, want.enabled);
        EXPECT_EQ (item.isTicked, want.ticked);
    }
    EXPECT_EQ (n, expected.size());
}

//==============================================================================
namespace
{
// Centres and widths of the opaque runs along one pixel row or column.
struct Run
{
    float centre;
    int width;
};

std::vector<Run> runs (const juce::Image& image, bool alongRow, int fixed)
{
    std::vector<Run> found;
    const int length = alongRow ? image.getWidth() : image.getHeight();
    int start = -1;
    for (int i = 0; i <= length; ++i)
    {
        const bool on = i < length && (alongRow ? image.getPixelAt (i, fixed) : image.getPixelAt (fixed, i)).getAlpha() > 0;
        if (on && start < 0)
            start = i;
        if (!on && start >= 0)
        {
            found.push_back ({ (float) (start + i) / 2.0f, i - start });
            start = -1;
        }
    }
    return found;
}
} // namespace

TEST (LineEditorUIPaint, GridFollowsTheTimeSignature)
{
    LineEditorUI ui;
    ui.setSize (272, 80);
    ui.lineThickness = 0.0f; // grid only
    ui.pointSize = 0.0f;
    ui.handleOutline = 0.0f;

    struct Row
    {
        int numerator;
        size_t lines;
    };
    // n * n divisions, n - 1 .. n * n - 1 lines; none for a single division or n beyond 32.
    for (const auto& row : std::vector<Row>{ { 4, 15 }, { 3, 8 }, { 6, 35 }, { 1, 0 }, { 32, 1023 },
                                             { 33, 0 }, { 46341, 0 }, { 1000, 0 }, { 0, 0 }, { -4, 0 } })
    {
        SCOPED_TRACE (row.numerator);
        ui.timeSigNumerator = row.numerator;
        const auto image = PixelProbe::paint (ui);
        if (row.numerator == 32)
        {
            // Lines 0.25 px apart merge: check only that the area is covered, and quickly.
            EXPECT_GT (PixelProbe::countOpaque (image, { 12, 12, 240, 8 }), 1800);
            continue;
        }
        EXPECT_EQ (runs (image, true, 14).size(), row.lines);
    }

    // 4/4 in detail: vertical lines at x = 8 + 16c from y 10 to 70, 6 px thick at 72, 136 and 200,
    // 2 px elsewhere; horizontal lines at y 24, 40 (6 px) and 56 from x 10 to 262. Nothing filled.
    ui.timeSigNumerator = 4;
    const auto image = PixelProbe::paint (ui);
    const auto vertical = runs (image, true, 14);
    ASSERT_EQ (vertical.size(), 15u);
    for (int c = 1; c <= 15; ++c)
    {
        EXPECT_EQ (vertical[(size_t) c - 1].centre, 8.0f + 16.0f * (float) c) << c;
        EXPECT_EQ (vertical[(size_t) c - 1].width, c % 4 == 0 ? 6 : 2) << c;
    }
    const auto column = runs (image, false, 24);
    ASSERT_FALSE (column.empty());
    EXPECT_EQ (column.front().centre - (float) column.front().width / 2.0f, 10.0f);
    EXPECT_EQ (column.back().centre + (float) column.back().width / 2.0f, 70.0f);

    const auto horizontal = runs (image, false, 16);
    ASSERT_EQ (horizontal.size(), 3u);
    EXPECT_EQ (horizontal[0].centre, 24.0f);
    EXPECT_EQ (horizontal[0].width, 2);
    EXPECT_EQ (horizontal[1].centre, 40.0f);
    EXPECT_EQ (horizontal[1].width, 6);
    EXPECT_EQ (horizontal[2].centre, 56.0f);
    const auto row = runs (image, true, 56);
    EXPECT_EQ (row.front().centre - (float) row.front().width / 2.0f, 10.0f);
    EXPECT_EQ (row.back().centre + (float) row.back().width / 2.0f, 262.0f);
    EXPECT_TRUE (PixelProbe::colourNear (image, 16, 40, juce::Colour (0xFF495372).withAlpha ((juce::uint8) 0xCC)));
    EXPECT_TRUE (PixelProbe::isTransparent (image, 30, 30));
    EXPECT_TRUE (PixelProbe::isTransparent (image, 0, 0));
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
    EXPECT_TRUE (PixelProbe::isTransparent (image, 136, 5));                          // not filled

    // A component no larger than twice its margin draws nothing and ignores the mouse.
    for (const auto size : { juce::Point<int> (16, 80), juce::Point<int> (272, 16), juce::Point<int> (10, 10) })
    {
        SCOPED_TRACE (size.toString());
        ui.setSize (size.x, size.y);
        ui.timeSigNumerator = 4;
        ui.gridColour = juce::Colours::red;
        ui.gridThickness = 2.0f;
        image = PixelProbe::paint (ui);
        EXPECT_TRUE (PixelProbe::opaqueBounds (image).isEmpty());
        Mouse mouse (ui);
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
            const float x = i == 0 ? 0.0f : i == 1 ? 1.0f : (random.nextInt (4) == 0 ? (float) random.nextInt (129) / 128.0f : random.nextFloat());
            c[(size_t) i] = { x, random.nextFloat(), random.nextFloat() * 2.0f - 1.0f, i, 0.0f, 0.0f,
                              1 + random.nextInt (9), false, false, true };
        }
        model->setLinePoints (c.data());
        ui.setLinePoints (c.data());

        ASSERT_EQ (ui.numPoints, model->numPoints) << n;
        ASSERT_EQ (std::memcmp (ui.renderedLine, model->renderedLine, sizeof (ui.renderedLine)), 0) << n;
        for (int i = 0; i < 50; ++i)
        {
            const auto& a = ui.points[i];
            const auto& b = model->points[i];
            ASSERT_TRUE (a.x == b.x && a.y == b.y && a.tn == b.tn && a.indx == b.indx && a.type == b.type
                         && a.handleX == b.handleX && a.handleY == b.handleY && a.lockX == b.lockX
                         && a.deletable == b.deletable)
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
    const auto other = makeCurve ({ { 0, 0, 0, 1 }, { 0.5f, 0.5f, 0, 1 }, { 0.515625f, 0.25f, 0, 1 }, { 1, 0, 0, 1 } });
    int shown = 0;
    e.ui.showPointMenu = [&] (juce::PopupMenu&)
    {
        ++shown;
        e.ui.setLinePoints (other.data()); // a MIDI state switch, handled by the refresh timer
        return 1;                          // "Delete"
    };
    Mouse (e.ui).rightClick ({ 140, 44 });
    EXPECT_EQ (shown, 1);
    EXPECT_EQ (e.ui.numPoints, 4);
    EXPECT_EQ (e.ui.points[2].y, 0.25f);
    EXPECT_FALSE (e.ui.lineChanged);
}

TEST (LineEditorUIFaults, ReloadOrRightPressCancelsADrag)
{
    const auto curve = makeCurve ({ { 0, 1, 0, 1 }, { 0.5f, 0.25f, 0, 1 }, { 1, 0.75f, 0, 1 } });
    const auto both = juce::ModifierKeys (juce::ModifierKeys::leftButtonModifier
                                          | juce::ModifierKeys::rightButtonModifier);

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
            e.choices = { 1 };
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
