#include "GoldenImage.h"

#include "PixelProbe.h"

GoldenImage::GoldenImage (juce::File goldenFolder) : folder (std::move (goldenFolder)) {}

juce::File GoldenImage::snapshotFile (const juce::String& name)
{
    return juce::File::getCurrentWorkingDirectory().getChildFile ("snapshots").getChildFile (name + ".png");
}

testing::AssertionResult GoldenImage::matches (const juce::Image& snapshot, const juce::String& name,
                                               Tolerance tolerance) const
{
    if (!snapshot.isValid())
        return testing::AssertionFailure() << "no snapshot taken for " << name;

    const auto written = snapshotFile (name);
    PixelProbe::savePng (snapshot, written);

    const auto golden = folder.getChildFile (name + ".png");
    if (juce::SystemStats::getEnvironmentVariable ("KALVO_UPDATE_GOLDENS", {}) == "1")
    {
        if (!PixelProbe::savePng (snapshot, golden))
            return testing::AssertionFailure() << "cannot write " << golden.getFullPathName();
        return testing::AssertionSuccess();
    }

    if (!golden.existsAsFile())
        return testing::AssertionFailure()
               << "no golden " << golden.getFullPathName() << " (snapshot in " << written.getFullPathName()
               << "; KALVO_UPDATE_GOLDENS=1 writes it)";

    const auto expected = juce::ImageFileFormat::loadFrom (golden);
    if (!expected.isValid())
        return testing::AssertionFailure() << "cannot read " << golden.getFullPathName();
    if (expected.getBounds() != snapshot.getBounds())
        return testing::AssertionFailure()
               << name << ": snapshot is " << snapshot.getWidth() << " x " << snapshot.getHeight()
               << ", golden " << expected.getWidth() << " x " << expected.getHeight();

    int differing = 0;
    int worst = 0;
    for (int y = 0; y < snapshot.getHeight(); ++y)
        for (int x = 0; x < snapshot.getWidth(); ++x)
        {
            const auto d = PixelProbe::difference (snapshot.getPixelAt (x, y), expected.getPixelAt (x, y));
            worst = juce::jmax (worst, d);
            if (d > tolerance.channel)
                ++differing;
        }

    const auto allowed = tolerance.differingFraction * snapshot.getWidth() * snapshot.getHeight();
    if ((double) differing > allowed)
        return testing::AssertionFailure() << name << ": " << differing << " pixels differ by more than "
                                           << tolerance.channel << " (worst " << worst << "), " << allowed
                                           << " allowed; snapshot in " << written.getFullPathName();
    return testing::AssertionSuccess();
}
