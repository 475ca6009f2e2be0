// A plug-in module loaded the way a host loads it: opened with the dynamic loader and driven only
// through its seven exported entry points.
#pragma once

#include <string>

#include "ACF/IACFComponentDefinition.h"
#include "ACF/IACFPluginDefinition.h"

namespace kalvo::aaxhost
{
class PluginModule
{
public:
    using StartupProc = ACFRESULT (*) (IACFUnknown*);
    using RegisterPluginProc = ACFRESULT (*) (IACFUnknown*, IACFPluginDefinition**);
    using RegisterComponentProc = ACFRESULT (*) (IACFUnknown*, acfUInt32, IACFComponentDefinition**);
    using GetClassFactoryProc = ACFRESULT (*) (IACFUnknown*, const acfCLSID&, const acfIID&, void**);
    using CanUnloadNowProc = ACFRESULT (*) (IACFUnknown*);
    using ShutdownProc = ACFRESULT (*) (IACFUnknown*);
    using GetSDKVersionProc = ACFRESULT (*) (acfUInt64*);

    // The names a host looks up, in the order the table below holds them.
    static const char* const entryPointNames[7];

    explicit PluginModule (const std::string& path);
    ~PluginModule();
    PluginModule (const PluginModule&) = delete;
    PluginModule& operator= (const PluginModule&) = delete;

    // True when the module opened and exports all seven entry points.
    bool isLoaded() const noexcept { return handle != nullptr && error.empty(); }
    const std::string& loadError() const noexcept { return error; }

    // Any symbol the module exports, or null: for checking what it does not export.
    void* findSymbol (const char* name) const;

    StartupProc startup = nullptr;
    RegisterPluginProc registerPlugin = nullptr;
    RegisterComponentProc registerComponent = nullptr;
    GetClassFactoryProc getClassFactory = nullptr;
    CanUnloadNowProc canUnloadNow = nullptr;
    ShutdownProc shutdown = nullptr;
    GetSDKVersionProc getSDKVersion = nullptr;

private:
    void* handle = nullptr;
    std::string error;
};
} // namespace kalvo::aaxhost
