// Writes the two plain interface pictures (skin and about panel) that the program embeds until the
// drawn artwork exists: 1184 x 468 pixels, baseline JPEG, three colour components.
// Usage: kalvo_make_images <output folder>
#include <JuceHeader.h>

namespace
{
constexpr int pictureWidth = 1184;
constexpr int pictureHeight = 468;

bool writePlainPicture (const juce::File& file, juce::Colour colour)
{
    juce::Image image (juce::Image::RGB, pictureWidth, pictureHeight, false);
    image.clear (image.getBounds(), colour);

    juce::JPEGImageFormat jpeg;
    jpeg.setQuality (0.9f);

    file.deleteFile();
    juce::FileOutputStream out (file);
    if (out.failedToOpen())
        return false;
    return jpeg.writeImageToStream (image, out);
}
} // namespace

int main (int argc, char** argv)
{
    if (argc != 2)
    {
        std::cerr << "usage: kalvo_make_images <output folder>" << std::endl;
        return 2;
    }

    const juce::ScopedJuceInitialiser_GUI juce;
    const juce::File folder (juce::File::getCurrentWorkingDirectory().getChildFile (argv[1]));
    if (!folder.createDirectory())
    {
        std::cerr << "cannot create " << folder.getFullPathName() << std::endl;
        return 1;
    }

    const bool ok = writePlainPicture (folder.getChildFile ("resource_SkinImage_kalvo2Skin_9.jpg"),
                                       juce::Colour (0xFF202623)) &&
                    writePlainPicture (folder.getChildFile ("resource_SkinImage_testingGui10_about.jpg"),
                                       juce::Colour (0xFF262E38));
    if (!ok)
    {
        std::cerr << "cannot write the pictures into " << folder.getFullPathName() << std::endl;
        return 1;
    }
    return 0;
}
