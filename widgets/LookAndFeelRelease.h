#pragma once

#include <JuceHeader.h>

// Clears the look-and-feel of a component and of every component inside it. An owner calls it
// (and does the same for its tooltip window) before its look-and-feel objects are destroyed, so
// that nothing is left using a look-and-feel that is gone.
void clearLookAndFeels (juce::Component& root);
