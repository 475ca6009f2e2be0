#pragma once

#include <JuceHeader.h>

#include <optional>

// The value a parameter takes from a document's "PARAM" children, cleaned for the parameter tree
// (see StateDocument), as the tree reads it: the child's text as a number on the parameter's step,
// the default for a child without a value, and nothing without a child, since the tree then leaves
// the parameter as it is.
class DocumentParameter
{
public:
    static std::optional<float> valueOf (const juce::XmlElement& document,
                                         juce::RangedAudioParameter& parameter);

    // The same before it is put on the step: what the tree holds and compares with the
    // parameter's value, setting the parameter (and telling its listener) only when they differ.
    static std::optional<float> heldValueOf (const juce::XmlElement& document,
                                             const juce::RangedAudioParameter& parameter);

    // What the parameter holds once it is set to `value`: the nearest step of its range.
    static float onStep (const juce::RangedAudioParameter& parameter, float value);
};
