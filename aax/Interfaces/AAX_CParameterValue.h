#pragma once
#include "AAX_CHostServices.h"
#include "AAX_IParameterValue.h"
#include "AAX_ParameterEnums.h"

#include <cstring>
#include <type_traits>

namespace AAX
{
/** Copies a parameter identifier into its fixed field; a longer one is reported to the host and
    cut, so the field always holds a terminated text. A null identifier gives the empty text. */
inline void CopyParameterIdentifier (char (&field)[eParemeterDefaultMaxIdentifierSize],
                                     AAX_CParamID identifier)
{
    field[0] = '\0';
    if (identifier == nullptr)
        return;
    const size_t len = std::strlen (identifier);
    if (!(len < eParemeterDefaultMaxIdentifierSize))
        AAX_CHostServices::HandleAssertFailure (
            __FILE__, __LINE__, "len < eParemeterDefaultMaxIdentifierSize", AAX_eAssertFlags_Log);
    const size_t kept =
        len < eParemeterDefaultMaxIdentifierSize ? len : eParemeterDefaultMaxIdentifierSize - 1;
    std::memcpy (field, identifier, kept);
    field[kept] = '\0';
}
} // namespace AAX

/** A parameter's identifier and value of type T. */
template <typename T>
class AAX_CParameterValue : public AAX_IParameterValue
{
public:
    AAX_CParameterValue (AAX_CParamID identifier, T value) : mValue (value)
    {
        AAX::CopyParameterIdentifier (mIdentifier, identifier);
    }

    AAX_CParameterValue (const AAX_CParameterValue& other) : AAX_IParameterValue(), mValue (other.mValue)
    {
        AAX::CopyParameterIdentifier (mIdentifier, other.mIdentifier);
    }

    AAX_CParameterValue& operator= (const AAX_CParameterValue&) = delete;

    AAX_CParameterValue* Clone() const override { return new AAX_CParameterValue (*this); }
    AAX_CParamID Identifier() const override { return mIdentifier; }

    bool GetValueAsBool (bool* value) const override { return GetValueAs (value); }
    bool GetValueAsInt32 (int32_t* value) const override { return GetValueAs (value); }
    bool GetValueAsFloat (float* value) const override { return GetValueAs (value); }
    bool GetValueAsDouble (double* value) const override { return GetValueAs (value); }
    bool GetValueAsString (AAX_IString*) const override { return false; }

    const T& Get() const { return mValue; }
    void Set (const T& value) { mValue = value; }

private:
    template <typename U>
    bool GetValueAs (U* value) const
    {
        if constexpr (std::is_same_v<T, U>)
        {
            if (value == nullptr)
                return false;
            *value = mValue;
            return true;
        }
        else
        {
            (void) value;
            return false;
        }
    }

    char mIdentifier[eParemeterDefaultMaxIdentifierSize];
    T mValue;
};
