#pragma once

/** Untyped base of the taper delegates, so a parameter can be handed one through its untyped
    interface. */
class AAX_ITaperDelegateBase
{
public:
    virtual ~AAX_ITaperDelegateBase() = default;

protected:
    AAX_ITaperDelegateBase() = default;
    AAX_ITaperDelegateBase (const AAX_ITaperDelegateBase&) = default;
    AAX_ITaperDelegateBase& operator= (const AAX_ITaperDelegateBase&) = default;
};

/** Maps a parameter's real value to the host's normalized range 0..1 and back. */
template <typename T>
class AAX_ITaperDelegate : public AAX_ITaperDelegateBase
{
public:
    virtual AAX_ITaperDelegate* Clone() const = 0;
    virtual T GetMaximumValue() const = 0;
    virtual T GetMinimumValue() const = 0;
    virtual T ConstrainRealValue (T value) const = 0;
    virtual T NormalizedToReal (double normalizedValue) const = 0;
    virtual double RealToNormalized (T realValue) const = 0;
};
