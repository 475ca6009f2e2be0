#include "RestoredParameters.h"

#include "DocumentParameter.h"

void RestoredParameters::takeFrom (const juce::XmlElement& document, juce::AudioProcessorValueTreeState& parameters)
{
    for (int i = 0; i < ParameterTable::numParameters; ++i)
    {
        const auto* id = ParameterTable::specs[i].id;
        auto* parameter = parameters.getParameter (id);
        const auto value =
            parameter != nullptr ? DocumentParameter::valueOf (document, *parameter) : std::nullopt;
        given[i] = value.has_value();
        if (given[i])
            values[i] = *value;
    }
}

float RestoredParameters::valueOf (int index, float now) const noexcept
{
    if (index < 0 || index >= ParameterTable::numParameters || !given[index])
        return now;
    return values[index];
}
