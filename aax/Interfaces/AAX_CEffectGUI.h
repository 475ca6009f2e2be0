#pragma once
#include "AAX.h"
#include "AAX_CString.h"
#include "AAX_GUITypes.h"
#include "AAX_IController.h"
#include "AAX_IEffectGUI.h"
#include "AAX_IEffectParameters.h"
#include "AAX_ITransport.h"
#include "AAX_IViewContainer.h"

class AAX_VController;
class AAX_VTransport;
class AAX_VViewContainer;

/** The base of an instance's GUI object: obtains the instance's effect parameters, controller and
    transport from the host, holds the host's view while one is set and passes parameter updates
    on. A derived class supplies the window through the three view operations. */
class AAX_CEffectGUI : public AAX_IEffectGUI
{
public:
    AAX_CEffectGUI();
    ~AAX_CEffectGUI() override;

    AAX_CEffectGUI (const AAX_CEffectGUI&) = delete;
    AAX_CEffectGUI& operator= (const AAX_CEffectGUI&) = delete;

    AAX_Result Initialize (IACFUnknown* iController) override;
    AAX_Result Uninitialize() override;
    AAX_Result NotificationReceived (AAX_CTypeID inNotificationType, const void* inNotificationData,
                                     uint32_t inNotificationDataSize) override;
    AAX_Result SetViewContainer (IACFUnknown* iViewContainer) override;
    AAX_Result GetViewSize (AAX_Point* oViewSize) const override;
    AAX_Result Draw (AAX_Rect* iDrawRect) override;
    AAX_Result TimerWakeup() override;
    AAX_Result ParameterUpdated (AAX_CParamID inParamID) override;
    AAX_Result GetCustomLabel (AAX_EPlugInStrings iSelector, AAX_IString* oString) const override;
    AAX_Result SetControlHighlightInfo (AAX_CParamID iParameterID, AAX_CBoolean iIsHighlighted,
                                        AAX_EHighlightColor iColor) override;

    AAX_IEffectParameters* GetEffectParameters();
    const AAX_IEffectParameters* GetEffectParameters() const;
    AAX_IViewContainer* GetViewContainer();
    const AAX_IViewContainer* GetViewContainer() const;
    // The kind of native view and the view itself; 0 and null without a view container.
    int32_t GetViewContainerType();
    void* GetViewContainerPtr();

protected:
    /** Creates the window's contents. */
    virtual void CreateViewContents() = 0;
    /** Places the contents into the host's view (GetViewContainer). */
    virtual void CreateViewContainer() = 0;
    /** Takes the contents out of the host's view. */
    virtual void DeleteViewContainer() = 0;
    /** Tells ParameterUpdated of every parameter, in index order. */
    virtual void UpdateAllParameters();

private:
    AAX_Result InitializeUnguarded (IACFUnknown* iController);
    AAX_Result SetViewContainerUnguarded (IACFUnknown* iViewContainer);
    void ReleaseHostObjects();

    AAX_VController* mController;
    AAX_IEffectParameters* mEffectParameters;
    AAX_VViewContainer* mViewContainer;
    AAX_VTransport* mTransport;
};
