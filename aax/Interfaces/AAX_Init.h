// What the exported entry points do. Each ACF entry point calls its AAX twin inside an exception
// barrier.
#pragma once

#include "AAX.h"
#include "ACF/IACFComponentDefinition.h"
#include "ACF/IACFPluginDefinition.h"

class AAX_ICollection;

AAX_Result AAXStartup (IACFUnknown* pUnkHost);
AAX_Result AAXRegisterPlugin (IACFUnknown* pUnkHost, IACFPluginDefinition** ppPluginDefinition);
AAX_Result AAXRegisterComponent (IACFUnknown* pUnkHost, acfUInt32 index,
                                 IACFComponentDefinition** ppComponentDefinition);
AAX_Result AAXGetClassFactory (IACFUnknown* pUnkHost, const acfCLSID& clsid, const acfIID& iid, void** ppOut);
AAX_Result AAXCanUnloadNow (IACFUnknown* pUnkHost);
AAX_Result AAXShutdown (IACFUnknown* pUnkHost);
AAX_Result AAXGetSDKVersion (acfUInt64* oSDKVersion);

// The plug-in's description routine, provided by the plug-in itself.
AAX_Result GetEffectDescriptions (AAX_ICollection* inCollection);
