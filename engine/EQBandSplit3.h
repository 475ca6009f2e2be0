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

    // Per-channel filter memories: element 0 left, element 1 right.
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
    // per channel.
    void processSample (float& left, float& right, float lowGain, float midGain, float highGain) noexcept
    {
        left = processChannel (0, left, lowGain, midGain, highGain);
        right = processChannel (1, right, lowGain, midGain, highGain);
    }

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

    float processChannel (int ch, float in, float lowGain, float midGain, float highGain) noexcept
    {
        auto& s = filterState;

        const float x = in * 0.5f;
        s.scaledIn[ch] = x;

        const float a1 = lowMidA.getNextValue();
        const float A = a1 * (s.lowMid1Out[ch] - x) + s.lowMid1In[ch];
        s.lowMid1In[ch] = x;
        s.lowMid1Out[ch] = A;

        const float c1 = lowMidC.getNextValue();
        const float d1 = lowMidD.getNextValue();
        const float B =
            c1 * (x - s.lowMid2Out2[ch]) + d1 * (s.lowMid2Out1[ch] - s.lowMid2In1[ch]) + s.lowMid2In2[ch];
        s.lowMid2In2[ch] = s.lowMid2In1[ch];
        s.lowMid2In1[ch] = x;
        s.lowMid2Out2[ch] = s.lowMid2Out1[ch];
        s.lowMid2Out1[ch] = B;
        s.lowMid2Out[ch] = B;

        const float hd = (A - B) * 0.5f;
        const float hs = (B + A) * 0.5f;
        s.halfDiff[ch] = hd;
        s.halfSum[ch] = hs;

        const float a2 = midHighA.getNextValue();
        const float C = a2 * (s.midHigh1Out[ch] - hd) + s.midHigh1In[ch];
        s.midHigh1In[ch] = hd;
        s.midHigh1Out[ch] = C;

        const float c2 = midHighC.getNextValue();
        const float d2 = midHighD.getNextValue();
        const float D = c2 * (hd - s.midHigh2Out2[ch]) + d2 * (s.midHigh2Out1[ch] - s.midHigh2In1[ch]) +
                        s.midHigh2In2[ch];
        s.midHigh2In2[ch] = s.midHigh2In1[ch];
        s.midHigh2In1[ch] = hd;
        s.midHigh2Out2[ch] = s.midHigh2Out1[ch];
        s.midHigh2Out1[ch] = D;
        s.midHigh2Out[ch] = D;

        s.highDiff[ch] = C - D;
        s.midSum[ch] = D + C;

        const float a3 = lowPhaseA.getNextValue();
        const float E = a3 * (s.lowPhaseOut[ch] - hs) + s.lowPhaseIn[ch];
        s.lowPhaseIn[ch] = hs;
        s.lowPhaseOut[ch] = E;
        s.lowOut[ch] = E + E;

        const float low = (E + E) * lowGain;
        const float mid = (D + C) * midGain;
        const float high = (C - D) * highGain;
        bandOut[0][ch] = low;
        bandOut[1][ch] = mid;
        bandOut[2][ch] = high;
        return (mid + low) + high;
    }
};
