#include "HostCalls.h"

void HostCalls::setNormalisedValue (LineEditorAudioProcessor& p, juce::AudioProcessorParameter& parameter,
                                    float normalisedValue)
{
    juce::ignoreUnused (p);
    parameter.setValueNotifyingHost (normalisedValue);
}

void HostCalls::setNormalisedValue (LineEditorAudioProcessor& p, const juce::String& id,
                                    float normalisedValue)
{
    if (auto* parameter = p.parameters.getParameter (id))
        setNormalisedValue (p, *parameter, normalisedValue);
}

void HostCalls::beginGesture (LineEditorAudioProcessor& p, const juce::String& id)
{
    if (auto* parameter = p.parameters.getParameter (id))
        parameter->beginChangeGesture();
}

void HostCalls::endGesture (LineEditorAudioProcessor& p, const juce::String& id)
{
    if (auto* parameter = p.parameters.getParameter (id))
        parameter->endChangeGesture();
}

void HostCalls::replaceState (LineEditorAudioProcessor& p, const juce::ValueTree& state)
{
    p.parameters.replaceState (state);
}
