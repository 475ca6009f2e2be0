#include "AAX_CEffectGUI.h"

#include "AAX_Errors.h"
#include "AAX_UIDs.h"
#include "AAX_VController.h"
#include "AAX_VTransport.h"
#include "AAX_VViewContainer.h"

#include <memory>

AAX_CEffectGUI::AAX_CEffectGUI()
    : mController (nullptr), mEffectParameters (nullptr), mViewContainer (nullptr), mTransport (nullptr)
{
}

AAX_CEffectGUI::~AAX_CEffectGUI()
{
    // Uninitialize would reach the derived class's view operations, which are gone by now: only
    // what this class holds is given back here.
    ReleaseHostObjects();
    delete mViewContainer;
    mViewContainer = nullptr;
}

void AAX_CEffectGUI::ReleaseHostObjects()
{
    if (mEffectParameters != nullptr)
    {
        auto* effectParameters = mEffectParameters;
        mEffectParameters = nullptr;
        effectParameters->Release();
    }
    delete mController;
    mController = nullptr;
    delete mTransport;
    mTransport = nullptr;
}

AAX_Result AAX_CEffectGUI::Initialize (IACFUnknown* iController)
{
    try
    {
        return InitializeUnguarded (iController);
    }
    catch (...)
    {
        return AAX_ERROR_UNKNOWN_EXCEPTION;
    }
}

AAX_Result AAX_CEffectGUI::InitializeUnguarded (IACFUnknown* iController)
{
    std::unique_ptr<AAX_VController> controller (new AAX_VController (iController));
    mController = controller.release();
    if (iController == nullptr)
        return AAX_ERROR_NOT_INITIALIZED;

    void* answer = nullptr;
    const ACFRESULT queryResult = iController->QueryInterface (IID_IAAXEffectParametersV1, &answer);
    mEffectParameters =
        AAX_IEffectParameters::FromHostAnswer (queryResult, static_cast<IACFUnknown*> (answer));

    std::unique_ptr<AAX_VTransport> transport (new AAX_VTransport (iController));
    mTransport = transport.release();

    CreateViewContents();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectGUI::Uninitialize()
{
    if (mViewContainer != nullptr)
        SetViewContainer (nullptr);
    ReleaseHostObjects();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectGUI::NotificationReceived (AAX_CTypeID, const void*, uint32_t)
{
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectGUI::SetViewContainer (IACFUnknown* iViewContainer)
{
    try
    {
        return SetViewContainerUnguarded (iViewContainer);
    }
    catch (...)
    {
        return AAX_ERROR_UNKNOWN_EXCEPTION;
    }
}

AAX_Result AAX_CEffectGUI::SetViewContainerUnguarded (IACFUnknown* iViewContainer)
{
    if (iViewContainer != nullptr)
    {
        auto* container = new AAX_VViewContainer (iViewContainer);
        delete mViewContainer;
        mViewContainer = container;
        CreateViewContainer();
        UpdateAllParameters();
    }
    else
    {
        DeleteViewContainer();
        delete mViewContainer;
        mViewContainer = nullptr;
    }
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectGUI::GetViewSize (AAX_Point*) const
{
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectGUI::Draw (AAX_Rect*)
{
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectGUI::TimerWakeup()
{
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectGUI::ParameterUpdated (AAX_CParamID)
{
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectGUI::GetCustomLabel (AAX_EPlugInStrings, AAX_IString*) const
{
    return AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_CEffectGUI::SetControlHighlightInfo (AAX_CParamID, AAX_CBoolean, AAX_EHighlightColor)
{
    return AAX_SUCCESS;
}

void AAX_CEffectGUI::UpdateAllParameters()
{
    if (mEffectParameters == nullptr)
        return;
    int32_t count = 0;
    if (mEffectParameters->GetNumberOfParameters (&count) != AAX_SUCCESS || count < 0)
        return;
    for (int32_t index = 0; index < count; ++index)
    {
        AAX_CString identifier;
        if (mEffectParameters->GetParameterIDFromIndex (index, &identifier) == AAX_SUCCESS)
            ParameterUpdated (identifier.Get());
    }
}

AAX_IEffectParameters* AAX_CEffectGUI::GetEffectParameters()
{
    return mEffectParameters;
}

const AAX_IEffectParameters* AAX_CEffectGUI::GetEffectParameters() const
{
    return mEffectParameters;
}

AAX_IViewContainer* AAX_CEffectGUI::GetViewContainer()
{
    return mViewContainer;
}

const AAX_IViewContainer* AAX_CEffectGUI::GetViewContainer() const
{
    return mViewContainer;
}

int32_t AAX_CEffectGUI::GetViewContainerType()
{
    return mViewContainer != nullptr ? mViewContainer->GetType() : 0;
}

void* AAX_CEffectGUI::GetViewContainerPtr()
{
    return mViewContainer != nullptr ? mViewContainer->GetPtr() : nullptr;
}
