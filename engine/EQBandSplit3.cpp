#include "EQBandSplit3.h"

#include "FloatLanes.h"

#include <algorithm>

#include <cmath>
#include <limits>

namespace
{
// Rates outside this set would make the coefficients NaN or infinite, or the ramp length
// overflow.
bool isUsableSampleRate (double rate)
{
    return std::isfinite (rate) && rate > 0.0 && std::isnormal (static_cast<float> (rate)) &&
           rate * 0.001 < static_cast<double> (std::numeric_limits<int>::max());
}
} // namespace

EQBandSplit3::Coefficients EQBandSplit3::coefficientsFor (float frequency) const
{
    const double rate = isUsableSampleRate (sampleRate) ? sampleRate : usableSampleRate;

    // At or near Nyquist the sections become unstable (and at 0.75 of the rate divide by
    // zero); only rates below about 44.4 kHz with high splits ever reach the upper bound.
    const float highest = static_cast<float> (0.45 * rate);
    const float f = std::min (std::max (frequency, 10.0f), highest);

    const float k = 2.0f / static_cast<float> (rate);
    const float w = (k * f) * 3.14159f;
    const float s = std::sin (w);
    const float co = std::cos (w);
    const float a = co / (s + 1.0f);
    const float alpha = (1.0f - co) * ((a + 1.0f) / (1.0f - a) * 0.5f);
    const float c = (1.0f - alpha) / (alpha + 1.0f);
    const float d = (c + 1.0f) * co;
    return { a, c, d };
}

void EQBandSplit3::InitiateVars()
{
    if (isUsableSampleRate (sampleRate))
        usableSampleRate = sampleRate;
    else
        sampleRate = usableSampleRate;

    const int steps = static_cast<int> (std::floor (static_cast<double> (0.001f) * sampleRate));

    for (auto& gain : bandGain)
        gain.reset (steps);

    for (auto& band : bandOut)
        band[0] = band[1] = 0.0f;
    filterState = {};

    // The d coefficients ramp with a and c: a jumping d with a gliding c leaves the
    // second-order sections briefly unstable while a split moves down.
    const auto lowMid = coefficientsFor (lowMidFreq);
    for (auto* ramp : { &lowMidA, &lowMidC, &lowMidD })
        ramp->reset (steps);
    lowMidA.setCurrentAndTargetValue (lowMid.a);
    lowMidC.setCurrentAndTargetValue (lowMid.c);
    lowMidD.setCurrentAndTargetValue (lowMid.d);

    const auto midHigh = coefficientsFor (midHighFreq);
    for (auto* ramp : { &midHighA, &midHighC, &midHighD, &lowPhaseA })
        ramp->reset (steps);
    midHighA.setCurrentAndTargetValue (midHigh.a);
    midHighC.setCurrentAndTargetValue (midHigh.c);
    midHighD.setCurrentAndTargetValue (midHigh.d);
    lowPhaseA.setCurrentAndTargetValue (midHigh.a);
}

void EQBandSplit3::setParams (int which, float value)
{
    switch (which)
    {
        case 0:
        case 1:
        case 2:
            bandGain[which].setTargetValue (value);
            break;
        case 3:
        {
            if (!std::isfinite (value))
                break;
            lowMidFreq = value;
            const auto k = coefficientsFor (value);
            lowMidA.setTargetValue (k.a);
            lowMidC.setTargetValue (k.c);
            lowMidD.setTargetValue (k.d);
            break;
        }
        case 4:
        {
            if (!std::isfinite (value))
                break;
            midHighFreq = value;
            const auto k = coefficientsFor (value);
            midHighA.setTargetValue (k.a);
            midHighC.setTargetValue (k.c);
            midHighD.setTargetValue (k.d);
            lowPhaseA.setTargetValue (k.a);
            break;
        }
        default:
            break;
    }
}

namespace
{
using Lanes = FloatLanes;

// The filter memories of both channels, left in lane 0 and right in lane 1. The first-order and
// the second-order section at a split see the same input, so one previous input serves both.
struct Memories
{
    Lanes x1, x2;   // scaled input: previous, before that
    Lanes a1;       // first-order output at the low/mid split
    Lanes b1, b2;   // second-order output at the low/mid split: previous, before that
    Lanes hd1, hd2; // half-difference: previous, before that
    Lanes c1;       // first-order output at the mid/high split
    Lanes d1, d2;   // second-order output at the mid/high split
    Lanes hs1;      // half-sum, previous
    Lanes e1;       // low-band phase allpass output

    static Lanes pair (const float (&v)[2]) noexcept { return Lanes::pairFrom (&v[0], &v[1]); }

