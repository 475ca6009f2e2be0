#include "RecordingProcessor.h"

RecordingProcessor::RecordingProcessor()
    : juce::AudioProcessor (BusesProperties()
                                .withInput ("Input", juce::AudioChannelSet::stereo(), false)
                                .withOutput ("Output", juce::AudioChannelSet::stereo(), false))
{
    addParameter (gain = new juce::AudioParameterFloat (juce::ParameterID{ "Gain", 1 }, "Gain",
                                                        juce::NormalisableRange<float> (0.0f, 2.0f), 1.0f));
    addParameter (state = new juce::AudioParameterFloat (juce::ParameterID{ "State", 1 }, "State",
                                                         juce::NormalisableRange<float> (0.0f, 11.0f, 1.0f),
                                                         0.0f));
}

void RecordingProcessor::prepareToPlay (double sampleRate, int maximumBlockSize)
{
    preparedRate = sampleRate;
    preparedBlockSize = maximumBlockSize;
}

bool RecordingProcessor::isBusesLayoutSupported (const BusesLayout& layout) const
{
    return acceptStereo && layout.getMainInputChannelSet() == juce::AudioChannelSet::stereo() &&
           layout.getMainOutputChannelSet() == juce::AudioChannelSet::stereo();
}

void RecordingProcessor::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi)
{
    Block block{};
    block.numSamples = buffer.getNumSamples();
    block.firstSample = samplesSeen;

    if (auto* head = getPlayHead())
        if (const auto position = head->getPosition())
        {
            block.hasPosition = true;
            block.ppq = position->getPpqPosition().orFallback (-1.0);
            block.bpm = position->getBpm().orFallback (-1.0);
            block.playing = position->getIsPlaying();
            const auto meter =
                position->getTimeSignature().orFallback (juce::AudioPlayHead::TimeSignature{ 0, 0 });
            block.numerator = meter.numerator;
            block.denominator = meter.denominator;
            block.barStart = position->getPpqPositionOfLastBarStart().orFallback (-1.0);
            block.timeInSamples = position->getTimeInSamples().orFallback (-1);
        }

    blocks.push_back (block);

    for (const auto metadata : midi)
    {
        const auto message = metadata.getMessage();
        events.push_back ({ samplesSeen + metadata.samplePosition, message.getNoteNumber() });
    }

    buffer.applyGain (gain->get());
    samplesSeen += buffer.getNumSamples();
}
