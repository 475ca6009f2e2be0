#include "Icons.h"

namespace
{
// Figures on bounds smaller than their offsets degenerate to nothing instead of turning inside out.
juce::Rectangle<float> area (float x, float y, float w, float h)
{
    return { x, y, juce::jmax (0.0f, w), juce::jmax (0.0f, h) };
}

void fillArrow (juce::Graphics& g, juce::Line<float> line, float thickness, float headWidth, float headLength)
{
    if (line.getLength() <= 0.0f || headWidth <= 0.0f || headLength <= 0.0f)
        return;
    juce::Path arrow;
    arrow.addArrow (line, thickness, headWidth, headLength);
    g.fillPath (arrow);
}
} // namespace

Icons::Icons() = default;
Icons::~Icons() = default;

void Icons::resized() {}

bool Icons::selectStateColour (juce::Graphics& g) const
{
    switch (state)
    {
        case 0:
            g.setColour (onColour);
            return true;
        case 1:
            g.setColour (pressedColour);
            return true;
        case 2:
            g.setColour (offColour);
            return true;
        default:
            return false;
    }
}

void Icons::drawText (juce::Graphics& g) const
{
    auto height = fontHeight * scale;
    if (!(height >= 0.1f))
        height = 0.1f;
    const auto styleFlags = fontStyle & (juce::Font::bold | juce::Font::italic | juce::Font::underlined);
    g.setFont (juce::Font (juce::jmin (height, 10000.0f), styleFlags));
    g.drawText (text, getLocalBounds().toFloat(), juce::Justification (justification), true);
}

void Icons::paint (juce::Graphics& g)
{
    // A state without a colour draws nothing rather than whatever colour the context holds.
    if ((unsigned) iconType >= (unsigned) numGlyphs || !std::isfinite (scale) || !selectStateColour (g))
        return;

    const auto W = (float) getWidth();
    const auto H = (float) getHeight();
    const auto s = scale;

    const auto frame = [&] { g.drawRoundedRectangle (area (2 * s, 2 * s, W - 4 * s, H - 4 * s), 2 * s, s); };
    const auto line = [&] (float x1, float y1, float x2, float y2) { g.drawLine (x1, y1, x2, y2, s); };

    switch (iconType)
    {
        case 0: // menu button
        {
            const auto w = W - 4 * s;
            const auto h = H - 4 * s;
            g.fillRoundedRectangle (area (2 * s, 2 * s, w, h), 2 * s);
            g.setColour (juce::Colours::black);
            for (int k = 1; k <= 5; k += 2)
                g.fillRect (area (2 * s + w / 12, 2 * s + (float) k * h / 7, 5 * w / 6, h / 7));
            break;
        }

        case 1: // die, filled
            g.fillRoundedRectangle (area (0, 0, W, H), 2 * s);
            g.setColour (juce::Colours::black);
            g.fillEllipse (area (2 * s, 2 * s, W / 4, H / 4));
            g.fillEllipse (area (W - 2 * s - W / 4, 2 * s, W / 4, H / 4));
            g.fillEllipse (area (2 * s, H - 2 * s - H / 4, W / 4, H / 4));
            g.fillEllipse (area (W - 2 * s - W / 4, H - 2 * s - H / 4, W / 4, H / 4));
            break;

        case 2: // triangle left
            fillArrow (g, { W - 4 * s, H / 2, 2 * s, H / 2 }, 0.0f, W - 4 * s, H - 4 * s);
            break;

        case 3: // triangle right
            fillArrow (g, { 2 * s, H / 2, W - 4 * s, H / 2 }, 0.0f, W - 4 * s, H - 4 * s);
            break;

        case 4: // frame with text
            frame();
            drawText (g);
            break;

        case 5: // thick frame
            g.drawRoundedRectangle (area (2 * s, 2 * s, W - 4 * s, H - 4 * s), 2 * s, 2 * s);
            break;

        case 6: // thin frame
            g.drawRoundedRectangle (area (2 * s, 2 * s, W - 4 * s, H - 4 * s), 1.5f * s, s);
            break;

        case 7: // two sheets
            g.drawRoundedRectangle (area (2 * s, 2 * s, W - 6 * s, H - 6 * s), 2 * s, s);
            g.setColour (juce::Colours::black);
            g.fillRoundedRectangle (area (4 * s, 4 * s, W - 6 * s, H - 6 * s), 2 * s);
            selectStateColour (g);
            g.drawRoundedRectangle (area (4 * s, 4 * s, W - 6 * s, H - 6 * s), 2 * s, s);
            break;

        case 8: // clipboard
            g.drawRoundedRectangle (area (2 * s, 4 * s, W - 4 * s, H - 6 * s), 2 * s, s);
            g.setColour (juce::Colours::black);
            g.fillRoundedRectangle (area (4 * s, 2 * s, W - 8 * s, 4 * s), 2 * s);
            selectStateColour (g);
            g.drawRoundedRectangle (area (4 * s, 2 * s, W - 8 * s, 4 * s), 2 * s, s);
            break;

        case 9: // cross
            frame();
            line (4 * s, 4 * s, W - 4 * s, H - 4 * s);
            line (W - 4 * s, 4 * s, 4 * s, H - 4 * s);
            break;

        case 10: // die, outlined
            frame();
            g.drawEllipse (4 * s, 4 * s, 2 * s, 2 * s, s);
            g.drawEllipse (W - 6 * s, 4 * s, 2 * s, 2 * s, s);
            g.drawEllipse (4 * s, H - 6 * s, 2 * s, 2 * s, s);
            g.drawEllipse (W - 6 * s, H - 6 * s, 2 * s, 2 * s, s);
            break;

        case 11: // arrow left
            fillArrow (g, { W - 4 * s, H / 2, 2 * s, H / 2 }, s, W - 4 * s, H - 8 * s);
            break;

        case 12: // arrow right
            fillArrow (g, { 2 * s, H / 2, W - 4 * s, H / 2 }, s, W - 4 * s, H - 8 * s);
            break;

        case 13: // text only
            drawText (g);
            break;

        case 14: // power: a ring open at the top in the top-left W x W square, and the upright stroke
        {
            juce::Path ring;
            ring.addPieSegment (0.0f, 0.0f, W, W, juce::MathConstants<float>::pi * 0.25f,
                                juce::MathConstants<float>::pi * 1.75f, 0.8f);
            g.fillPath (ring);
            g.fillRect (area (W / 2 - s, 0, 2 * s, 8 * s));
            break;
        }

        case 15: // horizontal bar
            frame();
            line (4 * s, H / 2, W - 4 * s, H / 2);
            break;

        case 16: // vertical bar
            frame();
            line (W / 2, 4 * s, W / 2, H - 4 * s);
            break;

        case 17: // corner: strokes from the left and from the top meet at the centre
            frame();
            line (4 * s, H / 2, W / 2, H / 2);
            line (W / 2, 4 * s, W / 2, H / 2);
            break;

        case 18: // V
            frame();
            line (4 * s, 6 * s, W / 2, H / 2 + 2 * s);
            line (W / 2, H / 2 + 2 * s, W - 4 * s, 6 * s);
            break;

        default:
            break;
    }
}
