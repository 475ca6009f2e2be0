#include "AAX_VViewContainer.h"

#include "AAX_Errors.h"
#include "AAX_UIDs.h"

AAX_VViewContainer::AAX_VViewContainer (IACFUnknown* pUnknown)
{
    if (pUnknown == nullptr)
        return;
    if (ACFFAILED (mIViewContainer.query (pUnknown, IID_IAAXViewContainerV1)))
        mIViewContainer.reset();
    if (ACFFAILED (mIViewContainerV2.query (pUnknown, IID_IAAXViewContainerV2)))
        mIViewContainerV2.reset();
}

AAX_VViewContainer::~AAX_VViewContainer()
{
    mIViewContainerV2.reset();
    mIViewContainer.reset();
}

int32_t AAX_VViewContainer::GetType()
{
    if (!mIViewContainer)
        return AAX_eViewContainer_Type_NULL;
    return mIViewContainer->GetType();
}

void* AAX_VViewContainer::GetPtr()
{
    if (!mIViewContainer)
        return nullptr;
    return mIViewContainer->GetPtr();
}

AAX_Result AAX_VViewContainer::GetModifiers (uint32_t* outModifiers)
{
    if (!mIViewContainer)
    {
        if (outModifiers != nullptr)
            *outModifiers = 0;
        return AAX_ERROR_UNIMPLEMENTED;
    }
    return mIViewContainer->GetModifiers (outModifiers);
}

AAX_Result AAX_VViewContainer::SetViewSize (AAX_Point& inSize)
{
    if (!mIViewContainer)
        return AAX_SUCCESS;
    return mIViewContainer->SetViewSize (inSize);
}

AAX_Result AAX_VViewContainer::HandleParameterMouseDown (AAX_CParamID inParamID, uint32_t inModifiers)
{
    if (!mIViewContainer)
        return AAX_ERROR_UNIMPLEMENTED;
    return mIViewContainer->HandleParameterMouseDown (inParamID, inModifiers);
}

AAX_Result AAX_VViewContainer::HandleParameterMouseDrag (AAX_CParamID inParamID, uint32_t inModifiers)
{
    if (!mIViewContainer)
        return AAX_ERROR_UNIMPLEMENTED;
    return mIViewContainer->HandleParameterMouseDrag (inParamID, inModifiers);
}

AAX_Result AAX_VViewContainer::HandleParameterMouseUp (AAX_CParamID inParamID, uint32_t inModifiers)
{
    if (!mIViewContainer)
        return AAX_ERROR_UNIMPLEMENTED;
    return mIViewContainer->HandleParameterMouseUp (inParamID, inModifiers);
}

AAX_Result AAX_VViewContainer::HandleMultipleParametersMouseDown (const AAX_CParamID* inParamIDs,
                                                                  uint32_t inNumOfParams,
                                                                  uint32_t inModifiers)
{
    if (!mIViewContainerV2)
        return AAX_ERROR_UNIMPLEMENTED;
    return mIViewContainerV2->HandleMultipleParametersMouseDown (inParamIDs, inNumOfParams, inModifiers);
}

AAX_Result AAX_VViewContainer::HandleMultipleParametersMouseDrag (const AAX_CParamID* inParamIDs,
                                                                  uint32_t inNumOfParams,
                                                                  uint32_t inModifiers)
{
    if (!mIViewContainerV2)
        return AAX_ERROR_UNIMPLEMENTED;
    return mIViewContainerV2->HandleMultipleParametersMouseDrag (inParamIDs, inNumOfParams, inModifiers);
}

AAX_Result AAX_VViewContainer::HandleMultipleParametersMouseUp (const AAX_CParamID* inParamIDs,
                                                                uint32_t inNumOfParams, uint32_t inModifiers)
{
    if (!mIViewContainerV2)
        return AAX_ERROR_UNIMPLEMENTED;
    return mIViewContainerV2->HandleMultipleParametersMouseUp (inParamIDs, inNumOfParams, inModifiers);
}
