#pragma once

// The 22 icon buttons of the editor window, k0..k21: glyph, caption (text glyphs only) and
// tooltip (none where empty).
struct IconButtonTable
{
    struct Entry
    {
        int glyph;
        const char* caption;
        const char* tooltip;
    };

    static constexpr int numButtons = 22;
    static constexpr int frame = 5; // k5 draws the frame around the line tools and takes no clicks

    static constexpr Entry entries[numButtons] = {
        { 14, "", "" },        // power
        { 0, "", "" },         // preset menu
        { 2, "", "" },         // previous preset
        { 13, "", "" },        // preset name (its caption is the preset's)
        { 3, "", "" },         // next preset
        { 5, "", "" },         // frame
        { 4, "L1", "Line 1" }, // stage 1
        { 4, "L2", "Line 2" }, // stage 2
        { 11, "", "" },        // undo (tooltip follows the history)
        { 12, "", "" },        // redo
        { 7, "", "Copy Line" },
        { 8, "", "Paste Line" },
        { 10, "", "Randomize Line" },
        { 9, "", "Reset Line" },
        { 9, "", "Reset State" },
        { 10, "", "Randomize State" },
        { 15, "", "Flip Line X" },
        { 16, "", "Flip Line Y" },
        { 7, "", "Copy State" },
        { 8, "", "Paste State" },
        { 17, "", "Quantize; Wait to finish a cycle when changing states" },
        { 18, "", "Store mix controls with states; Disables host automation. (master mix is not effected)" },
    };
};
