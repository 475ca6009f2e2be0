#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

// Three-band crossover for a stereo signal: two third-order Butterworth crossovers, each the
// half-sum and half-difference of a first-order and a second-order allpass. The low band
// passes one more first-order allpass at the upper split, so with all band gains at 1 the
// three bands sum to a pure allpass (flat magnitude).
//
// The owner writes sampleRate (and, if it wishes, the split frequencies) and then calls
// InitiateVars. Coefficient changes glide over about a millisecond so a moving split never
// clicks.
class EQBandSplit3
{
public:
    using Ramp = juce::SmoothedValue<float, juce::ValueSmoothingTypes::Linear>;

    // Per-channel filter memories: element 0 left, element 1 right. A block keeps them in
    // registers and writes them back at its end, the per-sample values (the first six and the
    // two current outputs) as of its last sample.
    struct FilterState
    {
        float lowOut[2];    // doubled low-band allpass output
        float midSum[2];    // mid sum
        float highDiff[2];  // high difference
        float scaledIn[2];  // input times 0.5
        float halfDiff[2];  // first crossover's half-difference (its high-pass)
        float halfSum[2];   // first crossover's half-sum (its low-pass)
        float lowMid1In[2]; // first-order allpass at the low/mid split
        float lowMid1Out[2];
        float lowMid2In1[2]; // second-order allpass at the low/mid split
        float lowMid2In2[2];
        float lowMid2Out[2];
        float lowMid2Out1[2];
        float lowMid2Out2[2];
        float midHigh1In[2]; // first-order allpass at the mid/high split
        float midHigh1Out[2];
        float midHigh2In1[2]; // second-order allpass at the mid/high split
        float midHigh2In2[2];
        float midHigh2Out[2];
        float midHigh2Out1[2];
        float midHigh2Out2[2];
        float lowPhaseIn[2]; // allpass that phase-aligns the low band
        float lowPhaseOut[2];
    };

    // Ramp lengths and coefficients from sampleRate and both split frequencies; clears every
    // memory. A sample rate that cannot be used (not finite, not positive) is replaced by the
    // last usable one.
    void InitiateVars();

    // which 0..2: target of bandGain[which]; 3: low/mid split in Hz; 4: mid/high split in Hz.
    // A non-finite frequency is ignored; any other which does nothing.
    void setParams (int which, float value);

    // Splits one stereo sample in place: left, then right, each becomes the sum of its low,
    // mid and high band weighted by the given gains. Every coefficient ramp advances one step
    // per channel. Unusable input counts as silence, as in process.
    void processSample (float& left, float& right, float lowGain, float midGain, float highGain) noexcept
    {
        process (&left, &right, &left, &right, &lowGain, &midGain, &highGain, 1);
    }

    // Where a block's weighted band goes, sample by sample, besides bandOut.
    struct BandTap
    {
        int band;    // 0 low, 1 mid, 2 high
        float* left; // numSamples values each
        float* right;
    };

    // processSample for numSamples stereo samples, with the gains of each sample. An output
    // may be its own input (in place), and both inputs may be the same channel. Input samples
    // that are not finite or beyond largestInput count as silence, and a channel whose filter
    // memories are no longer finite starts again from silence within checkInterval samples;
    // any other input gives exactly what processSample gives sample by sample.
    void process (const float* inLeft, const float* inRight, float* outLeft, float* outRight,
                  const float* lowGain, const float* midGain, const float* highGain, int numSamples,
                  const BandTap* tap = nullptr) noexcept;

    // 2^20, about +120 dBFS: no audio signal comes near it, while a single sample of 3e38 would
    // take thousands of samples to die away.
    static constexpr float largestInput = 1048576.0f;
    static constexpr int checkInterval = 32;

    Ramp bandGain[3];
    float bandOut[3][2] = {};
    double sampleRate = 44100.0;
    float lowMidFreq = 400.0f;
    float midHighFreq = 3200.0f;
    Ramp lowMidA;
    Ramp lowMidC;
    Ramp lowMidD;
    Ramp midHighA;
    Ramp midHighC;
    Ramp midHighD;
    Ramp lowPhaseA;
    FilterState filterState = {};

    // The sample rate the coefficients were last computed with; stands in for a bad one.
    double usableSampleRate = 44100.0;

private:
    struct Coefficients
    {
        float a, c, d;
    };

    Coefficients coefficientsFor (float frequency) const;
};
