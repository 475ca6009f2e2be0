#include "ParameterOverlay.h"

#include "DocumentParameter.h"

void ParameterOverlay::clear() noexcept
{
    std::fill (std::begin (given), std::end (given), false);
}

void ParameterOverlay::takeFrom (const juce::XmlElement& document,
                                 juce::AudioProcessorValueTreeState& parameters)
{
    for (int i = 0; i < ParameterTable::numParameters; ++i)
    {
        auto* parameter = parameters.getParameter (ParameterTable::specs[i].id);
        if (parameter == nullptr)
            continue;
        if (const auto value = DocumentParameter::valueOf (document, *parameter))
        {
            values[i] = *value;
            given[i] = true;
        }
    }
}

void ParameterOverlay::set (int index, juce::RangedAudioParameter& parameter, float value) noexcept
{
    if (index < 0 || index >= ParameterTable::numParameters)
        return;
    values[index] = DocumentParameter::onStep (parameter, value);
    given[index] = true;
}

float ParameterOverlay::valueOf (int index, float now) const noexcept
{
    return gives (index) ? values[index] : now;
}

bool ParameterOverlay::gives (int index) const noexcept
{
    return index >= 0 && index < ParameterTable::numParameters && given[index];
}
