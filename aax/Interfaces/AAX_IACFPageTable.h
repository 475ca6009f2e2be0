// A host page table (control-surface layout), version 1: pages and mapped parameters.
#pragma once

#include "AAX.h"
#include "ACF/IACFUnknown.h"

class AAX_IString;

class AAX_IACFPageTable : public IACFUnknown
{
public:
    virtual AAX_Result Clear() = 0;
    virtual AAX_Result Empty (AAX_CBoolean* oEmpty) = 0;
    virtual AAX_Result GetNumPages (int32_t* oNumPages) = 0;
    virtual AAX_Result InsertPage (int32_t iPage) = 0;
    virtual AAX_Result RemovePage (int32_t iPage) = 0;
    virtual AAX_Result GetNumMappedParameterIDs (int32_t iPage, int32_t* oNumParameterIdentifiers) = 0;
    virtual AAX_Result ClearMappedParameter (int32_t iPage, int32_t iIndex) = 0;
    virtual AAX_Result GetMappedParameterID (int32_t iPage, int32_t iIndex,
                                             AAX_IString* oParameterIdentifier) = 0;
    virtual AAX_Result MapParameterID (AAX_CParamID iParameterIdentifier, int32_t iPage, int32_t iIndex) = 0;

protected:
    ~AAX_IACFPageTable() = default;
};
