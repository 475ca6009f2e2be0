#pragma once
#include "AAX_CString.h"

#include <cstdint>

/** Untyped base of the display delegates, so a parameter can be handed one through its untyped
    interface. */
class AAX_IDisplayDelegateBase
{
public:
    virtual ~AAX_IDisplayDelegateBase() = default;

protected:
    AAX_IDisplayDelegateBase() = default;
    AAX_IDisplayDelegateBase (const AAX_IDisplayDelegateBase&) = default;
    AAX_IDisplayDelegateBase& operator= (const AAX_IDisplayDelegateBase&) = default;
};

/** Turns a parameter's real value into text and back. */
template <typename T>
class AAX_IDisplayDelegate : public AAX_IDisplayDelegateBase
{
public:
    virtual AAX_IDisplayDelegate* Clone() const = 0;
    virtual bool ValueToString (T value, AAX_CString* valueString) const = 0;
    virtual bool ValueToString (T value, int32_t maxNumChars, AAX_CString* valueString) const = 0;
    virtual bool StringToValue (const AAX_CString& valueString, T* value) const = 0;
};
