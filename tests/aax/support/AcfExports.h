// The module's entry points, as the test binary (which compiles them in) calls them.
#pragma once

#include "ACF/IACFComponentDefinition.h"
#include "ACF/IACFPluginDefinition.h"

extern "C"
{
    ACFRESULT ACFStartup (IACFUnknown* pUnkHost);
    ACFRESULT ACFRegisterPlugin (IACFUnknown* pUnkHost, IACFPluginDefinition** ppPluginDefinition);
    ACFRESULT ACFRegisterComponent (IACFUnknown* pUnkHost, acfUInt32 index,
                                    IACFComponentDefinition** ppComponentDefinition);
    ACFRESULT ACFGetClassFactory (IACFUnknown* pUnkHost, const acfCLSID& clsid, const acfIID& iid,
                                  void** ppOut);
    ACFRESULT ACFCanUnloadNow (IACFUnknown* pUnkHost);
    ACFRESULT ACFShutdown (IACFUnknown* pUnkHost);
    ACFRESULT ACFGetSDKVersion (acfUInt64* oSDKVersion);
}
