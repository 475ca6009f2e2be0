// A host page table, version 2: parameter name variations.
#pragma once

#include "AAX_IACFPageTable.h"

class AAX_IACFPageTable_V2 : public AAX_IACFPageTable
{
public:
    virtual AAX_Result GetNumParametersWithNameVariations (int32_t* oNumParameterIdentifiers) = 0;
    virtual AAX_Result GetNameVariationParameterIDAtIndex (int32_t iIndex,
                                                           AAX_IString* oParameterIdentifier) = 0;
    virtual AAX_Result GetNumNameVariationsForParameter (AAX_CParamID iParameterIdentifier,
                                                         int32_t* oNumVariations) = 0;
    virtual AAX_Result GetParameterNameVariationAtIndex (AAX_CParamID iParameterIdentifier, int32_t iIndex,
                                                         AAX_IString* oNameVariation, int32_t* oLength) = 0;
    virtual AAX_Result GetParameterNameVariationOfLength (AAX_CParamID iParameterIdentifier, int32_t iLength,
                                                          AAX_IString* oNameVariation) = 0;
    virtual AAX_Result ClearParameterNameVariations() = 0;
    virtual AAX_Result ClearNameVariationsForParameter (AAX_CParamID iParameterIdentifier) = 0;
    virtual AAX_Result SetParameterNameVariation (AAX_CParamID iParameterIdentifier,
                                                  const AAX_IString& iNameVariation, int32_t iLength) = 0;

protected:
    ~AAX_IACFPageTable_V2() = default;
};
