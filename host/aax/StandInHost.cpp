#include "StandInHost.h"

#include "AAX_Errors.h"
#include "AAX_UIDs.h"
#include "HostCollection.h"
#include "HostComponentDescriptor.h"
#include "HostEffectDescriptor.h"
#include "HostFeatureInfo.h"
#include "HostPropertyMap.h"
#include "HostRoot.h"
#include "HostServicesObject.h"

namespace kalvo::aaxhost
{
StandInHost::StandInHost()
{
    rootObject = &make<HostRoot>();
    addComponent (AAXCompID_HostServices,
                  [] (StandInHost& h) -> HostObject& { return h.make<HostServicesObject>(); });
    addComponent (AAXCompID_AAXCollection,
                  [] (StandInHost& h) -> HostObject& { return h.make<HostCollection>(); });
    addComponent (AAXCompID_AAXEffectDescriptor,
                  [] (StandInHost& h) -> HostObject& { return h.make<HostEffectDescriptor>(); });
    addComponent (AAXCompID_AAXComponentDescriptor,
                  [] (StandInHost& h) -> HostObject& { return h.make<HostComponentDescriptor>(); });
    addComponent (AAXCompID_AAXPropertyMap,
                  [] (StandInHost& h) -> HostObject& { return h.make<HostPropertyMap>(); });
}

StandInHost::~StandInHost() = default;

void StandInHost::inject (const acfIID& iid, HostInjection injection)
{
    const std::lock_guard<std::mutex> guard (lock);
    for (auto& entry : injections)
    {
        if (entry.first == iid)
        {
            entry.second = injection;
            return;
        }
    }
    injections.emplace_back (iid, injection);
}

void StandInHost::clearInjections()
{
    const std::lock_guard<std::mutex> guard (lock);
    injections.clear();
}

HostInjection StandInHost::injectionFor (const acfIID& iid) const
{
    const std::lock_guard<std::mutex> guard (lock);
    for (const auto& entry : injections)
        if (entry.first == iid)
            return entry.second;
    return HostInjection::None;
}

void StandInHost::throwOnOperation (const std::string& operation, std::function<void()> thrower)
{
    const std::lock_guard<std::mutex> guard (lock);
    operationThrowers[operation] = std::move (thrower);
}

void StandInHost::clearOperationThrowers()
{
    const std::lock_guard<std::mutex> guard (lock);
    operationThrowers.clear();
}

void StandInHost::runOperationThrower (const std::string& operation) const
{
    std::function<void()> thrower;
    {
        const std::lock_guard<std::mutex> guard (lock);
        const auto found = operationThrowers.find (operation);
        if (found == operationThrowers.end())
            return;
        thrower = found->second;
    }
    thrower();
}

void StandInHost::overrideResult (const std::string& target, const std::string& operation, int32_t result)
{
    const std::lock_guard<std::mutex> guard (lock);
    resultOverrides[{ target, operation }] = result;
}

void StandInHost::clearResultOverrides()
{
    const std::lock_guard<std::mutex> guard (lock);
    resultOverrides.clear();
}

std::optional<int32_t> StandInHost::resultOverride (const std::string& label,
                                                    const std::string& operation) const
{
    const std::lock_guard<std::mutex> guard (lock);
    auto found = resultOverrides.find ({ label, operation });
    if (found == resultOverrides.end())
        found = resultOverrides.find ({ label.substr (0, label.find ('#')), operation });
    if (found == resultOverrides.end())
        return std::nullopt;
    return found->second;
}

void StandInHost::setFeature (const acfUID& featureID, HostFeature feature)
{
    const std::lock_guard<std::mutex> guard (lock);
    for (auto& entry : features)
    {
        if (entry.first == featureID)
        {
            entry.second = std::move (feature);
            return;
        }
    }
    features.emplace_back (featureID, std::move (feature));
}

void StandInHost::removeFeature (const acfUID& featureID)
{
    const std::lock_guard<std::mutex> guard (lock);
    for (auto it = features.begin(); it != features.end(); ++it)
    {
        if (it->first == featureID)
        {
            features.erase (it);
            return;
        }
    }
}

bool StandInHost::findFeature (const acfUID& featureID, HostFeature& out) const
{
    const std::lock_guard<std::mutex> guard (lock);
    for (const auto& entry : features)
    {
        if (entry.first == featureID)
        {
            out = entry.second;
            return true;
        }
    }
    return false;
}

IACFUnknown* StandInHost::unknown()
{
    return rootObject->identity();
}

std::vector<StandInHost::TraceRecord> StandInHost::traces() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return traceRecords;
}

