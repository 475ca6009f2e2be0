#include "PluginModule.h"

#include <dlfcn.h>

namespace kalvo::aaxhost
{
namespace
{
template <class Proc>
void Resolve (void* handle, const char* name, Proc& proc, std::string& error)
{
    void* symbol = dlsym (handle, name);
    if (symbol == nullptr)
    {
        error += std::string (error.empty() ? "" : "; ") + "missing entry point " + name;
        return;
    }
    // The loader hands out code addresses as data pointers.
    proc = reinterpret_cast<Proc> (symbol);
}
} // namespace

const char* const PluginModule::entryPointNames[7] = { "ACFStartup",           "ACFRegisterPlugin",
                                                       "ACFRegisterComponent", "ACFGetClassFactory",
                                                       "ACFCanUnloadNow",      "ACFShutdown",
                                                       "ACFGetSDKVersion" };

PluginModule::PluginModule (const std::string& path)
{
    handle = dlopen (path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr)
    {
        const char* reason = dlerror();
        error = reason != nullptr ? reason : "cannot open " + path;
        return;
    }
    Resolve (handle, entryPointNames[0], startup, error);
    Resolve (handle, entryPointNames[1], registerPlugin, error);
    Resolve (handle, entryPointNames[2], registerComponent, error);
    Resolve (handle, entryPointNames[3], getClassFactory, error);
    Resolve (handle, entryPointNames[4], canUnloadNow, error);
    Resolve (handle, entryPointNames[5], shutdown, error);
    Resolve (handle, entryPointNames[6], getSDKVersion, error);
}

PluginModule::~PluginModule()
{
    if (handle != nullptr)
        dlclose (handle);
}

void* PluginModule::findSymbol (const char* name) const
{
    return handle != nullptr ? dlsym (handle, name) : nullptr;
}
} // namespace kalvo::aaxhost
