#include "DocumentParameter.h"

std::optional<float> DocumentParameter::valueOf (const juce::XmlElement& document,
                                                 juce::RangedAudioParameter& parameter)
{
    const auto held = heldValueOf (document, parameter);
    if (!held)
        return std::nullopt;
    return onStep (parameter, *held);
}

std::optional<float> DocumentParameter::heldValueOf (const juce::XmlElement& document,
                                                     const juce::RangedAudioParameter& parameter)
{
    const auto* child = document.getChildByAttribute ("id", parameter.paramID);
    if (child == nullptr)
        return std::nullopt;
    if (!child->hasAttribute ("value"))
        return parameter.convertFrom0to1 (parameter.getDefaultValue());
    return (float) child->getDoubleAttribute ("value");
}

float DocumentParameter::onStep (const juce::RangedAudioParameter& parameter, float value)
{
    return parameter.convertFrom0to1 (parameter.convertTo0to1 (value));
}
