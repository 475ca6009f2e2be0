// An effect-parameters object whose parameters the test adds directly, for the packet dispatcher's
// own single-value generator.
#pragma once

#include "AAX_CEffectParameters.h"
#include "AAX_CLinearTaperDelegate.h"
#include "AAX_CNumberDisplayDelegate.h"
#include "AAX_CParameter.h"
#include "AAX_CParameterManager.h"
#include "AAX_Errors.h"

namespace kalvo::aaxtest
{
class ManagerEffectParameters final : public AAX_CEffectParameters
{
public:
    template <typename T>
    AAX_CParameter<T>& add (AAX_CParamID id, T value, T minValue = T (0), T maxValue = T (1))
    {
        auto* p = new AAX_CParameter<T> (id, AAX_CString (id), value,
                                         AAX_CLinearTaperDelegate<T, 0> (minValue, maxValue),
                                         AAX_CNumberDisplayDelegate<T, 3>(), true);
        manager.AddParameter (p);
        return *p;
    }

    AAX_CParameterManager& manager = mParameterManager;
};
} // namespace kalvo::aaxtest
