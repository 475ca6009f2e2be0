#pragma once
#include "AAX_CHostServices.h"
#include "AAX_CParameterValue.h"
#include "AAX_CString.h"
#include "AAX_CStringAbbreviations.h"
#include "AAX_IAutomationDelegate.h"
#include "AAX_IDisplayDelegate.h"
#include "AAX_IParameter.h"
#include "AAX_ITaperDelegate.h"
#include "AAX_NarrowValue.h"

#include <cmath>
#include <memory>
#include <type_traits>

/** A host parameter whose value has type T: the value in real units, a taper that maps it to and
    from 0..1, a display that turns it into text and back, shortened names, a step count and the
    host's automation delegate. Every change the plug-in makes goes out as touch, set-value request
    and release while a delegate is set, and the value waits for the host's UpdateNormalizedValue;
    without a delegate the value changes at once. Non-finite input is ignored: a NaN or an infinity
    stored as a value would poison every later comparison, step and text. */
template <typename T>
class AAX_CParameter : public AAX_IParameter
{
public:
    AAX_CParameter (AAX_CParamID identifier, const AAX_IString& name, T defaultValue,
                    const AAX_ITaperDelegate<T>& taperDelegate,
                    const AAX_IDisplayDelegate<T>& displayDelegate, bool automatable = false)
        : mNames (name), mAutomatable (automatable), mNumSteps (0),
          mControlType (AAX_eParameterType_Continuous), mOrientation (AAX_eParameterOrientation_Default),
          mTaperDelegate (taperDelegate.Clone()), mDisplayDelegate (displayDelegate.Clone()),
          mAutomationDelegate (nullptr), mNeedNotify (true), mValue (identifier, T()),
          mDefaultValue (defaultValue)
    {
        InitializeNumberOfSteps();
        SetToDefaultValue();
    }

    AAX_CParameter (const AAX_CParameter&) = delete;
    AAX_CParameter& operator= (const AAX_CParameter&) = delete;

    ~AAX_CParameter() override
    {
        if (mAutomationDelegate != nullptr)
            mAutomationDelegate->UnregisterParameter (Identifier());
    }

    AAX_IParameterValue* CloneValue() const override { return mValue.Clone(); }
    AAX_CParamID Identifier() const override { return mValue.Identifier(); }
    void SetName (const AAX_CString& name) override { mNames.SetPrimary (name); }
    const AAX_CString& Name() const override { return mNames.Primary(); }
    void AddShortenedName (const AAX_CString& name) override { mNames.Add (name); }
    const AAX_CString& ShortenedName (int32_t iNumCharacters) const override
    {
        return mNames.Get (iNumCharacters);
    }
    void ClearShortenedNames() override { mNames.Clear(); }
    bool Automatable() const override { return mAutomatable; }

    void SetAutomationDelegate (AAX_IAutomationDelegate* iAutomationDelegate) override
    {
        if (mAutomationDelegate != nullptr)
            mAutomationDelegate->UnregisterParameter (Identifier());
        mAutomationDelegate = iAutomationDelegate;
        if (mAutomationDelegate != nullptr)
            mAutomationDelegate->RegisterParameter (Identifier());
    }

    void Touch() override
    {
        if (mAutomationDelegate != nullptr)
            mAutomationDelegate->PostTouchRequest (Identifier());
    }

    void Release() override
    {
        if (mAutomationDelegate != nullptr)
            mAutomationDelegate->PostReleaseRequest (Identifier());
    }

    void SetNormalizedValue (double newNormalizedValue) override
    {
        if (!std::isfinite (newNormalizedValue))
            return;
        const T real = mTaperDelegate->NormalizedToReal (newNormalizedValue);
        RequestNormalizedValue (mTaperDelegate->RealToNormalized (real));
    }

    double GetNormalizedValue() const override { return mTaperDelegate->RealToNormalized (mValue.Get()); }

    void SetNormalizedDefaultValue (double normalizedDefault) override
    {
        if (!std::isfinite (normalizedDefault))
            return;
        mDefaultValue =
            mTaperDelegate->ConstrainRealValue (mTaperDelegate->NormalizedToReal (normalizedDefault));
    }

    double GetNormalizedDefaultValue() const override
    {
        return mTaperDelegate->RealToNormalized (mDefaultValue);
    }
    void SetToDefaultValue() override
    {
        RequestNormalizedValue (mTaperDelegate->RealToNormalized (mDefaultValue));
    }

    void SetNumberOfSteps (uint32_t numSteps) override
    {
        if (!(0 < numSteps))
        {
            AAX_CHostServices::HandleAssertFailure (__FILE__, __LINE__, "0 < numSteps", AAX_eAssertFlags_Log);
            return;
        }
        mNumSteps = numSteps;
    }

    uint32_t GetNumberOfSteps() const override { return mNumSteps; }
    uint32_t GetStepValue() const override { return GetStepValueFromNormalizedValue (GetNormalizedValue()); }

