#pragma once

#include <JuceHeader.h>

namespace kalvo::test
{
// The private home folder of this test process. The test main points HOME at it before the first
// test runs, so nothing a test does (the processor's presets folder, the settings file) can reach
// the user's own ~/.config. Every call points HOME at it again, in case a test moved it.
juce::File temporaryHomeFolder();
} // namespace kalvo::test
