#include "ParameterOverlay.h"

void ParameterOverlay::clear() noexcept
{
    std::fill (std::begin (given), std::end (given), false);
}

void ParameterOverlay::takeFrom (const juce::XmlElement& document,
                                 juce::AudioProcessorValueTreeState& parameters)
{
    for (int i = 0; i < ParameterTable::numParameters; ++i)
    {
        const auto* id = ParameterTable::specs[i].id;
        auto* parameter = parameters.getParameter (id);
        const auto* child = document.getChildByAttribute ("id", id);
        if (parameter == nullptr || child == nullptr)
            continue;

        // The tree reads the value as text.
        set (i, *parameter,
             child->hasAttribute ("value") ? (float) child->getDoubleAttribute ("value")
                                           : parameter->convertFrom0to1 (parameter->getDefaultValue()));
    }
}

void ParameterOverlay::set (int index, juce::RangedAudioParameter& parameter, float value) noexcept
{
    if (index < 0 || index >= ParameterTable::numParameters)
        return;
    // The parameter rounds the value to its step.
    values[index] = parameter.convertFrom0to1 (parameter.convertTo0to1 (value));
    given[index] = true;
}

float ParameterOverlay::valueOf (int index, float now) const noexcept
{
    if (index < 0 || index >= ParameterTable::numParameters || !given[index])
        return now;
    return values[index];
}
