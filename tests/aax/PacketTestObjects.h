// An effect-parameters object that answers GetParameter from a parameter manager, for the packet
// dispatcher's own single-value generator.
#pragma once

#include "AAX_CLinearTaperDelegate.h"
#include "AAX_CNumberDisplayDelegate.h"
#include "AAX_CParameter.h"
#include "AAX_CParameterManager.h"
#include "AAX_Errors.h"
#include "AAX_IEffectParameters.h"

namespace kalvo::aaxtest
{
class ManagerEffectParameters final : public AAX_IEffectParameters
{
public:
    AAX_Result GetParameter (AAX_CParamID iParameterID, AAX_IParameter** oParameter) override
    {
        if (oParameter == nullptr)
            return AAX_ERROR_NULL_ARGUMENT;
        *oParameter = manager.GetParameterByID (iParameterID);
        return *oParameter != nullptr ? AAX_SUCCESS : AAX_ERROR_INVALID_PARAMETER_ID;
    }

    template <typename T>
    AAX_CParameter<T>& add (AAX_CParamID id, T value, T minValue = T (0), T maxValue = T (1))
    {
        auto* p = new AAX_CParameter<T> (id, AAX_CString (id), value,
                                         AAX_CLinearTaperDelegate<T, 0> (minValue, maxValue),
                                         AAX_CNumberDisplayDelegate<T, 3>(), true);
        manager.AddParameter (p);
        return *p;
    }

    AAX_CParameterManager manager;
};
} // namespace kalvo::aaxtest