std::vector<StandInHost::AssertionRecord> StandInHost::assertions() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return assertionRecords;
}

void StandInHost::addTrace (int32_t priority, const std::string& message)
{
    const std::lock_guard<std::mutex> guard (lock);
    traceRecords.push_back ({ priority, message });
}

void StandInHost::addAssertion (AssertionRecord record)
{
    const std::lock_guard<std::mutex> guard (lock);
    assertionRecords.push_back (std::move (record));
}

std::vector<std::string> StandInHost::faults() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return faultRecords;
}

void StandInHost::addFault (const std::string& fault)
{
    const std::lock_guard<std::mutex> guard (lock);
    faultRecords.push_back (fault);
}

int StandInHost::outstandingReferences() const
{
    const std::lock_guard<std::mutex> guard (lock);
    int total = 0;
    for (const auto& object : objects)
        total += object->references();
    return total;
}

std::string StandInHost::referenceReport() const
{
    const std::lock_guard<std::mutex> guard (lock);
    std::string report;
    for (const auto& object : objects)
        if (object->references() != 0)
            report += object->label() + " holds " + std::to_string (object->references()) + " reference(s)\n";
    return report;
}

std::string StandInHost::labelOf (const void* facet) const
{
    if (facet == nullptr)
        return "null";
    const std::lock_guard<std::mutex> guard (lock);
    for (const auto& object : objects)
        if (object->isFacet (facet))
            return object->label();
    return "<foreign>";
}

HostObject* StandInHost::findObject (const std::string& label) const
{
    const std::lock_guard<std::mutex> guard (lock);
    for (const auto& object : objects)
        if (object->label() == label)
            return object.get();
    return nullptr;
}

std::vector<std::string> StandInHost::labelsOf (const std::string& kind) const
{
    const std::lock_guard<std::mutex> guard (lock);
    std::vector<std::string> labels;
    const std::string prefix = kind + "#";
    for (const auto& object : objects)
        if (object->label().compare (0, prefix.size(), prefix) == 0)
            labels.push_back (object->label());
    return labels;
}

HostObject* StandInHost::createComponent (const acfCLSID& clsid)
{
    ComponentMaker maker;
    {
        const std::lock_guard<std::mutex> guard (lock);
        for (const auto& entry : componentMakers)
            if (entry.first == clsid)
                maker = entry.second;
    }
    return maker ? &maker (*this) : nullptr;
}

void StandInHost::addComponent (const acfCLSID& clsid, ComponentMaker maker)
{
    const std::lock_guard<std::mutex> guard (lock);
    for (auto& entry : componentMakers)
    {
        if (entry.first == clsid)
        {
            entry.second = std::move (maker);
            return;
        }
    }
    componentMakers.emplace_back (clsid, std::move (maker));
}

std::string StandInHost::nextLabel (const std::string& kind)
{
    const std::lock_guard<std::mutex> guard (lock);
    return kind + "#" + std::to_string (++labelCounts[kind]);
}

AAX_CSelector StandInHost::nextProcessProcID()
{
    const std::lock_guard<std::mutex> guard (lock);
    return ++lastProcessProcID;
}

AAX_Result StandInHost::acquireFeature (const acfUID& featureID, IACFUnknown** outFeature)
{
    if (outFeature == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    *outFeature = nullptr;

    HostFeature feature;
    if (!findFeature (featureID, feature))
        return AAX_ERROR_UNKNOWN_ID;

    auto& info = make<HostFeatureInfo> (std::move (feature));
    void* handed = nullptr;
    const ACFRESULT result = info.answer (IID_IACFUnknown, &handed, false);
    *outFeature = static_cast<IACFUnknown*> (handed);
    return result;
}

void StandInHost::keep (std::unique_ptr<HostObject> object)
{
    const std::lock_guard<std::mutex> guard (lock);
    objects.push_back (std::move (object));
}
} // namespace kalvo::aaxhost
