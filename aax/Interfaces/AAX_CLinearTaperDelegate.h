#pragma once
#include "AAX_ITaperDelegate.h"
#include "AAX_NarrowValue.h"

#include <cmath>
#include <cstdint>

/** A straight-line mapping between the range [minimum, maximum] and 0..1. A non-zero
    RealPrecision rounds real values to that many decimals. */
template <typename T, int32_t RealPrecision = 0>
class AAX_CLinearTaperDelegate : public AAX_ITaperDelegate<T>
{
public:
    explicit AAX_CLinearTaperDelegate (T minValue = T (0), T maxValue = T (1))
        : mMinValue (minValue), mMaxValue (maxValue)
    {
    }

    AAX_CLinearTaperDelegate* Clone() const override { return new AAX_CLinearTaperDelegate (*this); }
    T GetMaximumValue() const override { return mMaxValue; }
    T GetMinimumValue() const override { return mMinValue; }

    T ConstrainRealValue (T value) const override
    {
        if (mMinValue == mMaxValue)
            return mMinValue;
        const T low = mMinValue < mMaxValue ? mMinValue : mMaxValue;
        const T high = mMinValue < mMaxValue ? mMaxValue : mMinValue;
        if (value < low)
            return low;
        if (value > high)
            return high;
        return value;
    }

    T NormalizedToReal (double normalizedValue) const override
    {
        double real = normalizedValue * (static_cast<double> (mMaxValue) - static_cast<double> (mMinValue)) +
                      static_cast<double> (mMinValue);
        if constexpr (RealPrecision > 0)
        {
            const double scale = std::pow (10.0, RealPrecision);
            real = std::round (real * scale) / scale;
        }
        return ConstrainRealValue (AAX::NarrowValue<T> (real));
    }

    double RealToNormalized (T realValue) const override
    {
        realValue = ConstrainRealValue (realValue);
        if (mMinValue == mMaxValue)
            return 0.5;
        return (static_cast<double> (realValue) - static_cast<double> (mMinValue)) /
               (static_cast<double> (mMaxValue) - static_cast<double> (mMinValue));
    }

private:
    T mMinValue;
    T mMaxValue;
};
