#include "AAX_IEffectGUI.h"

#include "AAX_UIDs.h"

ACFRESULT AAX_IEffectGUI::InternalQueryInterface (const acfIID& riid, void** ppvObjOut)
{
    if (ppvObjOut == nullptr)
        return ACF_E_POINTER;

    if (riid == IID_IAAXEffectGUIV1)
    {
        auto* hostFacing = static_cast<AAX_IACFEffectGUI*> (this);
        *ppvObjOut = hostFacing;
        hostFacing->AddRef();
        return ACF_OK;
    }
    return CACFUnknown::InternalQueryInterface (riid, ppvObjOut);
}
