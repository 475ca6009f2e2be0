// How the proxies obtain host interfaces. An interface that the host does not give stays null;
// anything the host hands back together with a failure is released at once.
#pragma once

#include "ACF/ACFPtr.h"
#include "ACF/ACFUIDs.h"

namespace AAX
{
// Queries source for iid; result not needed beyond success.
template <class Interface>
void QueryHostInterface (IACFUnknown* source, const acfIID& iid, ACFPtr<Interface>& out)
{
    if (source == nullptr)
    {
        out.reset();
        return;
    }
    if (ACFFAILED (out.query (source, iid)))
        out.reset();
}

// Creates component clsid as interface iid through the host's factory. A host without a factory
// gives nothing; one that answers the factory query with success and no factory is broken, which
// is thrown as the integer ACF_E_POINTER.
template <class Interface>
void CreateHostInterface (IACFUnknown* host, const acfCLSID& clsid, const acfIID& iid, ACFPtr<Interface>& out)
{
    out.reset();
    if (host == nullptr)
        return;

    ACFPtr<IACFComponentFactory> factory;
    if (ACFFAILED (factory.query (host, IID_IACFComponentFactory)))
        return;
    if (!factory)
        throw static_cast<int32_t> (ACF_E_POINTER);
    if (ACFFAILED (out.create (factory.get(), clsid, iid)))
        out.reset();
}
} // namespace AAX
