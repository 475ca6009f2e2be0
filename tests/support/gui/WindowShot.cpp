// Saves a PNG of a named top-level window of the current X display and prints its size.
// Usage: kalvo_window_shot <window name> <output.png>; fails when no such window exists.
#include "XWindowGrab.h"

#include <JuceHeader.h>

#include <iostream>

int main (int argc, char** argv)
{
    if (argc != 3)
    {
        std::cerr << "usage: kalvo_window_shot <window name> <output.png>" << std::endl;
        return 2;
    }
    const auto pixels = grabXWindow (argv[1]);
    if (pixels.rgb.empty())
    {
        std::cerr << "no window named " << argv[1] << std::endl;
        return 1;
    }

    juce::Image image (juce::Image::RGB, pixels.width, pixels.height, false);
    for (int y = 0; y < pixels.height; ++y)
        for (int x = 0; x < pixels.width; ++x)
            image.setPixelAt (x, y, juce::Colour (0xFF000000u | pixels.rgb[(size_t) (y * pixels.width + x)]));

    const juce::File file (juce::File::getCurrentWorkingDirectory().getChildFile (argv[2]));
    file.deleteFile();
    juce::FileOutputStream out (file);
    juce::PNGImageFormat png;
    if (!out.openedOk() || !png.writeImageToStream (image, out))
        return 1;
    std::cout << pixels.width << "x" << pixels.height << std::endl;
    return 0;
}
