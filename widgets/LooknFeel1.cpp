#include "LooknFeel1.h"

namespace
{
juce::Font limitedFont (float height, int styleFlags)
{
    // Font limits heights itself, but not NaN.
    if (!(height >= 0.1f))
        height = 0.1f;
    return juce::Font (juce::jmin (height, 10000.0f), styleFlags);
}

juce::Rectangle<float> nonNegative (float x, float y, float w, float h)
{
    return { x, y, juce::jmax (0.0f, w), juce::jmax (0.0f, h) };
}

void addRing (juce::Path& path, float diameter, float from, float to, float innerProportion)
{
    path.addPieSegment (0.0f, 0.0f, diameter, diameter, from, to, innerProportion);
}

void fillRing (juce::Graphics& g, juce::Colour colour, float diameter, float from, float to, float inner)
{
    juce::Path ring;
    addRing (ring, diameter, from, to, inner);
    g.setColour (colour);
    g.fillPath (ring);
}
} // namespace

LooknFeel1::LooknFeel1() = default;
LooknFeel1::~LooknFeel1() = default;

juce::uint8 LooknFeel1::opacityToAlpha (float opacity) noexcept
{
    if (!(opacity > 0.0f))
        return 0;
    if (opacity >= 1.0f)
        return 255;
    return (juce::uint8) (opacity * 255.996f);
}

//==============================================================================
void LooknFeel1::drawButtonBackground (juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                       bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown)
{
    const float s = scale;
    if (!std::isfinite (s))
        return;
    juce::Colour body (0xFF151515);
    if (shouldDrawButtonAsHighlighted)
        body = juce::Colour (0xFF202020);
    if (shouldDrawButtonAsDown)
        body = juce::Colour (0xFF101010);

    const auto area =
        nonNegative (s, s, (float) button.getWidth() - 2.0f * s, (float) button.getHeight() - 2.0f * s);
    g.setColour (body);
    g.fillRoundedRectangle (area, 3.0f * s);
    g.setColour (accentColour.withAlpha ((juce::uint8) 0x99));
    g.drawRoundedRectangle (area, 3.0f * s, s);
}

juce::Font LooknFeel1::getTextButtonFont (juce::TextButton&, int)
{
    return limitedFont (9.0f * scale, juce::Font::bold);
}

void LooknFeel1::fillTextEditorBackground (juce::Graphics&, int, int, juce::TextEditor&) {}

void LooknFeel1::drawTextEditorOutline (juce::Graphics& g, int width, int height, juce::TextEditor& editor)
{
    if (!editor.isEnabled())
        return;

    const float s = scale;
    if (!std::isfinite (s))
        return;
    const bool focused = editor.hasKeyboardFocus (true) && !editor.isReadOnly();
    g.setColour (accentColour.withAlpha ((juce::uint8) (focused ? 0xCC : 0x99)));
    g.drawRoundedRectangle (nonNegative (s, s, (float) width - 2.0f * s, (float) height - 2.0f * s), 3.0f * s,
                            s);
}

//==============================================================================
juce::Font LooknFeel1::getPopupMenuFont()
{
    return limitedFont (11.0f * scale, juce::Font::bold);
}

void LooknFeel1::drawPopupMenuBackground (juce::Graphics& g, int width, int height)
{
    const float s = scale;
    if (!std::isfinite (s))
        return;
    g.fillAll (menuBackgroundColour);
    g.setColour (juce::Colours::black);
    g.fillRoundedRectangle (
        nonNegative (2.0f * s, 2.0f * s, (float) width - 4.0f * s, (float) height - 4.0f * s), 2.0f * s);
}