    explicit Memories (const EQBandSplit3::FilterState& s) noexcept
        : x1 (pair (s.lowMid1In)), x2 (pair (s.lowMid2In2)), a1 (pair (s.lowMid1Out)),
          b1 (pair (s.lowMid2Out1)), b2 (pair (s.lowMid2Out2)), hd1 (pair (s.midHigh1In)),
          hd2 (pair (s.midHigh2In2)), c1 (pair (s.midHigh1Out)), d1 (pair (s.midHigh2Out1)),
          d2 (pair (s.midHigh2Out2)), hs1 (pair (s.lowPhaseIn)), e1 (pair (s.lowPhaseOut))
    {
    }

    // Lanes whose memories are all finite: x - x is 0 for a finite x and NaN otherwise, and a
    // NaN survives every sum.
    Lanes finiteLanes() const noexcept
    {
        const Lanes sum = (x1 - x1) + (x2 - x2) + (a1 - a1) + (b1 - b1) + (b2 - b2) + (hd1 - hd1) +
                          (hd2 - hd2) + (c1 - c1) + (d1 - d1) + (d2 - d2) + (hs1 - hs1) + (e1 - e1);
        return Lanes::notGreater (sum.abs(), Lanes::splat (0.0f));
    }

    void keepOnly (Lanes lanes) noexcept
    {
        for (auto* m : { &x1, &x2, &a1, &b1, &b2, &hd1, &hd2, &c1, &d1, &d2, &hs1, &e1 })
            *m = Lanes::keep (lanes, *m);
    }
};

// One sample's results that outlive it: what the block leaves in bandOut and filterState.
struct LastSample
{
    Lanes x, hd, hs, b, d, c, e, low, mid, high;
};

// The coefficients of one sample for the left and the right channel.
struct SampleCoefficients
{
    Lanes a1, c1, d1, a2, c2, d2, a3;
};

Lanes nextPair (EQBandSplit3::Ramp& ramp) noexcept
{
    const float left = ramp.getNextValue();
    return Lanes::of (left, ramp.getNextValue());
}

// The inputs of count samples times 0.5, silence where unusable, as (left, right) pairs.
void scaleInput (const float* left, const float* right, int count, float* pairs) noexcept
{
    const Lanes half = Lanes::splat (0.5f), largest = Lanes::splat (EQBandSplit3::largestInput);
    const auto scaled = [&] (Lanes in) { return Lanes::keep (Lanes::notGreater (in.abs(), largest), in * half); };
    int i = 0;
    for (; i + 4 <= count; i += 4)
    {
        Lanes low, high;
        Lanes::interleave (scaled (Lanes::load (left + i)), scaled (Lanes::load (right + i)), low, high);
        low.store (pairs + 2 * i);
        high.store (pairs + 2 * i + 4);
    }
    for (; i < count; ++i)
        scaled (Lanes::pairFrom (left + i, right + i)).storePair (pairs + 2 * i, pairs + 2 * i + 1);
}

// Runs samples [start, end), whose scaled input pairs begin at pairs; moving: the coefficient
// ramps take their next values per channel.
template <bool moving, bool tapped>
void runSamples (EQBandSplit3& split, Memories& m, LastSample& last, const float* pairs, float* outLeft,
                 float* outRight, const float* lowGain, const float* midGain, const float* highGain, int start,
                 int end, const EQBandSplit3::BandTap* tap) noexcept
{
    const Lanes half = Lanes::splat (0.5f);
    SampleCoefficients k{};
    if constexpr (!moving)
        k = { Lanes::splat (split.lowMidA.getTargetValue()),  Lanes::splat (split.lowMidC.getTargetValue()),
              Lanes::splat (split.lowMidD.getTargetValue()),  Lanes::splat (split.midHighA.getTargetValue()),
              Lanes::splat (split.midHighC.getTargetValue()), Lanes::splat (split.midHighD.getTargetValue()),
              Lanes::splat (split.lowPhaseA.getTargetValue()) };

    for (int n = start; n < end; ++n)
    {
        if constexpr (moving)
            k = { nextPair (split.lowMidA),  nextPair (split.lowMidC),  nextPair (split.lowMidD),
                  nextPair (split.midHighA), nextPair (split.midHighC), nextPair (split.midHighD),
                  nextPair (split.lowPhaseA) };

        const Lanes x = Lanes::loadPair (pairs + 2 * (n - start));

        const Lanes A = k.a1 * (m.a1 - x) + m.x1;
        const Lanes B = k.c1 * (x - m.b2) + k.d1 * (m.b1 - m.x1) + m.x2;
        const Lanes hd = (A - B) * half;
        const Lanes hs = (B + A) * half;
        const Lanes C = k.a2 * (m.c1 - hd) + m.hd1;
        const Lanes D = k.c2 * (hd - m.d2) + k.d2 * (m.d1 - m.hd1) + m.hd2;
        const Lanes E = k.a3 * (m.e1 - hs) + m.hs1;

        const Lanes low = (E + E) * Lanes::splatFrom (lowGain + n);
        const Lanes mid = (D + C) * Lanes::splatFrom (midGain + n);
        const Lanes high = (C - D) * Lanes::splatFrom (highGain + n);
        ((mid + low) + high).storePair (outLeft + n, outRight + n);
        if constexpr (tapped)
            (tap->band == 0 ? low : (tap->band == 1 ? mid : high)).storePair (tap->left + n, tap->right + n);

        m.x2 = m.x1;
        m.x1 = x;
        m.a1 = A;
        m.b2 = m.b1;
        m.b1 = B;
        m.hd2 = m.hd1;
        m.hd1 = hd;
        m.c1 = C;
        m.d2 = m.d1;
        m.d1 = D;
        m.hs1 = hs;
        m.e1 = E;
        if (n + 1 == end)
            last = { x, hd, hs, B, D, C, E, low, mid, high };
    }
}

void storePair (Lanes v, float (&to)[2]) noexcept
{
    v.storePair (&to[0], &to[1]);
}
} // namespace

