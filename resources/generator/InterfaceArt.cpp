#include "InterfaceArt.h"

#include "EditorLayout.h"

namespace
{
using EditorLayout::Group;

const juce::Colour groundTop (0xFF1E2422), groundBottom (0xFF141816), topBar (0xFF101312), well (0xFF0B0D0C),
    wellEdge (0xFF2C3431), panel (0xFF191E1C), darkest (0xFF050606), brand (0xFF49A7E3),
    brandDim (0xFF2B5D7C);

juce::Rectangle<float> box (Group group, int element)
{
    const auto b = EditorLayout::find (group, element, InterfaceArt::scale);
    return juce::Rectangle<int> (b.x, b.y, b.w, b.h).toFloat();
}

juce::Rectangle<float> logical (float x, float y, float w, float h)
{
    return { x * InterfaceArt::scale, y * InterfaceArt::scale, w * InterfaceArt::scale,
             h * InterfaceArt::scale };
}

void drawGround (juce::Graphics& g, juce::Image& image)
{
    g.setGradientFill (juce::ColourGradient (groundTop, 0.0f, 0.0f, groundBottom, 0.0f,
                                             (float) InterfaceArt::height, false));
    g.fillAll();
    g.setColour (topBar);
    g.fillRect (logical (0, 0, 592, 28));

    // A faint grain, the same on every run.
    juce::Random random (0x4B6C7650);
    const juce::Image::BitmapData pixels (image, juce::Image::BitmapData::readWrite);
    for (int y = 0; y < InterfaceArt::height; ++y)
    {
        for (int x = 0; x < InterfaceArt::width; ++x)
        {
            const int grain = random.nextInt (3) - 1;
            const auto c = pixels.getPixelColour (x, y);
            const auto shift = [grain] (juce::uint8 v)
            { return (juce::uint8) juce::jlimit (0, 255, v + grain); };
            pixels.setPixelColour (
                x, y, juce::Colour (shift (c.getRed()), shift (c.getGreen()), shift (c.getBlue())));
        }
    }
}

void drawWell (juce::Graphics& g, juce::Rectangle<float> area, float corner)
{
    g.setColour (well);
    g.fillRoundedRectangle (area, corner);
    g.setColour (wellEdge);
    g.drawRoundedRectangle (area.reduced (0.5f), corner, 1.0f);
}

void drawKnobWell (juce::Graphics& g, juce::Rectangle<float> knob, float radius)
{
    const auto centre = knob.getCentre();
    const auto r = radius * InterfaceArt::scale;
    const juce::Rectangle<float> circle (centre.x - r, centre.y - r, 2 * r, 2 * r);
    g.setColour (well);
    g.fillEllipse (circle);
    g.setColour (wellEdge);
    g.drawEllipse (circle.reduced (1.0f), 2.0f);
}

void drawName (juce::Graphics& g)
{
    const auto area = box (Group::aboutLabels, 0);
    g.setColour (brand);
    g.setFont (juce::Font (area.getHeight() * 0.95f, juce::Font::bold));
    g.drawFittedText ("KalvoPro", area.toNearestInt(), juce::Justification::centredLeft, 1, 1.0f);
}

void drawEmblem (juce::Graphics& g)
{
    // Three bands under one loop: three rings and three bars of rising height.
    const auto area = box (Group::aboutLabels, 1).reduced (8.0f);
    const auto centre = area.getCentre();
    for (int ring = 0; ring < 3; ++ring)
    {
        const float r = area.getWidth() * 0.5f - (float) ring * 22.0f;
        g.setColour (ring == 0 ? brand : brandDim);
        g.drawEllipse (centre.x - r, centre.y - r, 2 * r, 2 * r, ring == 0 ? 10.0f : 5.0f);
    }
    const juce::Colour bars[3] = { juce::Colour (0xFFE34949), juce::Colour (0xFFE3CB45),
                                   juce::Colour (0xFF52E343) };
    for (int b = 0; b < 3; ++b)
    {
        const float h = 40.0f + 30.0f * (float) b;
        g.setColour (bars[b]);
        g.fillRoundedRectangle (centre.x - 50.0f + 36.0f * (float) b, centre.y + 40.0f - h, 28.0f, h, 6.0f);
    }
}
} // namespace

