#pragma once

#include <JuceHeader.h>
#include <gtest/gtest.h>

// Compares a snapshot with a PNG kept in the source tree. Every snapshot is also written to
// <working folder>/snapshots/<name>.png for a look. With KALVO_UPDATE_GOLDENS=1 in the
// environment the golden is (re)written from the snapshot instead.
class GoldenImage
{
public:
    struct Tolerance
    {
        int channel = 24;                 // a pixel differs when a channel moves by more than this
        double differingFraction = 0.005; // the image differs when more than this share of pixels differ
    };

    explicit GoldenImage (juce::File goldenFolder);

    testing::AssertionResult matches (const juce::Image& snapshot, const juce::String& name,
                                      Tolerance tolerance) const;
    testing::AssertionResult matches (const juce::Image& snapshot, const juce::String& name) const
    {
        return matches (snapshot, name, Tolerance{});
    }

    static juce::File snapshotFile (const juce::String& name);

private:
    juce::File folder;
};
