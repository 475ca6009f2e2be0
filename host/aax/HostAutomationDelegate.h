// The host's automation service of one instance. Touch, set-value, release and current-value
// posts only enter a lock-free queue, so the plug-in may make them from the audio thread; the
// host (the test) takes them on its own thread and then knows which parameters are touched.
#pragma once

#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "AAX_IACFAutomationDelegate.h"
#include "AutomationQueue.h"
#include "HostFacet.h"

namespace kalvo::aaxhost
{
class HostAutomationDelegate
{
public:
    explicit HostAutomationDelegate (HostObject& owner);

    void* facetFor (const acfIID& iid, const std::set<int>& offered);

    // Takes every queued post, oldest first, and updates the touch states from them.
    std::vector<AutomationEvent> takeEvents();
    // The set-value requests among the queued posts (the others are taken too).
    std::vector<AutomationEvent> takeSetValueRequests();
    std::set<std::string> registeredParameters() const;
    bool isTouched (const std::string& parameterID) const;
    size_t droppedEvents() const noexcept { return queue.dropped(); }

private:
    class Facet final : public HostFacet<AAX_IACFAutomationDelegate>
    {
    public:
        Facet (HostAutomationDelegate& stateToUse, HostObject& ownerToUse, int versionToUse)
            : HostFacet (ownerToUse, versionToUse), state (stateToUse)
        {
        }

        AAX_Result RegisterParameter (AAX_CParamID iParameterID) override;
        AAX_Result UnregisterParameter (AAX_CParamID iParameterID) override;
        AAX_Result PostSetValueRequest (AAX_CParamID iParameterID, double normalizedValue) override;
        AAX_Result PostCurrentValue (AAX_CParamID iParameterID, double normalizedValue) override;
        AAX_Result PostTouchRequest (AAX_CParamID iParameterID) override;
        AAX_Result PostReleaseRequest (AAX_CParamID iParameterID) override;
        AAX_Result GetTouchState (AAX_CParamID iParameterID, AAX_CBoolean* outTouched) override;

    private:
        AAX_Result post (AutomationEvent::Kind kind, AAX_CParamID iParameterID, double value);
        HostAutomationDelegate& state;
    };

    AutomationQueue queue;
    mutable std::mutex lock;
    std::set<std::string> registered;
    std::map<std::string, int> touchCounts;
    Facet v1;
};
} // namespace kalvo::aaxhost
