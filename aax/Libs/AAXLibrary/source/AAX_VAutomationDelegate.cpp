#include "AAX_VAutomationDelegate.h"

#include "AAX_Errors.h"
#include "AAX_UIDs.h"

AAX_VAutomationDelegate::AAX_VAutomationDelegate (IACFUnknown* pUnknown)
{
    // A version the host lacks stays null; whatever comes back with a failed query is released.
    if (pUnknown != nullptr &&
        ACFFAILED (mIAutomationDelegate.query (pUnknown, IID_IAAXAutomationDelegateV1)))
        mIAutomationDelegate.reset();
}

AAX_VAutomationDelegate::~AAX_VAutomationDelegate()
{
    mIAutomationDelegate.reset();
}

AAX_Result AAX_VAutomationDelegate::RegisterParameter (AAX_CParamID iParameterID)
{
    if (!mIAutomationDelegate)
        return AAX_ERROR_NULL_OBJECT;
    return mIAutomationDelegate->RegisterParameter (iParameterID);
}

AAX_Result AAX_VAutomationDelegate::UnregisterParameter (AAX_CParamID iParameterID)
{
    if (!mIAutomationDelegate)
        return AAX_ERROR_NULL_OBJECT;
    return mIAutomationDelegate->UnregisterParameter (iParameterID);
}

AAX_Result AAX_VAutomationDelegate::PostSetValueRequest (AAX_CParamID iParameterID,
                                                         double normalizedValue) const
{
    if (!mIAutomationDelegate)
        return AAX_ERROR_NULL_OBJECT;
    return mIAutomationDelegate->PostSetValueRequest (iParameterID, normalizedValue);
}

AAX_Result AAX_VAutomationDelegate::PostCurrentValue (AAX_CParamID iParameterID, double normalizedValue) const
{
    if (!mIAutomationDelegate)
        return AAX_ERROR_NULL_OBJECT;
    return mIAutomationDelegate->PostCurrentValue (iParameterID, normalizedValue);
}

AAX_Result AAX_VAutomationDelegate::PostTouchRequest (AAX_CParamID iParameterID)
{
    if (!mIAutomationDelegate)
        return AAX_ERROR_NULL_OBJECT;
    return mIAutomationDelegate->PostTouchRequest (iParameterID);
}

AAX_Result AAX_VAutomationDelegate::PostReleaseRequest (AAX_CParamID iParameterID)
{
    if (!mIAutomationDelegate)
        return AAX_ERROR_NULL_OBJECT;
    return mIAutomationDelegate->PostReleaseRequest (iParameterID);
}

AAX_Result AAX_VAutomationDelegate::GetTouchState (AAX_CParamID iParameterID, AAX_CBoolean* outTouched)
{
    if (!mIAutomationDelegate)
        return AAX_ERROR_NULL_OBJECT;
    return mIAutomationDelegate->GetTouchState (iParameterID, outTouched);
}
