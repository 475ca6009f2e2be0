#pragma once

#include <JuceHeader.h>

#include <atomic>

// One of the processor's host parameters: a float in a stepped range that behaves toward hosts
// exactly as JUCE's AudioParameterFloat (same steps, same text), except that it never takes a
// value no host can mean. A non-finite normalised value leaves it as it was, and values (or
// typed numbers) beyond the range are clamped, so nothing non-finite reaches the model or a saved state.
class HostParameter final : public juce::RangedAudioParameter
{
public:
    HostParameter (const juce::ParameterID& parameterID, const juce::String& parameterName,
                   juce::NormalisableRange<float> normalisableRange, float defaultValue);

    // The current value in the parameter's own range.
    float get() const noexcept { return value.load (std::memory_order_relaxed); }

    const juce::NormalisableRange<float>& getNormalisableRange() const override { return range; }

    const juce::NormalisableRange<float> range;

private:
    float getValue() const override;
    void setValue (float newValue) override;
    float getDefaultValue() const override;
    int getNumSteps() const override;
    juce::String getText (float normalisedValue, int maximumStringLength) const override;
    float getValueForText (const juce::String& text) const override;

    // A normalised value from outside made safe to convert; fallback stands in for non-finite.
    static float usableNormalised (float normalised, float fallback) noexcept;

    std::atomic<float> value;
    const float valueDefault;
    const int decimalPlaces;
};
