#include "EQBandSplit3.h"

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
