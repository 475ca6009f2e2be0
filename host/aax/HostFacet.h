// One interface of a stand-in host object, at one version. Each version the host hands out is its
// own facet, so the log tells through which version pointer the plug-in called; all facets of an
// object share the object's reference count.
#pragma once

#include "HostObject.h"

namespace kalvo::aaxhost
{
template <class Interface>
class HostFacet : public Interface
{
public:
    HostFacet (HostObject& ownerToUse, int versionToUse) : owner (ownerToUse), version (versionToUse)
    {
        owner.addFacet (this);
    }
    HostFacet (const HostFacet&) = delete;
    HostFacet& operator= (const HostFacet&) = delete;
    virtual ~HostFacet() = default;

    ACFRESULT QueryInterface (const acfIID& iid, void** ppOut) override
    {
        return owner.queryInterface (version, iid, ppOut);
    }
    acfUInt32 AddRef() override { return owner.addRef (version); }
    acfUInt32 Release() override { return owner.release (version); }

protected:
    HostObject& owner;
    const int version;
};
} // namespace kalvo::aaxhost
