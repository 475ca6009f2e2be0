#include "LookAndFeelRelease.h"

void clearLookAndFeels (juce::Component& root)
{
    for (auto* child : root.getChildren())
        if (child != nullptr)
            clearLookAndFeels (*child);
    root.setLookAndFeel (nullptr);
}
