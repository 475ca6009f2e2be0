#include "Icons.h"
#include "PixelProbe.h"
#include "XvfbFixture.h"

namespace
{
// All 19 glyphs: at scale 1 lit, pressed and dim, then at scale 2 lit in two rows.
class GlyphSheet : public Backdrop
{
public:
    GlyphSheet()
    {
        const int states[] = { 0, 1, 2 };
        for (int row = 0; row < 3; ++row)
            for (int type = 0; type < Icons::numGlyphs; ++type)
                add (type, 1.0f, states[row], { 8 + type * 40, 8 + row * 32, 32, 24 });

        for (int type = 0; type < Icons::numGlyphs; ++type)
            add (type, 2.0f, 0, { 8 + (type % 10) * 72, 112 + (type / 10) * 56, 64, 48 });

        setSize (8 + 19 * 40, 112 + 2 * 56 + 4);
    }

    juce::OwnedArray<Icons> icons;

private:
    void add (int type, float scale, int state, juce::Rectangle<int> bounds)
    {
        auto* icon = icons.add (new Icons());
        icon->iconType = type;
        icon->scale = scale;
        icon->state = state;
        icon->text = type == 4 ? "L1" : "Sync";
        icon->fontHeight = 9.0f;
        icon->setBounds (bounds);
        addAndMakeVisible (icon);
    }
};
} // namespace

TEST_F (XvfbTest, GlyphSheetOfAllNineteenIconsAtScalesOneAndTwo)
{
    GlyphSheet sheet;
    OnScreen window (sheet, { 10, 10 });
    ASSERT_NE (window.peer(), nullptr);
    EXPECT_TRUE (sheet.isShowing());

    const auto snapshot = sheet.createComponentSnapshot (sheet.getLocalBounds(), true, 1.0f);
    EXPECT_TRUE (goldens().matches (snapshot, "glyph_sheet"));

    // Lit, pressed and dim rows of the thick frame (type 5) at its top edge, over the backdrop.
    const juce::Colour backdrop (0xFF202623);
    EXPECT_TRUE (PixelProbe::colourNear (snapshot, 8 + 5 * 40 + 16, 8 + 2, juce::Colour (0xFF4ED36D), 4));
    EXPECT_TRUE (PixelProbe::colourNear (snapshot, 8 + 5 * 40 + 16, 40 + 2,
                                         backdrop.interpolatedWith (juce::Colour (0xFF457250), 0xAA / 255.0f),
                                         4));
    EXPECT_TRUE (PixelProbe::colourNear (snapshot, 8 + 5 * 40 + 16, 72 + 2, juce::Colour (0xFF457250), 4));
}