void LooknFeel1::drawPopupMenuItem (juce::Graphics& g, const juce::Rectangle<int>& area, bool isSeparator,
                                    bool isActive, bool isHighlighted, bool isTicked, bool hasSubMenu,
                                    const juce::String& text, const juce::String& shortcutKeyText,
                                    const juce::Drawable* icon, const juce::Colour*)
{
    const float s = scale;
    if (!std::isfinite (s))
        return;

    if (isSeparator)
    {
        g.setColour (menuBackgroundColour);
        g.fillRect (nonNegative ((float) area.getX() + 2.0f * s,
                                 (float) (area.getY() + area.getHeight() / 2) - s,
                                 (float) area.getWidth() - 4.0f * s, 2.0f * s));
        return;
    }

    auto r = area.reduced (1);

    if (isHighlighted)
    {
        r = r.reduced (2, 0);
        g.setColour (menuHighlightColour);
        g.fillRect (r);
        g.setColour (menuHighlightedTextColour);
    }
    else
    {
        g.setColour (menuTextColour);
    }

    if (!isActive)
        g.setOpacity (0.3f);

    auto font = getPopupMenuFont();
    const auto maxFontHeight = (float) area.getHeight() / 1.3f;
    if (font.getHeight() > maxFontHeight)
        font.setHeight (juce::jmax (0.1f, maxFontHeight));
    g.setFont (font);

    const auto iconArea =
        r.removeFromLeft (juce::jmin ((r.getHeight() * 5) / 4, r.getWidth())).reduced (3).toFloat();

    if (icon != nullptr)
    {
        icon->drawWithin (g, iconArea,
                          juce::RectanglePlacement::centred | juce::RectanglePlacement::onlyReduceInSize,
                          1.0f);
    }
    else if (isTicked && !iconArea.isEmpty())
    {
        const auto tick = getTickShape (1.0f);
        g.fillPath (tick, tick.getTransformToScaleToFit (iconArea, true));
    }

    if (hasSubMenu)
    {
        const auto arrowSize = 0.6f * getPopupMenuFont().getAscent();
        const auto x = (float) r.removeFromRight (juce::jmin ((int) arrowSize, r.getWidth())).getX();
        const auto centreY = (float) (r.getY() + r.getHeight() / 2);

        juce::Path arrow;
        arrow.addTriangle (x, centreY - arrowSize * 0.5f, x, centreY + arrowSize * 0.5f, x + arrowSize * 0.6f,
                           centreY);
        g.fillPath (arrow);
    }

    r.removeFromRight (juce::jmin (3, r.getWidth()));
    g.drawFittedText (text, r, juce::Justification::centredLeft, 1);

    if (shortcutKeyText.isNotEmpty())
    {
        auto shortcutFont = font;
        shortcutFont.setHeight (juce::jmax (0.1f, shortcutFont.getHeight() * 0.75f));
        shortcutFont.setHorizontalScale (0.95f);
        g.setFont (shortcutFont);
        g.drawText (shortcutKeyText, r, juce::Justification::centredRight, true);
    }
}

void LooknFeel1::drawPopupMenuSectionHeader (juce::Graphics& g, const juce::Rectangle<int>& area,
                                             const juce::String& sectionName)
{
    g.setFont (getPopupMenuFont().boldened());
    g.setColour (menuTextColour);
    g.drawFittedText (sectionName, area.getX() + 5, area.getY() + 4, juce::jmax (0, area.getWidth() - 16),
                      juce::jmax (0, (int) ((float) area.getHeight() * 0.8f)),
                      juce::Justification::centredLeft, 1);
}

void LooknFeel1::drawPopupMenuUpDownArrow (juce::Graphics& g, int width, int height, bool isScrollUpArrow)
{
    const auto h = (float) height;
    g.setGradientFill (juce::ColourGradient (menuBackgroundColour, 0.0f, h * 0.5f,
                                             menuBackgroundColour.withAlpha (0.0f), 0.0f,
                                             isScrollUpArrow ? h : 0.0f, false));
    g.fillRect (1, 1, juce::jmax (0, width - 2), juce::jmax (0, height - 2));

    const auto halfWidth = (float) width * 0.5f;
    const auto arrowWidth = h * 0.3f;
    const auto y1 = h * (isScrollUpArrow ? 0.6f : 0.3f);
    const auto y2 = h * (isScrollUpArrow ? 0.3f : 0.6f);

    juce::Path arrow;
    arrow.addTriangle (halfWidth - arrowWidth, y1, halfWidth + arrowWidth, y1, halfWidth, y2);
    g.setColour (menuTextColour);
    g.fillPath (arrow);
}

void LooknFeel1::getIdealPopupMenuItemSize (const juce::String& text, bool isSeparator,
                                            int standardMenuItemHeight, int& idealWidth, int& idealHeight)
{
    if (isSeparator)
    {
        idealWidth = 50;
        idealHeight = standardMenuItemHeight > 0 ? standardMenuItemHeight / 2 : 10;
        return;
    }

    auto font = getPopupMenuFont();
    if (standardMenuItemHeight > 0 && font.getHeight() > (float) standardMenuItemHeight / 1.4f)
        font.setHeight ((float) standardMenuItemHeight / 1.4f);

    idealHeight =
        standardMenuItemHeight > 0 ? standardMenuItemHeight : juce::roundToInt (font.getHeight() * 1.4f);
    idealWidth = font.getStringWidth (text) + idealHeight * 2;
}

