#pragma once

#include "ParameterTable.h"

#include <JuceHeader.h>

// The parameter values a restore's document gives, as the parameters will hold them once the
// tree has taken the document. The tree takes them between the restore's two parts, without the
// model lock (it calls the host); until the second part a save writes these, with the model the
// first part already restored, instead of the tree's half-replaced values. Guarded by the model
// lock, like the model.
class RestoredParameters
{
public:
    // From a document whose "PARAM" children were cleaned for the tree: one without a value gives
    // the default, a parameter without a child keeps the value it has.
    void takeFrom (const juce::XmlElement& document, juce::AudioProcessorValueTreeState& parameters);

    // The value parameter `index` has once the tree has taken the document, given its value now.
    float valueOf (int index, float now) const noexcept;

private:
    float values[ParameterTable::numParameters] = {};
    bool given[ParameterTable::numParameters] = {};
};
