// The base of every stand-in host object: a reference count shared by all its facets, the answer
// to interface queries (with the host's failure injection), and call recording. Objects belong to
// the host and stay in memory until the host goes, so a plug-in that releases too often or calls
// after its last release is caught and logged instead of crashing.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ACF/IACFUnknown.h"
#include "HostCall.h"

namespace kalvo::aaxhost
{
class StandInHost;

class HostObject
{
public:
    HostObject (StandInHost& hostToUse, const std::string& kind);
    HostObject (const HostObject&) = delete;
    HostObject& operator= (const HostObject&) = delete;
    virtual ~HostObject();

    const std::string& label() const noexcept { return name; }
    StandInHost& standInHost() const noexcept { return host; }
    int references() const noexcept { return refs.load(); }
    // True once the count has dropped back to 0 after the object was handed out. Objects the host
    // itself keeps (the host unknown) are never released by the plug-in.
    bool released() const noexcept { return !keptByHost && everReferenced.load() && refs.load() == 0; }
    bool isFacet (const void* pointer) const;

    // The facet that answers iid, or null when this object (at the host's current versions) does not.
    virtual void* facetFor (const acfIID& iid) = 0;
    // The object's own unknown.
    virtual IACFUnknown* identity() = 0;
    // An object of someone else's that this object hands out for iid (with a reference added to
    // that object, not to this one), or null.
    virtual IACFUnknown* foreignFor (const acfIID&) { return nullptr; }

    // QueryInterface through one of the object's facets: logged, then answered.
    ACFRESULT queryInterface (int version, const acfIID& iid, void** ppOut);
    acfUInt32 addRef (int version);
    acfUInt32 release (int version);

    // Answers iid with one reference added; with applyInjection, after the host's injected failures.
    ACFRESULT answer (const acfIID& iid, void** ppOut, bool applyInjection);

    void addFacet (const void* facet) { facets.push_back (facet); }

    // The result a test told this object's operation to answer, if any.
    std::optional<int32_t> overriddenResult (const char* operation) const;

    // Logs an operation; notes a fault when the object is called after its final release.
    void record (int version, const char* operation, std::vector<std::string> args = {},
                 HostCall::Kind kind = HostCall::Kind::Operation);

protected:
    StandInHost& host;
    bool keptByHost = false;

private:
    std::string name;
    std::atomic<int> refs{ 0 };
    std::atomic<bool> everReferenced{ false };
    std::vector<const void*> facets;
};
} // namespace kalvo::aaxhost
