#pragma once
#include "AAX_IDisplayDelegate.h"
#include "AAX_NarrowValue.h"

#include <cstdint>

/** Shows a value as a number with a fixed count of decimals ("0.500" with three), in the classic
    notation whatever the process locale. SpaceAfter is kept for clients that name it. */
template <typename T, uint32_t Precision = 2, uint32_t SpaceAfter = 0>
class AAX_CNumberDisplayDelegate : public AAX_IDisplayDelegate<T>
{
public:
    AAX_CNumberDisplayDelegate* Clone() const override { return new AAX_CNumberDisplayDelegate (*this); }

    bool ValueToString (T value, AAX_CString* valueString) const override
    {
        if (valueString == nullptr)
            return false;
        valueString->Clear();
        valueString->AppendNumber (static_cast<double> (value), static_cast<int32_t> (Precision));
        return true;
    }

    bool ValueToString (T value, int32_t maxNumChars, AAX_CString* valueString) const override
    {
        if (!ValueToString (value, valueString))
            return false;
        const uint32_t limit = maxNumChars < 0 ? 0u : static_cast<uint32_t> (maxNumChars);
        const uint32_t length = valueString->Length();
        if (length > limit)
            valueString->Erase (limit, length - limit);
        // A cut that ends on the decimal point leaves the whole number without it.
        if (limit >= 1 && valueString->Length() == limit && (*valueString)[limit - 1] == '.')
            valueString->Erase (limit - 1, 1);
        return true;
    }

    bool StringToValue (const AAX_CString& valueString, T* value) const override
    {
        double parsed = 0.0;
        const bool ok = valueString.ToDouble (&parsed);
        if (value != nullptr)
            *value = ok ? AAX::NarrowValue<T> (parsed) : T (0);
        return ok;
    }
};
