// Draws the editor's skin and about pictures into a folder, under the names the program embeds.
// Usage: kalvo_make_images <output folder> [--outlines]
#include "InterfaceArt.h"

#include <iostream>

int main (int argc, char** argv)
{
    const bool outlines = argc == 3 && juce::String (argv[2]) == "--outlines";
    if (argc != 2 && !outlines)
    {
        std::cerr << "usage: kalvo_make_images <output folder> [--outlines]" << std::endl;
        return 2;
    }

    const juce::ScopedJuceInitialiser_GUI juce;
    const juce::File folder (juce::File::getCurrentWorkingDirectory().getChildFile (argv[1]));
    if (!folder.createDirectory())
    {
        std::cerr << "cannot create " << folder.getFullPathName() << std::endl;
        return 1;
    }
    if (!InterfaceArt::writeAll (folder, outlines))
    {
        std::cerr << "cannot write the pictures into " << folder.getFullPathName() << std::endl;
        return 1;
    }
    return 0;
}
