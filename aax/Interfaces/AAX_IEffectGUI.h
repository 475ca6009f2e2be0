// The plug-in's GUI object as a host object: the host-facing interface joined with the
// reference-counting base.
#pragma once

#include "AAX_IACFEffectGUI.h"
#include "CACFUnknown.h"

class AAX_IEffectGUI : public AAX_IACFEffectGUI, public CACFUnknown
{
public:
    // Every interface of the object shares the controlling unknown's count.
    ACFRESULT QueryInterface (const acfIID& iid, void** ppOut) override
    {
        return GetControllingUnknown()->QueryInterface (iid, ppOut);
    }
    acfUInt32 AddRef() override { return GetControllingUnknown()->AddRef(); }
    acfUInt32 Release() override { return GetControllingUnknown()->Release(); }

    // Answers IID_IAAXEffectGUIV1 with the host-facing interface, then what the base answers.
    ACFRESULT InternalQueryInterface (const acfIID& riid, void** ppvObjOut) override;
};
