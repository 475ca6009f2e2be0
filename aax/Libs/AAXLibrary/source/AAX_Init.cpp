#include "AAX_Init.h"

#include <exception>

#include "AAX_CHostServices.h"
#include "AAX_CheckedResult.h"
#include "AAX_Errors.h"
#include "AAX_Exception.h"
#include "AAX_UIDs.h"
#include "AAX_VCollection.h"
#include "AAX_Version.h"
#include "CACFUnknown.h"

AAX_Result AAXStartup (IACFUnknown* pUnkHost)
{
    AAX_CHostServices::Set (pUnkHost);
    return AAX_SUCCESS;
}

namespace
{
// Describes the plug-in into the host's collection and hands back the host's definition of it.
// Throws on failure; the collection and everything made through it are gone when this returns.
void DescribePlugin (IACFUnknown* pUnkHost, IACFPluginDefinition** ppPluginDefinition)
{
    AAX_VCollection collection (pUnkHost);
    AAX_CheckedResult result (GetEffectDescriptions (&collection));

    *ppPluginDefinition = nullptr;
    IACFUnknown* const hostCollection = collection.GetIUnknown();
    if (hostCollection == nullptr)
    {
        result = AAX_ERROR_NULL_OBJECT;
        return;
    }

    void* definition = nullptr;
    const ACFRESULT queried = hostCollection->QueryInterface (IID_IACFPluginDefinition, &definition);
    if (ACFFAILED (queried))
    {
        // Whatever came back with the failure is not ours to keep.
        if (definition != nullptr)
            static_cast<IACFUnknown*> (definition)->Release();
        result = AAX_ERROR_NULL_OBJECT;
        return;
    }
    *ppPluginDefinition = static_cast<IACFPluginDefinition*> (definition);
}
} // namespace

AAX_Result AAXRegisterPlugin (IACFUnknown* pUnkHost, IACFPluginDefinition** ppPluginDefinition)
{
    if (ppPluginDefinition == nullptr)
        return AAX_ERROR_NULL_OBJECT;
    // A failed registration leaves no stale pointer for the host to read.
    *ppPluginDefinition = nullptr;

    try
    {
        DescribePlugin (pUnkHost, ppPluginDefinition);
        return AAX_SUCCESS;
    }
    catch (const AAX::Exception::ResultError& error)
    {
        AAX_CHostServices::Trace (AAX_eTracePriorityHost_Critical, "AAXRegisterPlugin exception caught: %s",
                                  error.What().c_str());
        return error.Result();
    }
    catch (const AAX::Exception::Any& error)
    {
        AAX_CHostServices::Trace (AAX_eTracePriorityHost_Critical, "AAXRegisterPlugin exception caught: %s",
                                  error.What().c_str());
        return AAX_ERROR_UNKNOWN_EXCEPTION;
    }
    catch (const std::exception& error)
    {
        AAX_CHostServices::Trace (AAX_eTracePriorityHost_Critical, "AAXRegisterPlugin exception caught: %s",
                                  error.what());
        return AAX_ERROR_UNKNOWN_EXCEPTION;
    }
    catch (...)
    {
        AAX_CHostServices::Trace (AAX_eTracePriorityHost_Critical,
                                  "AAXRegisterPlugin exception caught: unknown");
        return AAX_ERROR_UNKNOWN_EXCEPTION;
    }
}

AAX_Result AAXRegisterComponent (IACFUnknown*, acfUInt32, IACFComponentDefinition** ppComponentDefinition)
{
    if (ppComponentDefinition == nullptr)
        return AAX_ERROR_NULL_OBJECT;
    *ppComponentDefinition = nullptr;
    return AAX_SUCCESS;
}

AAX_Result AAXGetClassFactory (IACFUnknown*, const acfCLSID&, const acfIID&, void** ppOut)
{
    // The plug-in's objects reach the host only through the factory procedures it registers.
    if (ppOut == nullptr)
        return AAX_ERROR_NULL_OBJECT;
    *ppOut = nullptr;
    return AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAXCanUnloadNow (IACFUnknown*)
{
    return static_cast<AAX_Result> (CACFUnknown::GetActiveObjectCount());
}

AAX_Result AAXShutdown (IACFUnknown*)
{
    AAX_CHostServices::Set (nullptr);
    return AAX_SUCCESS;
}

AAX_Result AAXGetSDKVersion (acfUInt64* oSDKVersion)
{
    if (oSDKVersion == nullptr)
        return AAX_ERROR_NULL_OBJECT;
    *oSDKVersion =
        (static_cast<acfUInt64> (AAX_SDK_VERSION) << 32) | static_cast<acfUInt64> (AAX_SDK_CURRENT_REVISION);
    return AAX_SUCCESS;
}
