#include "HostParameter.h"

#include <cmath>

namespace
{
// As many decimals as the step needs (0.001 shows three), the way hosts showed these values
// before the parameters had a class of their own.
int decimalPlacesOf (float interval) noexcept
{
    if (interval == 0.0f)
        return 7;
    if (std::abs (interval - std::floor (interval)) == 0.0f)
        return 0;
    int places = 7;
    for (auto v = std::abs (juce::roundToInt (interval * std::pow (10.0f, static_cast<float> (places))));
         v % 10 == 0 && places > 0; v /= 10)
        --places;
    return places;
}
} // namespace

HostParameter::HostParameter (const juce::ParameterID& parameterID, const juce::String& parameterName,
                              juce::NormalisableRange<float> normalisableRange, float defaultValue)
    : juce::RangedAudioParameter (parameterID, parameterName), range (normalisableRange),
      value (defaultValue), valueDefault (defaultValue),
      decimalPlaces (decimalPlacesOf (normalisableRange.interval))
{
}

float HostParameter::usableNormalised (float normalised, float fallback) noexcept
{
    return std::isfinite (normalised) ? juce::jlimit (0.0f, 1.0f, normalised) : fallback;
}

float HostParameter::getValue() const
{
    return convertTo0to1 (get());
}

void HostParameter::setValue (float newValue)
{
    if (std::isfinite (newValue))
        value.store (convertFrom0to1 (usableNormalised (newValue, 0.0f)), std::memory_order_relaxed);
}

float HostParameter::getDefaultValue() const
{
    return convertTo0to1 (valueDefault);
}

int HostParameter::getNumSteps() const
{
    // Continuous toward hosts, as before: the step only rounds the values.
    return juce::AudioProcessorParameter::getNumSteps();
}

juce::String HostParameter::getText (float normalisedValue, int maximumStringLength) const
{
    const juce::String text (convertFrom0to1 (usableNormalised (normalisedValue, getValue())), decimalPlaces);
    return maximumStringLength > 0 ? text.substring (0, maximumStringLength) : text;
}

float HostParameter::getValueForText (const juce::String& text) const
{
    // A number too large for a float reads as an infinity and lands on the range's end, as it
    // always did; only text that is no number at all leaves the value as it was.
    const auto typed = text.getFloatValue();
    if (std::isnan (typed))
        return getValue();
    return convertTo0to1 (juce::jlimit (range.start, range.end, typed));
}
