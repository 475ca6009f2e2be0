#include "AAX_IEffectParameters.h"

#include "AAX_Errors.h"
#include "AAX_UIDs.h"

namespace
{
// Answered only by this binding's own effect-parameters objects, with the object itself.
constexpr acfIID kThisBindingsEffectParameters = {
    0xF27ABE49, 0x45CF, 0x401F, { 0xAD, 0xA6, 0xB1, 0x30, 0x0E, 0x61, 0x3F, 0xBE }
};
} // namespace

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
    if (riid == kThisBindingsEffectParameters)
    {
        *ppvObjOut = this;
        AddRef();
        return ACF_OK;
    }
    return CACFUnknown::InternalQueryInterface (riid, ppvObjOut);
}

// The answer may be an object of a module built without type information, which the sanitizer's
// vptr check takes for no object at all; the calls through its interface are sound.
__attribute__ ((no_sanitize ("vptr"))) AAX_IEffectParameters*
AAX_IEffectParameters::FromHostAnswer (ACFRESULT queryResult, IACFUnknown* answer)
{
    if (answer == nullptr)
        return nullptr;
    void* own = nullptr;
    if (ACFFAILED (queryResult) || ACFFAILED (answer->QueryInterface (kThisBindingsEffectParameters, &own)))
        own = nullptr;
    answer->Release();
    return static_cast<AAX_IEffectParameters*> (own);
}
