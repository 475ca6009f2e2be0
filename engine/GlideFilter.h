#pragma once

#include <cmath>

// One-pole smoother that makes a line's curve value glide toward the table value. Owned and
// stepped by the audio thread; other threads hand it a new glide time through the processor.
struct GlideFilter
{
    float coeff = 0.0f;
    float oneMinusCoeff = 1.0f;
    float value = 0.0f;

    // Coefficient for a glide time in milliseconds. A time that is not positive (or not a
    // number) means no glide at all, rather than a filter that grows without bound.
    static float coefficientFor (float milliseconds, float sampleRate) noexcept
    {
        const float samples = milliseconds * 0.001f * sampleRate;
        if (!(samples > 0.0f) || !std::isfinite (samples))
            return 0.0f;
        return std::exp (-6.2831855f / samples);
    }

    void setCoefficient (float c) noexcept
    {
        coeff = c;
        oneMinusCoeff = 1.0f - c;
    }

    // Moves toward target unless already within 0.0005 of it; there it stays (no snap). A
    // target that is not a number fails the test and leaves the value where it is.
    float process (float target) noexcept
    {
        if (std::abs (value - target) > 0.0005f)
            value = value * coeff + target * oneMinusCoeff;
        return value;
    }
};
