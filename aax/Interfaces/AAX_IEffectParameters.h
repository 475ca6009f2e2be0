// The plug-in's effect-parameters object as a host object: the host-facing interface (all four
// versions served by one table) joined with the reference-counting base.
#pragma once

#include "AAX.h"
#include "AAX_IACFEffectParameters_V4.h"
#include "CACFUnknown.h"

class AAX_IEffectParameters : public AAX_IACFEffectParameters_V4, public CACFUnknown
{
public:
    // Every interface of the object shares the controlling unknown's count.
    ACFRESULT QueryInterface (const acfIID& iid, void** ppOut) override
    {
        return GetControllingUnknown()->QueryInterface (iid, ppOut);
    }
    acfUInt32 AddRef() override { return GetControllingUnknown()->AddRef(); }
    acfUInt32 Release() override { return GetControllingUnknown()->Release(); }

    // Answers versions 1 to 4 with the host-facing interface, then what the base answers.
    ACFRESULT InternalQueryInterface (const acfIID& riid, void** ppvObjOut) override;

    /** What the host answered to a query for the effect-parameters interface: this binding's
        own object, with a reference of its own, or null for a failed answer or any other object.
        The answer's reference is given back in every case. The object is identified through its
        QueryInterface, since a host's object may come from a module built without type
        information, where a dynamic_cast crashes. */
    static AAX_IEffectParameters* FromHostAnswer (ACFRESULT queryResult, IACFUnknown* answer);
};