//==============================================================================
void LooknFeel1::drawRotarySlider (juce::Graphics& g, int, int, int width, int height, float sliderPos, float,
                                   float, juce::Slider& slider)
{
    if (rotaryStyle < 0 || rotaryStyle > 4)
        return;

    // Arcs are built point by point: angles beyond any sensible turn would never finish.
    constexpr float angleLimit = 100.0f;
    if (!(std::abs (rotaryStartAngle) <= angleLimit && std::abs (rotaryEndAngle) <= angleLimit &&
          std::isfinite (sliderPos)))
        return;

    // The knob keeps its own square at the slider's top-left corner, sized by the longer side.
    const auto diameter = (float) (2 * juce::jmax (width / 2, height / 2));
    const float start = rotaryStartAngle;
    const float end = rotaryEndAngle;
    const float centre = (start + end) * 0.5f;
    const float value = start + juce::jlimit (0.0f, 1.0f, sliderPos) * (end - start);
    const float inner = ringInnerRadius;
    constexpr float widen = 0.05f;

    const bool active = activeColouring && slider.isEnabled();
    const auto trackAtAlpha = trackColour.withAlpha (opacityToAlpha (trackAlpha));
    const auto valueColour = active ? accentColour : trackAtAlpha;

    switch (rotaryStyle)
    {
        case 0:
            fillRing (g, active ? trackAtAlpha : trackColour.withAlpha ((juce::uint8) 0x33), diameter,
                      start - widen, end + widen, inner);
            fillRing (g, valueColour, diameter, start - widen, value + widen, inner);
            break;

        case 1:
            fillRing (g, trackAtAlpha, diameter, start - widen, end + widen, inner);
            fillRing (g, valueColour, diameter, value - widen, value + widen, inner);
            break;

        case 2:
        {
            fillRing (g, trackAtAlpha, diameter, start - widen, end + widen, inner);
            juce::Path bipolar;
            addRing (bipolar, diameter, centre - widen, centre + widen, inner);
            addRing (bipolar, diameter, juce::jmin (value, centre) - widen,
                     juce::jmax (value, centre) + widen, inner);
            g.setColour (valueColour);
            g.fillPath (bipolar);
            break;
        }

        case 3:
            fillRing (g, valueColour, diameter, start - widen, value + widen, inner);
            break;

        case 4:
        {
            juce::Path bipolar;
            addRing (bipolar, diameter, centre - widen, centre + widen, inner);
            if (value >= centre)
                addRing (bipolar, diameter, centre, value + widen, inner);
            else
                addRing (bipolar, diameter, value, centre, inner);
            g.setColour (valueColour);
            g.fillPath (bipolar);
            break;
        }

        default:
            break;
    }
}

//==============================================================================
juce::TextLayout LooknFeel1::layoutTooltip (const juce::String& text, juce::Colour colour, float s,
                                            float maxWidth)
{
    juce::AttributedString attributed;
    attributed.setJustification (juce::Justification::centred);
    attributed.setWordWrap (juce::AttributedString::byWord);
    attributed.append (text, limitedFont (9.0f * s, juce::Font::plain), colour);

    juce::TextLayout layout;
    layout.createLayoutWithBalancedLineLengths (attributed, juce::jmax (1.0f, maxWidth));
    return layout;
}

juce::Rectangle<int> LooknFeel1::getTooltipBounds (const juce::String& tipText, juce::Point<int> screenPos,
                                                   juce::Rectangle<int> parentArea)
{
    // Sizes and gaps become integers: a scale without a sensible size is taken as 1.
    const float s = scale >= 0.0f && scale <= 1000.0f ? scale : 1.0f;
    const auto layout = layoutTooltip (tipText, juce::Colours::black, s, 300.0f * s);

    const auto w = (int) (layout.getWidth() + 10.0f * s);
    const auto h = (int) (layout.getHeight() + 6.0f * s);
    const auto gapLeft = juce::roundToInt (10.0f * s);
    const auto gapRight = juce::roundToInt (20.0f * s);
    const auto gapVertical = juce::roundToInt (6.0f * s);

    const auto x = screenPos.x > parentArea.getCentreX() ? screenPos.x - w - gapLeft : screenPos.x + gapRight;
    const auto y =
        screenPos.y > parentArea.getCentreY() ? screenPos.y - h - gapVertical : screenPos.y + gapVertical;
    return juce::Rectangle<int> (x, y, w, h).constrainedWithin (parentArea);
}

void LooknFeel1::drawTooltip (juce::Graphics& g, const juce::String& text, int width, int height)
{
    const float s = scale;
    if (!std::isfinite (s))
        return;
    g.setColour (juce::Colour (0xFF101010));
    g.fillRect (0, 0, width, height);

    g.setColour (juce::Colour (0xFF505050));
    const auto outline = juce::Rectangle<float> ((float) width, (float) height).reduced (s * 0.5f);
    if (!outline.isEmpty())
        g.drawRoundedRectangle (outline, 2.0f * s, s);

    layoutTooltip (text, juce::Colour (0xFFAAAAAA), s, (float) juce::roundToInt (300.0f * s))
        .draw (g, juce::Rectangle<float> ((float) width, (float) height));
}
