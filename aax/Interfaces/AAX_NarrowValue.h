#pragma once
#include <cmath>
#include <limits>
#include <type_traits>

namespace AAX
{
/** Converts a double to a parameter's value type without undefined behaviour: a value beyond a
    floating-point type's range becomes the matching infinity (as IEEE narrowing gives), and an
    integer type is clamped to its range, rounding towards zero; NaN becomes 0 for an integer
    type. */
template <typename T>
T NarrowValue (double value)
{
    if constexpr (std::is_same_v<T, bool>)
    {
        return value != 0.0 && !std::isnan (value);
    }
    else if constexpr (std::is_floating_point_v<T>)
    {
        if (std::isnan (value))
            return std::numeric_limits<T>::quiet_NaN();
        if (value > static_cast<double> (std::numeric_limits<T>::max()))
            return std::numeric_limits<T>::infinity();
        if (value < static_cast<double> (std::numeric_limits<T>::lowest()))
            return -std::numeric_limits<T>::infinity();
        return static_cast<T> (value);
    }
    else
    {
        if (std::isnan (value))
            return T (0);
        if (value >= static_cast<double> (std::numeric_limits<T>::max()))
            return std::numeric_limits<T>::max();
        if (value <= static_cast<double> (std::numeric_limits<T>::lowest()))
            return std::numeric_limits<T>::lowest();
        return static_cast<T> (value);
    }
}

/** True for every value of an integer type, and for finite floating-point values. */
template <typename T>
bool IsFiniteValue (T value)
{
    if constexpr (std::is_floating_point_v<T>)
        return std::isfinite (value);
    else
        return true;
}
} // namespace AAX
