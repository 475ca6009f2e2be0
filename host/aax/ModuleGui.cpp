#include "ModuleGui.h"

#include <utility>

#include "AAX_Errors.h"
#include "AAX_UIDs.h"
#include "HostInstance.h"
#include "HostViewContainer.h"
#include "ModuleInstance.h"
#include "StandInHost.h"

namespace kalvo::aaxhost
{
ModuleGui::ModuleGui (StandInHost& hostToUse, const RegisteredPlugIn& plugIn, ModuleInstance& instance)
    : host (hostToUse), guiHost (host.make<HostInstance>())
{
    if (instance.exists())
        guiHost.setEffectParameters (&instance.effect());
    gui = static_cast<AAX_IACFEffectGUI*> (
        RegisteredPlugIn::create (plugIn.createEffectGUI, IID_IAAXEffectGUIV1));
}

ModuleGui::~ModuleGui()
{
    uninitialize();
    release();
}

AAX_Result ModuleGui::initialize()
{
    if (gui == nullptr)
        return AAX_ERROR_NULL_OBJECT;
    const AAX_Result result = gui->Initialize (guiHost.identity());
    initialized = result == AAX_SUCCESS;
    return result;
}

AAX_Result ModuleGui::attach (int32_t viewType, void* nativeView)
{
    if (gui == nullptr)
        return AAX_ERROR_NULL_OBJECT;
    container = &host.make<HostViewContainer> (std::set<int>{ 1, 2 }, viewType, nativeView);
    return gui->SetViewContainer (container->identity());
}

AAX_Result ModuleGui::detach()
{
    return gui != nullptr ? gui->SetViewContainer (nullptr) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result ModuleGui::uninitialize()
{
    if (gui == nullptr || !initialized)
        return AAX_SUCCESS;
    initialized = false;
    return gui->Uninitialize();
}

uint32_t ModuleGui::release()
{
    if (gui == nullptr)
        return 0;
    return std::exchange (gui, nullptr)->Release();
}
} // namespace kalvo::aaxhost
