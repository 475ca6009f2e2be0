#include "HostObject.h"

#include <algorithm>
#include <stdexcept>

#include "InterfaceNames.h"
#include "StandInHost.h"

namespace kalvo::aaxhost
{
namespace
{
// A foreign object may come from a module built without type information, which the sanitizer's
// vptr check takes for no object at all; the call through its interface is sound.
__attribute__ ((no_sanitize ("vptr"))) void addForeignReference (IACFUnknown& foreign)
{
    foreign.AddRef();
}
} // namespace

HostObject::HostObject (StandInHost& hostToUse, const std::string& kind)
    : host (hostToUse), name (hostToUse.nextLabel (kind))
{
}

HostObject::~HostObject() = default;

bool HostObject::isFacet (const void* pointer) const
{
    return std::find (facets.begin(), facets.end(), pointer) != facets.end();
}

ACFRESULT HostObject::queryInterface (int version, const acfIID& iid, void** ppOut)
{
    HostCall call;
    call.kind = HostCall::Kind::Query;
    call.object = name;
    call.version = version;
    call.operation = "QueryInterface";
    call.args = { InterfaceName (iid) };
    host.log().add (std::move (call));
    if (released())
        host.addFault (name + ": QueryInterface after the final release");
    return answer (iid, ppOut, true);
}

ACFRESULT HostObject::answer (const acfIID& iid, void** ppOut, bool applyInjection)
{
    if (ppOut == nullptr)
        return ACF_E_POINTER;

    // A foreign object (one the host was given to hand out) carries its own reference count.
    IACFUnknown* foreign = foreignFor (iid);
    const auto handOut = [&] (void* facet)
    {
        *ppOut = facet;
        if (foreign != nullptr)
            addForeignReference (*foreign);
        else
            addRef (0);
    };
    const auto facetOrForeign = [&]
    { return foreign != nullptr ? static_cast<void*> (foreign) : facetFor (iid); };

    const HostInjection injection = applyInjection ? host.injectionFor (iid) : HostInjection::None;
    switch (injection)
    {
        case HostInjection::Fail:
            *ppOut = nullptr;
            return ACF_E_NOINTERFACE;
        case HostInjection::SucceedWithNull:
            *ppOut = nullptr;
            return ACF_OK;
        case HostInjection::FailWithObject:
        {
            void* facet = facetOrForeign();
            handOut (facet != nullptr ? facet : static_cast<void*> (identity()));
            return ACF_E_NOINTERFACE;
        }
        case HostInjection::SucceedWithCode:
        {
            void* facet = facetOrForeign();
            if (facet == nullptr)
            {
                *ppOut = nullptr;
                return ACF_E_NOINTERFACE;
            }
            handOut (facet);
            return 1;
        }
        case HostInjection::ThrowStd:
            throw std::runtime_error ("stand-in host: injected failure for " + InterfaceName (iid));
        case HostInjection::ThrowInteger:
            throw 1234;
        case HostInjection::None:
            break;
    }

    void* facet = facetOrForeign();
    if (facet == nullptr)
    {
        *ppOut = nullptr;
        return ACF_E_NOINTERFACE;
    }
    handOut (facet);
    return ACF_OK;
}

acfUInt32 HostObject::addRef (int version)
{
    everReferenced = true;
    const int count = ++refs;
    if (version != 0)
    {
        HostCall call;
        call.kind = HostCall::Kind::RefCount;
        call.object = name;
        call.version = version;
        call.operation = "AddRef";
        host.log().add (std::move (call));
    }
    return static_cast<acfUInt32> (count);
}

acfUInt32 HostObject::release (int version)
{
    HostCall call;
    call.kind = HostCall::Kind::RefCount;
    call.object = name;
    call.version = version;
    call.operation = "Release";
    host.log().add (std::move (call));

    int current = refs.load();
    do
    {
        if (current <= 0)
        {
            host.addFault (name + ": Release without a reference");
            return 0;
        }
    } while (!refs.compare_exchange_weak (current, current - 1));
    return static_cast<acfUInt32> (current - 1);
}

std::optional<int32_t> HostObject::overriddenResult (const char* operation) const
{
    return host.resultOverride (name, operation);
}

void HostObject::record (int version, const char* operation, std::vector<std::string> args,
                         HostCall::Kind kind)
{
    if (released())
        host.addFault (name + ": " + operation + " after the final release");
    HostCall call;
    call.kind = kind;
    call.object = name;
    call.version = version;
    call.operation = operation;
    call.args = std::move (args);
    host.log().add (std::move (call));
    host.runOperationThrower (operation);
}
} // namespace kalvo::aaxhost
