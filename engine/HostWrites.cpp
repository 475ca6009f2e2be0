#include "HostWrites.h"

#include "HostCalls.h"
#include "HostEdit.h"

namespace
{
void tell (LineEditorAudioProcessor& p, int index, float value) KALVO_REQUIRES (hostEditGrant)
    KALVO_EXCLUDES (p.curveModelLock)
{
    auto& parameter = *p.parameters.getParameter (ParameterTable::specs[index].id);
    HostCalls::setNormalisedValue (p, parameter, parameter.convertTo0to1 (value));
}
} // namespace

HostWrites::~HostWrites()
{
    endIfUnderway();
}

void HostWrites::beginOnce (LineEditorAudioProcessor& p)
{
    auto& epoch = p.restores();
    if (inProgress == &epoch)
        return;
    // A ModelEdit that went ahead found no restore or other edit under way.
    jassert (inProgress == nullptr && !epoch.isUnderway());
    epoch.editUnderway = this;
    since = epoch.mark();
    inProgress = &epoch;
}

void HostWrites::set (LineEditorAudioProcessor& p, int index, float value)
{
    if (auto* parameter = p.parameters.getParameter (ParameterTable::specs[index].id))
    {
        beginOnce (p);
        values.set (index, *parameter, value);
    }
}

void HostWrites::willLink (LineEditorAudioProcessor& p, bool linked)
{
    beginOnce (p);
    linkMixToCome = linked;
}

// The host may start a restore from any of these calls, since it answers them on this thread.
bool HostWrites::send (LineEditorAudioProcessor& p)
{
    for (int i = 0; i < ParameterTable::numParameters; ++i)
    {
        if (!values.gives (i))
            continue;
        HostEdit edit (p, since, i);
        if (!edit.goesAhead())
            return false;
        tell (p, i, values.valueOf (i, 0.0f));
        // A restore that took its parameters meanwhile, whole or in part, gets its value back;
        // the rest is dropped, as for one that began before the check.
        bool restored = false;
        for (auto owed = edit.writeBack(); owed; owed = edit.writeBack(), restored = true)
            tell (p, i, *owed);
        if (restored)
            return false;
    }
    return true;
}

void HostWrites::endIfUnderway()
{
    if (inProgress == nullptr)
        return;

    const ModelLock::Hold hold (lock);
    // A restore that began since ended it already, and a later edit may be under way.
    if (inProgress->editUnderway == this)
        inProgress->editUnderway = nullptr;
    inProgress = nullptr;
}
