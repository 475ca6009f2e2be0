#pragma once

#include <cmath>

// The editor window's geometry: every child's box for a logical window of 592 x 234 pixels,
// and the arithmetic that turns it into pixels at an interface scale s (1.0, 1.5 or 2.0).
//
// A logical length v becomes r(v * s): the product in single precision, rounded to the nearest
// integer with halves to even. Composite positions are rounded term by term and the integers
// added, so a box never drifts by a pixel against the boxes it is drawn to meet. The art
// generator includes this header too, so the pictures line up with the children over them.
namespace EditorLayout
{
constexpr int logicalWidth = 592;
constexpr int logicalHeight = 234;

// r(v * s), halves to even.
inline int scaled (float v, float s) noexcept
{
    return static_cast<int> (std::nearbyint (v * s));
}

// How one coordinate of the tables becomes pixels.
enum class Rule
{
    plain,           // r(v s)
    presetBarX,      // r(v s) + r(29 s): the preset bar's origin
    presetBarY,      // r(v s) + r(5 s)
    editingX,        // r(v s) + r(-44 s): the editing area's origin
    fromRight,       // r(592 s) - r(v s)
    fromBottom,      // r(234 s) - r(v s)
    knobCentred,     // C(v) = r(v s) + r(42 s) / 2 - r(9 s): a label centred on a knob whose top is v
    insetPosition,   // r(v s) + r(7 s): the glide knob sits inside its 42-pixel box
    insetSize,       // r(v s) - r(14 s)
    stateGraphWidth, // Wg = r((452 s + r(4 s)) / 12)
    stateFrameWidth  // Wf = r((448 s + r(4 s)) / 12)
};

inline int apply (Rule rule, float v, float s) noexcept
{
    switch (rule)
    {
        case Rule::plain:
            return scaled (v, s);
        case Rule::presetBarX:
            return scaled (v, s) + scaled (29.0f, s);
        case Rule::presetBarY:
            return scaled (v, s) + scaled (5.0f, s);
        case Rule::editingX:
            return scaled (v, s) + scaled (-44.0f, s);
        case Rule::fromRight:
            return scaled (592.0f, s) - scaled (v, s);
        case Rule::fromBottom:
            return scaled (234.0f, s) - scaled (v, s);
        case Rule::knobCentred:
            return scaled (v, s) + scaled (42.0f, s) / 2 - scaled (9.0f, s);
        case Rule::insetPosition:
            return scaled (v, s) + scaled (7.0f, s);
        case Rule::insetSize:
            return scaled (v, s) - scaled (14.0f, s);
        case Rule::stateGraphWidth:
            return static_cast<int> (
                std::nearbyint ((452.0f * s + static_cast<float> (scaled (4.0f, s))) / 12.0f));
        case Rule::stateFrameWidth:
            return static_cast<int> (
                std::nearbyint ((448.0f * s + static_cast<float> (scaled (4.0f, s))) / 12.0f));
    }
    return 0;
}

struct Coord
{
    Rule rule;
    float value;
};

constexpr Coord at (float v) noexcept
{
    return { Rule::plain, v };
}

// The children the tables place, by member (an array member counts as one group).
enum class Group
{
    skinImage,
    aboutLabels,
    shortVersionLabel,
    linkButtons,
    versionLabel,
    iconButtons,
    presetNameEditor,
    saveButton,
    cancelButton,
    lineIcons,
    masterMixSlider,
    masterMixLabel,
    freqDisplay,
    splitSliders,
    splitLabels,
    levelMeters,
    waveformGraph,
    previewGraph,
    lineEditorUI1,
    lineEditorUI2,
    playMarker,
    gridLabels,
    categoryIcon,
    shapeGraphs,
    shapeFrames,
    stateGraphs,
    stateFrames,
    stateIcons,
    glideSliders,
    glideLabels,
    syncIcons,
    lengthSliders,
    lengthLabels,
    mixSliders,
    mixLabels,
    highLevelSlider,
    midLevelSlider,
    lowLevelSlider,
    highLevelLabels,
    midLevelLabels,
    lowLevelLabels,
    soloIcons,
    muteIcons
};

// Elements first .. first + count - 1 of a group. Element n has i = (n - first) % period and
// j = (n - first) / period; its x is rule(x + xValueStep i) + r(xScaledStep i s) and its y is
// rule(y + yValueStep j).
struct Entry
{
    Group group;
    int first, count;
    Coord x, y, w, h;
    int period = 1;
    float xValueStep = 0.0f;
    float xScaledStep = 0.0f;
    float yValueStep = 0.0f;
};

constexpr Coord px (float v) noexcept
{
    return { Rule::presetBarX, v };
}
constexpr Coord py (float v) noexcept
{
    return { Rule::presetBarY, v };
}
constexpr Coord ex (float v) noexcept
{
    return { Rule::editingX, v };
}
constexpr Coord centred (float v) noexcept
{
    return { Rule::knobCentred, v };
}

inline constexpr Entry entries[] = {
    // Window edge and top bar
    { Group::skinImage, 0, 1, at (0), at (0), at (592), at (234) },
    { Group::aboutLabels, 0, 1, at (10), at (6), at (72), at (12) },
    { Group::aboutLabels, 1, 1, at (216), at (38), at (160), at (160) },
    { Group::shortVersionLabel, 0, 1, at (80), at (6), at (100), at (16) },
    { Group::linkButtons, 0, 1, { Rule::fromRight, 23 }, at (5), at (11), at (15) },
    { Group::linkButtons, 1, 1, { Rule::fromRight, 102 }, at (5), at (72), at (15) },
    { Group::versionLabel, 0, 1, { Rule::fromRight, 207 }, { Rule::fromBottom, 21 }, at (200), at (16) },
    { Group::iconButtons, 0, 1, at (36), centred (25), at (17), at (17) },
    { Group::iconButtons, 1, 1, px (168), py (6), at (16), at (13) },
    { Group::iconButtons, 2, 1, px (186), py (7), at (13), at (11) },
    { Group::iconButtons, 3, 1, px (202), py (7), at (152), at (11) },
    { Group::iconButtons, 4, 1, px (356), py (7), at (13), at (11) },
    { Group::presetNameEditor, 0, 1, px (168), py (6), at (126), at (14) },
    { Group::saveButton, 0, 1, px (296), py (6), at (34), at (14) },
    { Group::cancelButton, 0, 1, px (332), py (6), at (34), at (14) },

    // Editing area
    { Group::lineIcons, 0, 4, ex (115), at (36), at (32), at (16), 4, 32.0f },
    { Group::iconButtons, 18, 1, ex (247), at (37), at (14), at (14) },
    { Group::iconButtons, 19, 1, ex (261), at (37), at (14), at (14) },
    { Group::iconButtons, 14, 1, ex (275), at (37), at (14), at (14) },
    { Group::iconButtons, 15, 1, ex (289), at (37), at (14), at (14) },
    { Group::iconButtons, 20, 1, ex (303), at (37), at (14), at (14) },
    { Group::iconButtons, 21, 1, ex (317), at (37), at (14), at (14) },
    { Group::masterMixSlider, 0, 1, ex (335), at (37), at (84), at (14) },
    { Group::masterMixLabel, 0, 1, ex (335), at (37), at (84), at (14) },
    { Group::freqDisplay, 0, 1, ex (432), at (37), at (132), at (14) },
    { Group::splitSliders, 0, 1, ex (432), at (34), at (65), at (20) },
    { Group::splitLabels, 0, 1, ex (432), at (34), at (65), at (20) },
    { Group::splitSliders, 1, 1, ex (497), at (34), at (65), at (20) },
    { Group::splitLabels, 1, 1, ex (497), at (34), at (65), at (20) },
    { Group::levelMeters, 0, 4, ex (569), at (38), at (7), at (12), 4, 12.0f },
    { Group::waveformGraph, 0, 1, ex (115), at (58), at (450), at (103) },
    { Group::previewGraph, 0, 1, ex (115), at (53), at (450), at (113) },
    { Group::iconButtons, 5, 1, ex (117), at (55), at (446), at (109) },
    { Group::lineEditorUI1, 0, 1, ex (115), at (53), at (450), at (113) },
    { Group::lineEditorUI2, 0, 1, ex (115), at (53), at (450), at (113) },
    { Group::playMarker, 0, 1, ex (117), at (58), at (442), at (103) },
    { Group::gridLabels, 0, 1, ex (120), at (147), at (115), at (18) },
    { Group::gridLabels, 1, 1, ex (230), at (147), at (115), at (18) },
    { Group::gridLabels, 2, 1, ex (341), at (147), at (115), at (18) },
    { Group::gridLabels, 3, 1, ex (452), at (147), at (115), at (18) },
    { Group::gridLabels, 4, 1, ex (446), at (147), at (115), at (18) },
    { Group::iconButtons, 6, 1, ex (115), at (168), at (24), at (16) },
    { Group::iconButtons, 7, 1, ex (139), at (168), at (24), at (16) },
    { Group::iconButtons, 10, 1, ex (167), at (169), at (14), at (14) },
    { Group::iconButtons, 11, 1, ex (181), at (169), at (14), at (14) },
    { Group::iconButtons, 16, 1, ex (195), at (169), at (14), at (14) },
    { Group::iconButtons, 17, 1, ex (209), at (169), at (14), at (14) },
    { Group::iconButtons, 13, 1, ex (223), at (169), at (14), at (14) },
    { Group::iconButtons, 12, 1, ex (237), at (169), at (14), at (14) },
    { Group::iconButtons, 8, 1, ex (251), at (169), at (14), at (14) },
    { Group::iconButtons, 9, 1, ex (265), at (169), at (14), at (14) },
    { Group::categoryIcon, 0, 1, ex (290), at (168), at (44), at (16) },
    { Group::shapeGraphs, 0, 40, ex (334), at (168), at (23), at (16), 10, 0.0f, 23.0f },
    { Group::shapeFrames, 0, 10, ex (335), at (168), at (23), at (16), 10, 0.0f, 23.0f },
    { Group::stateGraphs,
      0,
      48,
      ex (114),
      at (187),
      { Rule::stateGraphWidth, 0 },
      at (20),
      12,
      0.0f,
      37.5f,
      1.0f },
    { Group::stateFrames, 0, 12, ex (115), at (187), { Rule::stateFrameWidth, 0 }, at (23), 12, 0.0f, 37.5f },
    { Group::stateIcons, 0, 12, ex (115), at (208), { Rule::stateFrameWidth, 0 }, at (14), 12, 0.0f, 37.5f },

    // Per-line controls: every line's group shares one place, since only the current one shows
    { Group::glideSliders,
      0,
      4,
      { Rule::insetPosition, 24 },
      { Rule::insetPosition, 52 },
      { Rule::insetSize, 42 },
      { Rule::insetSize, 42 },
      4 },
    { Group::glideLabels, 0, 4, at (24), centred (52), at (42), at (18), 4 },
    { Group::glideLabels, 4, 4, at (24), centred (70), at (42), at (18), 4 },
    { Group::syncIcons, 0, 4, at (24), centred (86), at (42), at (12), 4 },
    { Group::lengthSliders, 0, 4, at (24), at (114), at (42), at (42), 4 },
    { Group::lengthLabels, 0, 4, at (24), centred (114), at (42), at (18), 4 },
    { Group::lengthLabels, 4, 4, at (24), centred (138), at (42), at (18), 4 },
    { Group::mixSliders, 0, 4, at (24), at (170), at (42), at (42), 4 },
    { Group::mixLabels, 0, 4, at (24), centred (170), at (42), at (18), 4 },
    { Group::mixLabels, 4, 4, at (24), centred (194), at (42), at (18), 4 },

    // Band controls, High, Mid and Low from the top
    { Group::highLevelSlider, 0, 1, at (526), at (55), at (42), at (42) },
    { Group::midLevelSlider, 0, 1, at (526), at (111), at (42), at (42) },
    { Group::lowLevelSlider, 0, 1, at (526), at (167), at (42), at (42) },
    { Group::highLevelLabels, 0, 1, at (526), centred (55), at (42), at (18) },
    { Group::midLevelLabels, 0, 1, at (526), centred (111), at (42), at (18) },
    { Group::lowLevelLabels, 0, 1, at (526), centred (167), at (42), at (18) },
    { Group::highLevelLabels, 1, 1, at (526), centred (79), at (42), at (18) },
    { Group::midLevelLabels, 1, 1, at (526), centred (135), at (42), at (18) },
    { Group::lowLevelLabels, 1, 1, at (526), centred (191), at (42), at (18) },
    { Group::soloIcons, 2, 1, at (522), centred (79), at (12), at (18) },
    { Group::soloIcons, 1, 1, at (522), centred (135), at (12), at (18) },
    { Group::soloIcons, 0, 1, at (522), centred (191), at (12), at (18) },
    { Group::muteIcons, 2, 1, at (560), centred (79), at (12), at (18) },
    { Group::muteIcons, 1, 1, at (560), centred (135), at (12), at (18) },
    { Group::muteIcons, 0, 1, at (560), centred (191), at (12), at (18) },
};

struct Box
{
    int x, y, w, h;
};

// Element `element` of the entry, at scale s.
inline Box place (const Entry& e, int element, float s) noexcept
{
    const int n = element - e.first;
    const int i = n % e.period, j = n / e.period;
    const auto fi = static_cast<float> (i), fj = static_cast<float> (j);
    return { apply (e.x.rule, e.x.value + e.xValueStep * fi, s) + scaled (e.xScaledStep * fi, s),
             apply (e.y.rule, e.y.value + e.yValueStep * fj, s), apply (e.w.rule, e.w.value, s),
             apply (e.h.rule, e.h.value, s) };
}

// The box of element `element` of `group` at scale s; {0, 0, 0, 0} for a child the tables do not place.
inline Box find (Group group, int element, float s) noexcept
{
    for (const auto& e : entries)
        if (e.group == group && element >= e.first && element < e.first + e.count)
            return place (e, element, s);
    return { 0, 0, 0, 0 };
}

// Beats across the play marker: beatsPerBar rounded, halves to even, and at least one, so a bar
// of half a quarter note or less (or a value that is no number) still gives a usable width.
inline int beatCount (float beatsPerBar) noexcept
{
    if (!std::isfinite (beatsPerBar) || beatsPerBar < 1.5f)
        return 1;
    if (beatsPerBar > 1.0e6f)
        return 1000000;
    return static_cast<int> (std::nearbyint (beatsPerBar));
}

// Whole pixels per beat across a marker of the given width.
inline int beatWidth (int markerWidth, float beatsPerBar) noexcept
{
    return markerWidth / beatCount (beatsPerBar);
}
} // namespace EditorLayout
