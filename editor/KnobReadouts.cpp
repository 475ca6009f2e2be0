#include "KnobReadouts.h"

#include "LineEditorAudioProcessor.h"
#include "SplitFrequency.h"

#include <cmath>

juce::String KnobReadouts::length (float position, bool synced)
{
    if (!synced)
        return juce::String (juce::roundToInt (position * 100.0f));

    static const char* const bars[] = { "4",   "3",   "2",   "1.5", "1",    "3/4", "1/2",
                                        "1/3", "1/4", "1/6", "1/8", "1/12", "1/16" };
    const float index = position * 12.0f;
    // Halves round to even, so -0.5 is row 0 and 12.5 row 12; the test also keeps NaN and huge
    // values away from roundToInt.
    if (!(index >= -0.5f && index <= 12.5f))
        return {};
    return bars[juce::roundToInt (index)];
}

juce::String KnobReadouts::glide (float milliseconds)
{
    return juce::String (juce::roundToInt (milliseconds));
}

juce::String KnobReadouts::mix (float value)
{
    return juce::String (juce::roundToInt (value * 100.0f));
}

juce::String KnobReadouts::masterMix (float value)
{
    return "Master Mix: %" + mix (value);
}

juce::String KnobReadouts::level (float value)
{
    if (value == 0.0f)
        return "-inf";
    const float decibels = 20.0f * std::log10 (LineEditorAudioProcessor::levelToGain (value));
    return juce::String (decibels, 1);
}

juce::String KnobReadouts::split (float position)
{
    return juce::String (static_cast<int> (splitFrequency (position))) + "Hz";
}
