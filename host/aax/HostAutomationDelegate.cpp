#include "HostAutomationDelegate.h"

#include "AAX_Errors.h"
#include "AAX_UIDs.h"
#include "HostCallLog.h"

namespace kalvo::aaxhost
{
HostAutomationDelegate::HostAutomationDelegate (HostObject& owner) : v1 (*this, owner, 1) {}

void* HostAutomationDelegate::facetFor (const acfIID& iid, const std::set<int>& offered)
{
    if (iid == IID_IAAXAutomationDelegateV1 && offered.count (1) != 0)
        return static_cast<AAX_IACFAutomationDelegate*> (&v1);
    return nullptr;
}

std::vector<AutomationEvent> HostAutomationDelegate::takeEvents()
{
    auto events = queue.drain();
    const std::lock_guard<std::mutex> guard (lock);
    for (const auto& event : events)
    {
        if (event.kind == AutomationEvent::Kind::Touch)
            ++touchCounts[event.parameterID];
        else if (event.kind == AutomationEvent::Kind::Release && touchCounts[event.parameterID] > 0)
            --touchCounts[event.parameterID];
    }
    return events;
}

std::vector<AutomationEvent> HostAutomationDelegate::takeSetValueRequests()
{
    std::vector<AutomationEvent> requests;
    for (const auto& event : takeEvents())
        if (event.kind == AutomationEvent::Kind::SetValueRequest)
            requests.push_back (event);
    return requests;
}

std::set<std::string> HostAutomationDelegate::registeredParameters() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return registered;
}

bool HostAutomationDelegate::isTouched (const std::string& parameterID) const
{
    const std::lock_guard<std::mutex> guard (lock);
    const auto it = touchCounts.find (parameterID);
    return it != touchCounts.end() && it->second > 0;
}

AAX_Result HostAutomationDelegate::Facet::RegisterParameter (AAX_CParamID iParameterID)
{
    owner.record (version, "RegisterParameter", { HostCallLog::text (iParameterID) });
    if (iParameterID == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    const std::lock_guard<std::mutex> guard (state.lock);
    state.registered.insert (iParameterID);
    return AAX_SUCCESS;
}

AAX_Result HostAutomationDelegate::Facet::UnregisterParameter (AAX_CParamID iParameterID)
{
    owner.record (version, "UnregisterParameter", { HostCallLog::text (iParameterID) });
    if (iParameterID == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    const std::lock_guard<std::mutex> guard (state.lock);
    return state.registered.erase (iParameterID) != 0 ? AAX_SUCCESS : AAX_ERROR_INVALID_PARAMETER_ID;
}

// The four posts below may come from the audio thread: no log entry, no lock, no allocation.
AAX_Result HostAutomationDelegate::Facet::post (AutomationEvent::Kind kind, AAX_CParamID iParameterID,
                                                double value)
{
    if (iParameterID == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    return state.queue.push (kind, iParameterID, value) ? AAX_SUCCESS : AAX_ERROR_FIFO_FULL;
}

AAX_Result HostAutomationDelegate::Facet::PostSetValueRequest (AAX_CParamID iParameterID,
                                                               double normalizedValue)
{
    return post (AutomationEvent::Kind::SetValueRequest, iParameterID, normalizedValue);
}

AAX_Result HostAutomationDelegate::Facet::PostCurrentValue (AAX_CParamID iParameterID, double normalizedValue)
{
    return post (AutomationEvent::Kind::CurrentValue, iParameterID, normalizedValue);
}

AAX_Result HostAutomationDelegate::Facet::PostTouchRequest (AAX_CParamID iParameterID)
{
    return post (AutomationEvent::Kind::Touch, iParameterID, 0.0);
}

AAX_Result HostAutomationDelegate::Facet::PostReleaseRequest (AAX_CParamID iParameterID)
{
    return post (AutomationEvent::Kind::Release, iParameterID, 0.0);
}

AAX_Result HostAutomationDelegate::Facet::GetTouchState (AAX_CParamID iParameterID, AAX_CBoolean* outTouched)
{
    owner.record (version, "GetTouchState", { HostCallLog::text (iParameterID) });
    if (iParameterID == nullptr || outTouched == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    *outTouched = state.isTouched (iParameterID) ? 1 : 0;
    return AAX_SUCCESS;
}
} // namespace kalvo::aaxhost