juce::Image InterfaceArt::drawSkin()
{
    juce::Image image (juce::Image::RGB, width, height, true);
    juce::Graphics g (image);
    drawGround (g, image);

    // Panels of the left line column and the right band column.
    g.setColour (panel);
    g.fillRoundedRectangle (logical (18, 50, 54, 174), 8.0f);
    g.fillRoundedRectangle (logical (518, 50, 58, 174), 8.0f);

    // The preset name entry draws no background of its own.
    drawWell (g, logical (195, 9, 205, 18), 6.0f);
    drawName (g);

    drawKnobWell (g, box (Group::glideSliders, 0), 14.0f);
    drawKnobWell (g, box (Group::lengthSliders, 0), 21.0f);
    drawKnobWell (g, box (Group::mixSliders, 0), 21.0f);
    for (auto group : { Group::highLevelSlider, Group::midLevelSlider, Group::lowLevelSlider })
        drawKnobWell (g, box (group, 0), 21.0f);

    // The master-mix knob is invisible: its slot shows where to drag.
    drawWell (g, box (Group::masterMixSlider, 0), 6.0f);
    g.setColour (wellEdge);
    g.drawRoundedRectangle (box (Group::freqDisplay, 0).expanded (3.0f), 6.0f, 2.0f);

    for (int meter = 0; meter < 4; ++meter)
        drawWell (g, box (Group::levelMeters, meter).expanded (1.0f), 2.0f);

    g.setColour (darkest);
    g.fillRect (box (Group::previewGraph, 0));

    // Wells under the line tools and the state thumbnails.
    drawWell (g, box (Group::iconButtons, 6).getUnion (box (Group::iconButtons, 9)).expanded (2.0f), 4.0f);
    drawWell (g, box (Group::stateGraphs, 0).getUnion (box (Group::stateIcons, 11)).expanded (2.0f), 4.0f);

    // Marks under the invisible links: a ring for the small one, an underline for the wide one.
    const auto help = box (Group::linkButtons, 0);
    g.setColour (brandDim);
    g.drawEllipse (help.withSizeKeepingCentre (16.0f, 16.0f), 2.0f);
    const auto site = box (Group::linkButtons, 1);
    g.fillRoundedRectangle (site.getX() + 8.0f, site.getBottom() - 6.0f, site.getWidth() - 16.0f, 3.0f, 1.5f);

    return image;
}

juce::Image InterfaceArt::drawAbout()
{
    juce::Image image (juce::Image::RGB, width, height, true);
    juce::Graphics g (image);
    drawGround (g, image);
    drawName (g);
    drawEmblem (g);
    return image;
}

juce::Image InterfaceArt::withOutlines (const juce::Image& picture)
{
    auto image = picture.createCopy();
    juce::Graphics g (image);
    g.setColour (juce::Colours::magenta);
    for (const auto& entry : EditorLayout::entries)
    {
        for (int element = entry.first; element < entry.first + entry.count; ++element)
        {
            const auto b = EditorLayout::place (entry, element, scale);
            g.drawRect (b.x, b.y, b.w, b.h, 1);
        }
    }
    return image;
}

bool InterfaceArt::writeJpeg (const juce::Image& image, const juce::File& file)
{
    juce::JPEGImageFormat jpeg;
    jpeg.setQuality (0.92f);
    file.deleteFile();
    juce::FileOutputStream out (file);
    return out.openedOk() && jpeg.writeImageToStream (image, out);
}

bool InterfaceArt::writePng (const juce::Image& image, const juce::File& file)
{
    juce::PNGImageFormat png;
    file.deleteFile();
    juce::FileOutputStream out (file);
    return out.openedOk() && png.writeImageToStream (image, out);
}

bool InterfaceArt::writeAll (const juce::File& folder, bool outlines)
{
    const auto skin = drawSkin(), about = drawAbout();
    bool ok = writeJpeg (skin, folder.getChildFile (skinFileName)) &&
              writeJpeg (about, folder.getChildFile (aboutFileName));
    if (ok && outlines)
        ok = writePng (withOutlines (skin), folder.getChildFile ("skin_outlined.png")) &&
             writePng (withOutlines (about), folder.getChildFile ("about_outlined.png"));
    return ok;
}