void EQBandSplit3::process (const float* inLeft, const float* inRight, float* outLeft, float* outRight,
                            const float* lowGain, const float* midGain, const float* highGain, int numSamples,
                            const BandTap* tap) noexcept
{
    if (numSamples <= 0)
        return;

    Memories m (filterState);
    LastSample last{};
    const auto ramping = [this]
    {
        return lowMidA.isSmoothing() || lowMidC.isSmoothing() || lowMidD.isSmoothing() || midHighA.isSmoothing() ||
               midHighC.isSmoothing() || midHighD.isSmoothing() || lowPhaseA.isSmoothing();
    };

    alignas (16) float pairs[2 * checkInterval];
    for (int start = 0; start < numSamples;)
    {
        const int end = std::min (numSamples, start + checkInterval);
        scaleInput (inLeft + start, inRight + start, end - start, pairs);
        int n = start;
        // A ramp runs for a few dozen samples after a split moved: those go one at a time.
        for (; n < end && ramping(); ++n)
        {
            const float* pair = pairs + 2 * (n - start);
            if (tap != nullptr)
                runSamples<true, true> (*this, m, last, pair, outLeft, outRight, lowGain, midGain, highGain, n,
                                        n + 1, tap);
            else
                runSamples<true, false> (*this, m, last, pair, outLeft, outRight, lowGain, midGain, highGain, n,
                                         n + 1, tap);
        }
        if (n < end)
        {
            const float* pair = pairs + 2 * (n - start);
            if (tap != nullptr)
                runSamples<false, true> (*this, m, last, pair, outLeft, outRight, lowGain, midGain, highGain, n,
                                         end, tap);
            else
                runSamples<false, false> (*this, m, last, pair, outLeft, outRight, lowGain, midGain, highGain, n,
                                          end, tap);
        }

        // Finite input keeps the memories finite; this catches whatever else could break them.
        const Lanes finite = m.finiteLanes();
        if ((Lanes::bits (finite) & 3) != 3)
            m.keepOnly (finite);
        start = end;
    }

    auto& s = filterState;
    storePair (last.e + last.e, s.lowOut);
    storePair (last.d + last.c, s.midSum);
    storePair (last.c - last.d, s.highDiff);
    storePair (last.x, s.scaledIn);
    storePair (last.hd, s.halfDiff);
    storePair (last.hs, s.halfSum);
    storePair (m.x1, s.lowMid1In);
    storePair (m.a1, s.lowMid1Out);
    storePair (m.x1, s.lowMid2In1);
    storePair (m.x2, s.lowMid2In2);
    storePair (last.b, s.lowMid2Out);
    storePair (m.b1, s.lowMid2Out1);
    storePair (m.b2, s.lowMid2Out2);
    storePair (m.hd1, s.midHigh1In);
    storePair (m.c1, s.midHigh1Out);
    storePair (m.hd1, s.midHigh2In1);
    storePair (m.hd2, s.midHigh2In2);
    storePair (last.d, s.midHigh2Out);
    storePair (m.d1, s.midHigh2Out1);
    storePair (m.d2, s.midHigh2Out2);
    storePair (m.hs1, s.lowPhaseIn);
    storePair (m.e1, s.lowPhaseOut);
    storePair (last.low, bandOut[0]);
    storePair (last.mid, bandOut[1]);
    storePair (last.high, bandOut[2]);
}
