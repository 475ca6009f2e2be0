#include "RegisteredPlugIn.h"

#include "HostEffectDescriptor.h"
#include "StandInHost.h"

namespace kalvo::aaxhost
{
RegisteredPlugIn RegisteredPlugIn::read (const StandInHost& host, std::string& error)
{
    RegisteredPlugIn plugIn;
    error.clear();
    const auto* effect = host.find<HostEffectDescriptor> ("EffectDescriptor#1");
    const auto* component = host.find<HostComponentDescriptor> ("ComponentDescriptor#1");
    if (effect == nullptr || component == nullptr)
    {
        error = "no effect with a component was described";
        return plugIn;
    }
    // The module hands out its factories as plain addresses; a factory returns the object as its
    // first (host-facing) interface, whose start is the object's unknown.
    plugIn.createEffectParameters =
        reinterpret_cast<Factory> (effect->procPointer (kAAX_ProcPtrID_Create_EffectParameters));
    plugIn.createEffectGUI =
        reinterpret_cast<Factory> (effect->procPointer (kAAX_ProcPtrID_Create_EffectGUI));
    plugIn.processProc = component->nativeProcessProc();
    plugIn.fields = component->fields();
    if (plugIn.createEffectParameters == nullptr)
        error = "no effect-parameters factory";
    else if (plugIn.createEffectGUI == nullptr)
        error = "no GUI factory";
    else if (plugIn.processProc == nullptr)
        error = "no native process procedure";
    return plugIn;
}

void* RegisteredPlugIn::create (Factory factory, const acfIID& iid)
{
    IACFUnknown* object = factory != nullptr ? factory() : nullptr;
    if (object == nullptr)
        return nullptr;
    void* answer = nullptr;
    if (object->QueryInterface (iid, &answer) == ACF_OK && answer != nullptr)
        return answer;
    object->AddRef();
    object->Release();
    return nullptr;
}
} // namespace kalvo::aaxhost
