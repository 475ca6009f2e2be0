// The GUI object of one module instance, driven as a host drives it: created through the
// registered factory, initialised with a host unknown that hands out the instance's effect
// parameters, given a view container (a null native view when headless, or a window of the
// display's own under X11) and taken it away again.
#pragma once

#include <cstdint>

#include "AAX_IACFEffectGUI.h"
#include "RegisteredPlugIn.h"

namespace kalvo::aaxhost
{
class HostInstance;
class HostViewContainer;
class ModuleInstance;
class StandInHost;

class ModuleGui
{
public:
    ModuleGui (StandInHost& host, const RegisteredPlugIn& plugIn, ModuleInstance& instance);
    // Uninitializes and releases the object if that has not happened yet.
    ~ModuleGui();
    ModuleGui (const ModuleGui&) = delete;
    ModuleGui& operator= (const ModuleGui&) = delete;

    bool exists() const noexcept { return gui != nullptr; }
    AAX_IACFEffectGUI& object() { return *gui; }

    AAX_Result initialize();
    // A new view container of the given type around nativeView, handed to SetViewContainer.
    AAX_Result attach (int32_t viewType, void* nativeView);
    // SetViewContainer(null).
    AAX_Result detach();
    HostViewContainer* viewContainer() const noexcept { return container; }

    AAX_Result uninitialize();
    uint32_t release();

private:
    StandInHost& host;
    HostInstance& guiHost;
    AAX_IACFEffectGUI* gui = nullptr;
    HostViewContainer* container = nullptr;
    bool initialized = false;
};
} // namespace kalvo::aaxhost
