#pragma once
// Temporary pass-through processor with the 17 parameter IDs, for developing the plug-in targets
// and the renderer before the real processor exists. Not to be merged.
#include <JuceHeader.h>

class StandInProcessor : public juce::AudioProcessor
{
public:
    StandInProcessor()
        : juce::AudioProcessor (BusesProperties()
                                    .withInput ("Input", juce::AudioChannelSet::stereo(), false)
                                    .withOutput ("Output", juce::AudioChannelSet::stereo(), false)),
          parameters (*this, nullptr, "KalvoParamTree", layout())
    {
    }

    static juce::AudioProcessorValueTreeState::ParameterLayout layout()
    {
        juce::AudioProcessorValueTreeState::ParameterLayout l;
        for (auto id : { "Power", "MixMaster", "MixMain", "MixLow", "MixMid", "MixHigh" })
            l.add (std::make_unique<juce::AudioParameterFloat> (juce::ParameterID { id, 1 }, id, juce::NormalisableRange<float> (0, 1, 0.001f), 1.0f));
        for (auto id : { "LowLevel", "MidLevel", "HighLevel" })
            l.add (std::make_unique<juce::AudioParameterFloat> (juce::ParameterID { id, 1 }, id, juce::NormalisableRange<float> (0, 1, 0.001f), 0.5f));
        for (auto id : { "LowSolo", "LowMute", "MidSolo", "MidMute", "HighSolo", "HighMute" })
            l.add (std::make_unique<juce::AudioParameterFloat> (juce::ParameterID { id, 1 }, id, juce::NormalisableRange<float> (0, 1, 0.1f), 0.0f));
        l.add (std::make_unique<juce::AudioParameterFloat> (juce::ParameterID { "State", 1 }, "State", juce::NormalisableRange<float> (0, 11, 1), 0.0f));
        l.add (std::make_unique<juce::AudioParameterFloat> (juce::ParameterID { "LineCH", 1 }, "LineCH", juce::NormalisableRange<float> (0, 1, 0.01f), 0.0f));
        return l;
    }

    const juce::String getName() const override { return "KalvoPro"; }
    void prepareToPlay (double, int) override {}
    void releaseResources() override {}
    bool isBusesLayoutSupported (const BusesLayout& l) const override
    {
        return l.getMainInputChannelSet() == juce::AudioChannelSet::stereo() && l.getMainOutputChannelSet() == juce::AudioChannelSet::stereo();
    }
    void processBlock (juce::AudioBuffer<float>& b, juce::MidiBuffer&) override
    {
        const auto gain = parameters.getRawParameterValue ("LowLevel")->load() * 2.0f;
        b.applyGain (gain);
    }
    double getTailLengthSeconds() const override { return 0.0; }
    bool acceptsMidi() const override { return true; }
    bool producesMidi() const override { return false; }
    bool isMidiEffect() const override { return false; }
    juce::AudioProcessorEditor* createEditor() override { return new juce::GenericAudioProcessorEditor (*this); }
    bool hasEditor() const override { return true; }
    int getNumPrograms() override { return 1; }
    int getCurrentProgram() override { return 0; }
    void setCurrentProgram (int) override {}
    const juce::String getProgramName (int) override { return "Preset 1"; }
    void changeProgramName (int, const juce::String&) override {}
    void getStateInformation (juce::MemoryBlock& d) override
    {
        if (auto xml = parameters.copyState().createXml())
            copyXmlToBinary (*xml, d);
    }
    void setStateInformation (const void* d, int n) override
    {
        if (auto xml = getXmlFromBinary (d, n))
            parameters.replaceState (juce::ValueTree::fromXml (*xml));
    }
    bool getStateFromFile (const juce::File&) { return false; }

    juce::AudioProcessorValueTreeState parameters;
};
