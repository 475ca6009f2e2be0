// A host for the AAX binding on a platform that has none: the host unknown with its component
// factory, description services and definition, and every object the factory makes. Which
// interfaces and versions it offers, and which queries fail, is set per test; every call is
// logged; references are counted per object, so a test can prove that the plug-in released
// exactly what it was handed.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "AAX.h"
#include "ACF/IACFUnknown.h"
#include "HostCallLog.h"
#include "HostFeature.h"
#include "HostInjection.h"
#include "HostVersions.h"

namespace kalvo::aaxhost
{
class HostObject;
class HostRoot;

class StandInHost
{
public:
    struct TraceRecord
    {
        int32_t priority;
        std::string message;

        bool operator== (const TraceRecord& other) const
        {
            return priority == other.priority && message == other.message;
        }
    };

    struct AssertionRecord
    {
        std::string file;
        int32_t line;
        std::string note;
        int32_t flags;
    };

    StandInHost();
    ~StandInHost();
    StandInHost (const StandInHost&) = delete;
    StandInHost& operator= (const StandInHost&) = delete;

    // What the host offers; change before the plug-in asks.
    HostVersions& versions() noexcept { return offered; }
    const HostVersions& versions() const noexcept { return offered; }

    // Every later query or creation for iid fails as told, on any object.
    void inject (const acfIID& iid, HostInjection injection);
    void clearInjections();
    HostInjection injectionFor (const acfIID& iid) const;

    // Every later call of the named operation, on any object, runs thrower after being logged:
    // for exceptions that a host lets escape into the plug-in.
    void throwOnOperation (const std::string& operation, std::function<void()> thrower);
    void clearOperationThrowers();
    void runOperationThrower (const std::string& operation) const;

    // The named operation answers result instead of doing its work, on one object ("PropertyMap#2")
    // or on every object of a kind ("PropertyMap"). Honoured by the property-map operations, by
    // the component descriptor's process-procedure registrations and by the page-table
    // controller's CreateTableCopyForEffect (after it has filled the table).
    void overrideResult (const std::string& target, const std::string& operation, int32_t result);
    void clearResultOverrides();
    std::optional<int32_t> resultOverride (const std::string& label, const std::string& operation) const;

    // What the description services answer for a feature; features not set are unknown.
    void setFeature (const acfUID& featureID, HostFeature feature);
    void removeFeature (const acfUID& featureID);
    bool findFeature (const acfUID& featureID, HostFeature& out) const;

    // The host unknown to hand to the entry points. The host keeps it alive; no reference is added.
    IACFUnknown* unknown();
    HostRoot& root() noexcept { return *rootObject; }

    HostCallLog& log() noexcept { return calls; }
    std::vector<TraceRecord> traces() const;
    std::vector<AssertionRecord> assertions() const;
    void addTrace (int32_t priority, const std::string& message);
    void addAssertion (AssertionRecord record);

    // Misuse noticed by the host objects: releases without a reference, calls after the last release.
    std::vector<std::string> faults() const;
    void addFault (const std::string& fault);

    // References the plug-in holds on host objects right now; 0 when it released all it was given.
    int outstandingReferences() const;
    // The objects that still hold references, one per line, for failure messages.
    std::string referenceReport() const;

    // The label of the host object a pointer belongs to: "null", or "<foreign>" for none.
    std::string labelOf (const void* facet) const;
    HostObject* findObject (const std::string& label) const;
    template <class ObjectType>
    ObjectType* find (const std::string& label) const
    {
        return dynamic_cast<ObjectType*> (findObject (label));
    }
    // Labels of every object of one kind, in the order they were made.
    std::vector<std::string> labelsOf (const std::string& kind) const;

    // A new object for a component identifier, or null for one the host does not make.
    HostObject* createComponent (const acfCLSID& clsid);
    // Teaches the factory a further component; replaces an earlier maker for the same identifier.
    using ComponentMaker = std::function<HostObject&(StandInHost&)>;
    void addComponent (const acfCLSID& clsid, ComponentMaker maker);
    // Keeps a new object; the host owns it until the host goes.
    template <class ObjectType, class... Args>
    ObjectType& make (Args&&... args)
    {
        auto object = std::make_unique<ObjectType> (*this, std::forward<Args> (args)...);
        auto& result = *object;
        keep (std::move (object));
        return result;
    }

    // "Kind#n", numbered per kind from 1.
    std::string nextLabel (const std::string& kind);
    // Identifiers the host gives to registered process procedures, from 1 on.
    AAX_CSelector nextProcessProcID();

    // The description services' answer for a feature, shared by every object that offers them.
    AAX_Result acquireFeature (const acfUID& featureID, IACFUnknown** outFeature);

private:
    void keep (std::unique_ptr<HostObject> object);

    HostVersions offered;
    HostCallLog calls;
    mutable std::mutex lock;
    std::vector<std::unique_ptr<HostObject>> objects;
    std::map<std::string, int> labelCounts;
    std::vector<std::pair<acfIID, HostInjection>> injections;
    std::vector<std::pair<acfUID, HostFeature>> features;
    std::map<std::string, std::function<void()>> operationThrowers;
    std::vector<std::pair<acfCLSID, ComponentMaker>> componentMakers;
    std::map<std::pair<std::string, std::string>, int32_t> resultOverrides;
    std::vector<TraceRecord> traceRecords;
    std::vector<AssertionRecord> assertionRecords;
    std::vector<std::string> faultRecords;
    AAX_CSelector lastProcessProcID = 0;
    HostRoot* rootObject = nullptr;
};
} // namespace kalvo::aaxhost