    double GetNormalizedValueFromStep (uint32_t iStep) const override
    {
        if (mNumSteps < 2)
            return 0.0;
        const double normalized = iStep * (1.0 / (mNumSteps - 1));
        return normalized < 0.0 ? 0.0 : (normalized > 1.0 ? 1.0 : normalized);
    }

    uint32_t GetStepValueFromNormalizedValue (double normalizedValue) const override
    {
        if (mNumSteps < 2 || std::isnan (normalizedValue))
            return 0;
        const double step = normalizedValue / (1.0 / (mNumSteps - 1)) + 0.5;
        const double last = static_cast<double> (mNumSteps - 1);
        return static_cast<uint32_t> (step < 0.0 ? 0.0 : (step > last ? last : step));
    }

    void SetStepValue (uint32_t iStep) override
    {
        if (mNumSteps < 2)
            return;
        SetNormalizedValue (GetNormalizedValueFromStep (iStep));
    }

    bool GetValueString (AAX_CString* valueString) const override
    {
        return mDisplayDelegate->ValueToString (mValue.Get(), valueString);
    }

    bool GetValueString (int32_t iMaxNumChars, AAX_CString* valueString) const override
    {
        return mDisplayDelegate->ValueToString (mValue.Get(), iMaxNumChars, valueString);
    }

    bool GetNormalizedValueFromBool (bool value, double* normalizedValue) const override
    {
        return NormalizedFrom (value, normalizedValue);
    }
    bool GetNormalizedValueFromInt32 (int32_t value, double* normalizedValue) const override
    {
        return NormalizedFrom (value, normalizedValue);
    }
    bool GetNormalizedValueFromFloat (float value, double* normalizedValue) const override
    {
        return NormalizedFrom (value, normalizedValue);
    }
    bool GetNormalizedValueFromDouble (double value, double* normalizedValue) const override
    {
        return NormalizedFrom (value, normalizedValue);
    }

    bool GetNormalizedValueFromString (const AAX_CString& valueString, double* normalizedValue) const override
    {
        T value = T();
        if (!mDisplayDelegate->StringToValue (valueString, &value))
            return false;
        if (normalizedValue != nullptr)
            *normalizedValue = mTaperDelegate->RealToNormalized (value);
        return true;
    }

    bool GetBoolFromNormalizedValue (double normalizedValue, bool* value) const override
    {
        return RealFrom (normalizedValue, value);
    }
    bool GetInt32FromNormalizedValue (double normalizedValue, int32_t* value) const override
    {
        return RealFrom (normalizedValue, value);
    }
    bool GetFloatFromNormalizedValue (double normalizedValue, float* value) const override
    {
        return RealFrom (normalizedValue, value);
    }
    bool GetDoubleFromNormalizedValue (double normalizedValue, double* value) const override
    {
        return RealFrom (normalizedValue, value);
    }

    bool GetStringFromNormalizedValue (double normalizedValue, AAX_CString& valueString) const override
    {
        const T real = mTaperDelegate->NormalizedToReal (normalizedValue);
        return mDisplayDelegate->ValueToString (real, &valueString) && WithinTaper (real);
    }

    bool GetStringFromNormalizedValue (double normalizedValue, int32_t iMaxNumChars,
                                       AAX_CString& valueString) const override
    {
        const T real = mTaperDelegate->NormalizedToReal (normalizedValue);
        return mDisplayDelegate->ValueToString (real, iMaxNumChars, &valueString) && WithinTaper (real);
    }

    bool SetValueFromString (const AAX_CString& newValueString) override
    {
        T value = T();
        if (!mDisplayDelegate->StringToValue (newValueString, &value) || !AAX::IsFiniteValue (value))
            return false;
        RequestNormalizedValue (mTaperDelegate->RealToNormalized (value));
        return true;
    }

    bool GetValueAsBool (bool* value) const override { return mValue.GetValueAsBool (value); }
    bool GetValueAsInt32 (int32_t* value) const override { return mValue.GetValueAsInt32 (value); }
    bool GetValueAsFloat (float* value) const override { return mValue.GetValueAsFloat (value); }
    bool GetValueAsDouble (double* value) const override { return mValue.GetValueAsDouble (value); }

    bool GetValueAsString (AAX_IString* value) const override
    {
        if (value == nullptr)
            return false;
        AAX_CString text;
        const bool ok = GetValueString (&text);
        if (ok)
            *value = text;
        return ok;
    }

    bool SetValueWithBool (bool value) override { return SetValueWith (value); }
    bool SetValueWithInt32 (int32_t value) override { return SetValueWith (value); }
    bool SetValueWithFloat (float value) override { return SetValueWith (value); }
    bool SetValueWithDouble (double value) override { return SetValueWith (value); }
    bool SetValueWithString (const AAX_IString& value) override
    {
        return SetValueFromString (AAX_CString (value));
    }

