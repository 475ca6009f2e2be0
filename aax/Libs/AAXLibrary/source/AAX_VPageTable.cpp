#include "AAX_VPageTable.h"

#include "AAX_Errors.h"
#include "AAX_UIDs.h"

AAX_VPageTable::AAX_VPageTable (IACFUnknown* pUnknown)
{
    if (pUnknown == nullptr)
        return;
    if (ACFFAILED (mIPageTable.query (pUnknown, IID_IAAXPageTableV1)))
        mIPageTable.reset();
    if (ACFFAILED (mIPageTableV2.query (pUnknown, IID_IAAXPageTableV2)))
        mIPageTableV2.reset();
}

AAX_VPageTable::~AAX_VPageTable()
{
    mIPageTableV2.reset();
    mIPageTable.reset();
}

AAX_Result AAX_VPageTable::Clear()
{
    if (!mIPageTable)
        return AAX_ERROR_UNIMPLEMENTED;
    return mIPageTable->Clear();
}

AAX_Result AAX_VPageTable::Empty (AAX_CBoolean& oEmpty) const
{
    if (!mIPageTable)
    {
        oEmpty = 0;
        return AAX_ERROR_UNIMPLEMENTED;
    }
    return mIPageTable->Empty (&oEmpty);
}

AAX_Result AAX_VPageTable::GetNumPages (int32_t& oNumPages) const
{
    if (!mIPageTable)
    {
        oNumPages = 0;
        return AAX_ERROR_UNIMPLEMENTED;
    }
    return mIPageTable->GetNumPages (&oNumPages);
}

AAX_Result AAX_VPageTable::InsertPage (int32_t iPage)
{
    if (!mIPageTable)
        return AAX_ERROR_UNIMPLEMENTED;
    return mIPageTable->InsertPage (iPage);
}

AAX_Result AAX_VPageTable::RemovePage (int32_t iPage)
{
    if (!mIPageTable)
        return AAX_ERROR_UNIMPLEMENTED;
    return mIPageTable->RemovePage (iPage);
}

AAX_Result AAX_VPageTable::GetNumMappedParameterIDs (int32_t iPage, int32_t& oNumParameterIdentifiers) const
{
    if (!mIPageTable)
    {
        oNumParameterIdentifiers = 0;
        return AAX_ERROR_UNIMPLEMENTED;
    }
    return mIPageTable->GetNumMappedParameterIDs (iPage, &oNumParameterIdentifiers);
}

AAX_Result AAX_VPageTable::ClearMappedParameter (int32_t iPage, int32_t iIndex)
{
    if (!mIPageTable)
        return AAX_ERROR_UNIMPLEMENTED;
    return mIPageTable->ClearMappedParameter (iPage, iIndex);
}

AAX_Result AAX_VPageTable::GetMappedParameterID (int32_t iPage, int32_t iIndex,
                                                 AAX_IString& oParameterIdentifier) const
{
    if (!mIPageTable)
        return AAX_ERROR_UNIMPLEMENTED;
    return mIPageTable->GetMappedParameterID (iPage, iIndex, &oParameterIdentifier);
}

AAX_Result AAX_VPageTable::MapParameterID (AAX_CParamID iParameterIdentifier, int32_t iPage, int32_t iIndex)
{
    if (!mIPageTable)
        return AAX_ERROR_UNIMPLEMENTED;
    return mIPageTable->MapParameterID (iParameterIdentifier, iPage, iIndex);
}

AAX_Result AAX_VPageTable::GetNumParametersWithNameVariations (int32_t& oNumParameterIdentifiers) const
{
    if (!mIPageTableV2)
    {
        oNumParameterIdentifiers = 0;
        return AAX_ERROR_UNIMPLEMENTED;
    }
    return mIPageTableV2->GetNumParametersWithNameVariations (&oNumParameterIdentifiers);
}

AAX_Result AAX_VPageTable::GetNameVariationParameterIDAtIndex (int32_t iIndex,
                                                               AAX_IString& oParameterIdentifier) const
{
    if (!mIPageTableV2)
        return AAX_ERROR_UNIMPLEMENTED;
    return mIPageTableV2->GetNameVariationParameterIDAtIndex (iIndex, &oParameterIdentifier);
}

AAX_Result AAX_VPageTable::GetNumNameVariationsForParameter (AAX_CParamID iParameterIdentifier,
                                                             int32_t& oNumVariations) const
{
    if (!mIPageTableV2)
    {
        oNumVariations = 0;
        return AAX_ERROR_UNIMPLEMENTED;
    }
    return mIPageTableV2->GetNumNameVariationsForParameter (iParameterIdentifier, &oNumVariations);
}

AAX_Result AAX_VPageTable::GetParameterNameVariationAtIndex (AAX_CParamID iParameterIdentifier,
                                                             int32_t iIndex, AAX_IString& oNameVariation,
                                                             int32_t& oLength) const
{
    if (!mIPageTableV2)
    {
        oLength = 0;
        return AAX_ERROR_UNIMPLEMENTED;
    }
    return mIPageTableV2->GetParameterNameVariationAtIndex (iParameterIdentifier, iIndex, &oNameVariation,
                                                            &oLength);
}

AAX_Result AAX_VPageTable::GetParameterNameVariationOfLength (AAX_CParamID iParameterIdentifier,
                                                              int32_t iLength,
                                                              AAX_IString& oNameVariation) const
{
    if (!mIPageTableV2)
        return AAX_ERROR_UNIMPLEMENTED;
    return mIPageTableV2->GetParameterNameVariationOfLength (iParameterIdentifier, iLength, &oNameVariation);
}

AAX_Result AAX_VPageTable::ClearParameterNameVariations()
{
    if (!mIPageTableV2)
        return AAX_ERROR_UNIMPLEMENTED;
    return mIPageTableV2->ClearParameterNameVariations();
}

AAX_Result AAX_VPageTable::ClearNameVariationsForParameter (AAX_CParamID iParameterIdentifier)
{
    if (!mIPageTableV2)
        return AAX_ERROR_UNIMPLEMENTED;
    return mIPageTableV2->ClearNameVariationsForParameter (iParameterIdentifier);
}

AAX_Result AAX_VPageTable::SetParameterNameVariation (AAX_CParamID iParameterIdentifier,
                                                      const AAX_IString& iNameVariation, int32_t iLength)
{
    if (!mIPageTableV2)
        return AAX_ERROR_UNIMPLEMENTED;
    return mIPageTableV2->SetParameterNameVariation (iParameterIdentifier, iNameVariation, iLength);
}
