// The seven entry points a host looks up in the plug-in module. Compiled into the module itself
// (never into the layer's library), so that they are the module's only exported names. Nothing
// thrown inside may cross into the host: any exception becomes ACF_E_UNEXPECTED.
#include "AAX_Init.h"

#if defined(__GNUC__)
#define AAX_EXPORT extern "C" __attribute__ ((visibility ("default")))
#else
#define AAX_EXPORT extern "C"
#endif

AAX_EXPORT ACFRESULT ACFStartup (IACFUnknown* pUnkHost);
AAX_EXPORT ACFRESULT ACFRegisterPlugin (IACFUnknown* pUnkHost, IACFPluginDefinition** ppPluginDefinition);
AAX_EXPORT ACFRESULT ACFRegisterComponent (IACFUnknown* pUnkHost, acfUInt32 index,
                                           IACFComponentDefinition** ppComponentDefinition);
AAX_EXPORT ACFRESULT ACFGetClassFactory (IACFUnknown* pUnkHost, const acfCLSID& clsid, const acfIID& iid,
                                         void** ppOut);
AAX_EXPORT ACFRESULT ACFCanUnloadNow (IACFUnknown* pUnkHost);
AAX_EXPORT ACFRESULT ACFShutdown (IACFUnknown* pUnkHost);
AAX_EXPORT ACFRESULT ACFGetSDKVersion (acfUInt64* oSDKVersion);

AAX_EXPORT ACFRESULT ACFStartup (IACFUnknown* pUnkHost)
{
    try
    {
        return AAXStartup (pUnkHost);
    }
    catch (...)
    {
        return ACF_E_UNEXPECTED;
    }
}

AAX_EXPORT ACFRESULT ACFRegisterPlugin (IACFUnknown* pUnkHost, IACFPluginDefinition** ppPluginDefinition)
{
    try
    {
        return AAXRegisterPlugin (pUnkHost, ppPluginDefinition);
    }
    catch (...)
    {
        return ACF_E_UNEXPECTED;
    }
}

AAX_EXPORT ACFRESULT ACFRegisterComponent (IACFUnknown* pUnkHost, acfUInt32 index,
                                           IACFComponentDefinition** ppComponentDefinition)
{
    try
    {
        return AAXRegisterComponent (pUnkHost, index, ppComponentDefinition);
    }
    catch (...)
    {
        return ACF_E_UNEXPECTED;
    }
}

AAX_EXPORT ACFRESULT ACFGetClassFactory (IACFUnknown* pUnkHost, const acfCLSID& clsid, const acfIID& iid,
                                         void** ppOut)
{
    try
    {
        return AAXGetClassFactory (pUnkHost, clsid, iid, ppOut);
    }
    catch (...)
    {
        return ACF_E_UNEXPECTED;
    }
}

AAX_EXPORT ACFRESULT ACFCanUnloadNow (IACFUnknown* pUnkHost)
{
    try
    {
        return AAXCanUnloadNow (pUnkHost);
    }
    catch (...)
    {
        return ACF_E_UNEXPECTED;
    }
}

AAX_EXPORT ACFRESULT ACFShutdown (IACFUnknown* pUnkHost)
{
    try
    {
        return AAXShutdown (pUnkHost);
    }
    catch (...)
    {
        return ACF_E_UNEXPECTED;
    }
}

AAX_EXPORT ACFRESULT ACFGetSDKVersion (acfUInt64* oSDKVersion)
{
    try
    {
        return AAXGetSDKVersion (oSDKVersion);
    }
    catch (...)
    {
        return ACF_E_UNEXPECTED;
    }
}
