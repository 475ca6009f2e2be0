#pragma once

#include "ParameterTable.h"

#include <JuceHeader.h>

// The parameter values an operation under way leaves once it has told the host all of them: a
// restore's document, which the tree takes between the restore's two parts, or the values an
// edit sends after its model step. The host hears of them without the model lock, one by one;
// until the last a save writes these, with the model the operation already changed, instead of
// values half old and half new. A parameter the operation does not set keeps the value it has.
class ParameterOverlay
{
public:
    // Nothing set: every parameter keeps its value.
    void clear() noexcept;

    // From a document whose "PARAM" children were cleaned for the tree: one without a value gives
    // the default, a parameter without a child keeps what was set before (or its value).
    void takeFrom (const juce::XmlElement& document, juce::AudioProcessorValueTreeState& parameters);

    // Parameter `index` is to take the plain value `value`.
    void set (int index, juce::RangedAudioParameter& parameter, float value) noexcept;

    // The value parameter `index` has once the operation has told the host, given its value now.
    float valueOf (int index, float now) const noexcept;
    // Whether parameter `index` is to take a value.
    bool gives (int index) const noexcept;

private:
    float values[ParameterTable::numParameters] = {};
    bool given[ParameterTable::numParameters] = {};
};
