#include "RestoredParameters.h"

void RestoredParameters::takeFrom (const juce::XmlElement& document, juce::AudioProcessorValueTreeState& parameters)
{
    for (int i = 0; i < ParameterTable::numParameters; ++i)
    {
        const auto* id = ParameterTable::specs[i].id;
        auto* parameter = parameters.getParameter (id);
        const auto* child = document.getChildByAttribute ("id", id);
        given[i] = parameter != nullptr && child != nullptr;

        if (!given[i])
            continue;

        // The tree reads the value as text and the parameter rounds it to its step.
        const auto value = child->hasAttribute ("value")
                               ? (float) child->getDoubleAttribute ("value")
                               : parameter->convertFrom0to1 (parameter->getDefaultValue());
        values[i] = parameter->convertFrom0to1 (parameter->convertTo0to1 (value));
    }
}

float RestoredParameters::valueOf (int index, float now) const noexcept
{
    if (index < 0 || index >= ParameterTable::numParameters || !given[index])
        return now;
    return values[index];
}
