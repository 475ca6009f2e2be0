#include "AAX_IEffectParameters.h"

#include "AAX_Errors.h"
#include "AAX_UIDs.h"

ACFRESULT AAX_IEffectParameters::InternalQueryInterface (const acfIID& riid, void** ppvObjOut)
{
    if (ppvObjOut == nullptr)
        return ACF_E_POINTER;

    if (riid == IID_IAAXEffectParametersV1 || riid == IID_IAAXEffectParametersV2 ||
        riid == IID_IAAXEffectParametersV3 || riid == IID_IAAXEffectParametersV4)
    {
        // One table serves every version.
        auto* hostFacing = static_cast<AAX_IACFEffectParameters_V4*> (this);
        *ppvObjOut = hostFacing;
        hostFacing->AddRef();
        return ACF_OK;
    }
    return CACFUnknown::InternalQueryInterface (riid, ppvObjOut);
}