    void SetType (AAX_EParameterType iControlType) override { mControlType = iControlType; }
    AAX_EParameterType GetType() const override { return mControlType; }
    void SetOrientation (AAX_EParameterOrientation iOrientation) override { mOrientation = iOrientation; }
    AAX_EParameterOrientation GetOrientation() const override { return mOrientation; }

    void SetTaperDelegate (AAX_ITaperDelegateBase& iTaperDelegate, bool iPreserveValue = true) override
    {
        auto* taper = dynamic_cast<AAX_ITaperDelegate<T>*> (&iTaperDelegate);
        if (taper == nullptr)
            return; // a taper for another value type cannot map this parameter
        const double normalized = GetNormalizedValue();
        mTaperDelegate.reset (taper->Clone());
        mNeedNotify = true;
        if (iPreserveValue)
            RequestNormalizedValue (mTaperDelegate->RealToNormalized (mValue.Get()));
        else
            UpdateNormalizedValue (normalized);
    }

    void SetDisplayDelegate (AAX_IDisplayDelegateBase& iDisplayDelegate) override
    {
        auto* display = dynamic_cast<AAX_IDisplayDelegate<T>*> (&iDisplayDelegate);
        if (display == nullptr)
            return;
        mDisplayDelegate.reset (display->Clone());
        if (mAutomationDelegate != nullptr)
            mAutomationDelegate->PostCurrentValue (Identifier(), GetNormalizedValue());
    }

    void UpdateNormalizedValue (double newNormalizedValue) override
    {
        if (!std::isfinite (newNormalizedValue))
            return;
        const T real = mTaperDelegate->NormalizedToReal (newNormalizedValue);
        if (!mNeedNotify && real == mValue.Get())
            return;
        mValue.Set (real);
        if (mAutomationDelegate != nullptr)
            mAutomationDelegate->PostCurrentValue (Identifier(), newNormalizedValue);
        mNeedNotify = false;
    }

    const AAX_ITaperDelegate<T>* TaperDelegate() const { return mTaperDelegate.get(); }
    const AAX_IDisplayDelegate<T>* DisplayDelegate() const { return mDisplayDelegate.get(); }

private:
    void InitializeNumberOfSteps()
    {
        if (mNumSteps != 0)
            return;
        if (mControlType == AAX_eParameterType_Continuous)
            mNumSteps = 128;
        else if (mControlType == AAX_eParameterType_Discrete)
            mNumSteps = 2;
        else
            AAX_CHostServices::HandleAssertFailure (__FILE__, __LINE__, "0", AAX_eAssertFlags_Log);
    }

    /** Asks the host for the value (touch, request, release) when a delegate is set; without
        one, stores it at once. */
    void RequestNormalizedValue (double normalizedValue)
    {
        if (!std::isfinite (normalizedValue))
            return;
        if (mAutomationDelegate != nullptr)
        {
            Touch();
            mAutomationDelegate->PostSetValueRequest (Identifier(), normalizedValue);
            Release();
        }
        else
        {
            mNeedNotify = true;
            UpdateNormalizedValue (normalizedValue);
        }
    }

    bool WithinTaper (T real) const
    {
        return mTaperDelegate->GetMinimumValue() <= real && real <= mTaperDelegate->GetMaximumValue();
    }

    template <typename U>
    bool NormalizedFrom (U value, double* normalizedValue) const
    {
        if constexpr (std::is_same_v<T, U>)
        {
            if (normalizedValue == nullptr)
                return false;
            *normalizedValue = mTaperDelegate->RealToNormalized (value);
            return true;
        }
        else
        {
            (void) value;
            (void) normalizedValue;
            return false;
        }
    }

    template <typename U>
    bool RealFrom (double normalizedValue, U* value) const
    {
        if constexpr (std::is_same_v<T, U>)
        {
            if (value == nullptr)
                return false;
            *value = mTaperDelegate->NormalizedToReal (normalizedValue);
            return true;
        }
        else
        {
            (void) normalizedValue;
            (void) value;
            return false;
        }
    }

    template <typename U>
    bool SetValueWith (U value)
    {
        if constexpr (std::is_same_v<T, U>)
        {
            if (!AAX::IsFiniteValue (value))
                return false;
            RequestNormalizedValue (mTaperDelegate->RealToNormalized (value));
            return true;
        }
        else
        {
            (void) value;
            return false;
        }
    }

    AAX_CStringAbbreviations mNames;
    bool mAutomatable;
    uint32_t mNumSteps;
    AAX_EParameterType mControlType;
    AAX_EParameterOrientation mOrientation;
    std::unique_ptr<AAX_ITaperDelegate<T>> mTaperDelegate;
    std::unique_ptr<AAX_IDisplayDelegate<T>> mDisplayDelegate;
    AAX_IAutomationDelegate* mAutomationDelegate;
    bool mNeedNotify;
    AAX_CParameterValue<T> mValue;
    T mDefaultValue;
};
