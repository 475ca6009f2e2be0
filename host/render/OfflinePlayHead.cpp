#include "OfflinePlayHead.h"
#include <cmath>

OfflinePlayHead::OfflinePlayHead (double rate, double tempo, int meterNumerator, int meterDenominator,
                                  double firstPpq, bool transportPlaying)
    : sampleRate (rate), bpm (tempo), numerator (meterNumerator), denominator (meterDenominator),
      startPpq (firstPpq), samplesPerQuarter (rate * 60.0 / tempo), playing (transportPlaying),
      startSample (static_cast<juce::int64> (std::llround (firstPpq * samplesPerQuarter)))
{
}

double OfflinePlayHead::getCurrentPpq() const
{
    // Computed from the sample count rather than summed block by block, so long renders do not drift.
    return startPpq + static_cast<double> (samplesMoved) / samplesPerQuarter;
}

juce::Optional<juce::AudioPlayHead::PositionInfo> OfflinePlayHead::getPosition() const
{
    PositionInfo info;
    const auto ppq = getCurrentPpq();
    const auto barLength = numerator * 4.0 / denominator;
    const auto bar = std::floor (ppq / barLength);
    const auto timeInSamples = startSample + samplesMoved;

    info.setBpm (bpm);
    info.setTimeSignature (TimeSignature{ numerator, denominator });
    info.setPpqPosition (ppq);
    info.setPpqPositionOfLastBarStart (bar * barLength);
    info.setBarCount (static_cast<juce::int64> (bar));
    info.setTimeInSamples (timeInSamples);
    info.setTimeInSeconds (static_cast<double> (timeInSamples) / sampleRate);
    info.setIsPlaying (playing);
    info.setIsRecording (false);
    info.setIsLooping (false);
    return info;
}

void OfflinePlayHead::advance (int numSamples)
{
    samplesRendered += numSamples;
    if (playing)
        samplesMoved += numSamples;
}
