#pragma once
#include <JuceHeader.h>

// The host position an offline render reports: a fixed tempo and meter, a position that starts at
// a given quarter note and moves with the rendered samples while the transport plays.
class OfflinePlayHead final : public juce::AudioPlayHead
{
public:
    OfflinePlayHead (double sampleRate, double bpm, int meterNumerator, int meterDenominator, double startPpq,
                     bool playing);

    juce::Optional<PositionInfo> getPosition() const override;

    // Moves the position past a rendered block (a stopped transport stays where it is).
    void advance (int numSamples);

    double getSamplesPerQuarterNote() const { return samplesPerQuarter; }
    double getStartPpq() const { return startPpq; }
    bool isPlaying() const { return playing; }
    juce::int64 getSamplesRendered() const { return samplesRendered; }
    // The host position of the next sample to render.
    double getCurrentPpq() const;

private:
    double sampleRate, bpm;
    int numerator, denominator;
    double startPpq, samplesPerQuarter;
    bool playing;
    juce::int64 startSample;
    juce::int64 samplesRendered = 0;
    juce::int64 samplesMoved = 0;
};
