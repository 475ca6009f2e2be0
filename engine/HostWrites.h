#pragma once

#include "LineEditorAudioProcessor.h"
#include "ModelEdit.h"
#include "ParameterOverlay.h"
#include "RestoreEpoch.h"

#include <optional>

// The host writes of one edit that changes the model first and tells the host after (Reset
// Preset, Reset and Randomize State, LinkMixes off). The edit's model step records each
// (parameter, value) pair and the linkMix a later step leaves; send() then tells the host exactly
// what was recorded. From the first record until its destruction (after the edit's last step, or
// when a host callback throws) the writes are under way, unless a restore ended them (see
// RestoreEpoch): another edit loses meanwhile, and a save stores what the record says.
class HostWrites
{
public:
    explicit HostWrites (ModelLock& modelLock) noexcept : lock (modelLock) {}
    ~HostWrites();

    // In the edit's model step, once its ModelEdit went ahead: parameter `index` is to take the
    // plain value `value`, on the parameter's step as the host will hold it.
    void set (LineEditorAudioProcessor& p, int index, float value) KALVO_REQUIRES (p.curveModelLock, modelEditGrant);
    // Likewise: the linkMix a later step of the edit leaves.
    void willLink (LineEditorAudioProcessor& p, bool linked) KALVO_REQUIRES (p.curveModelLock, modelEditGrant);

    // Once the model step let the lock go: the recorded writes in parameter order, each behind a
    // HostEdit with the model step's mark. False once a restore began since: the rest is dropped.
    bool send (LineEditorAudioProcessor& p) KALVO_EXCLUDES (p.curveModelLock);

    // The restores' mark of the model step, for a later step of the edit.
    RestoreEpoch::Mark mark() const noexcept { return since; }

    // What a save stores while the writes are under way, given the value now.
    float valueOnceTold (int index, float now) const noexcept { return values.valueOf (index, now); }
    bool linkMixOnceTold (bool now) const noexcept { return linkMixToCome.value_or (now); }

    HostWrites (const HostWrites&) = delete;
    HostWrites& operator= (const HostWrites&) = delete;

private:
    void beginOnce (LineEditorAudioProcessor& p) KALVO_REQUIRES (p.curveModelLock);
    void endIfUnderway() KALVO_EXCLUDES (lock);

    ModelLock& lock;
    RestoreEpoch* inProgress KALVO_PT_GUARDED_BY (lock) = nullptr;
    RestoreEpoch::Mark since = 0;
    // Written in the model step only, under the lock; read by saves under it.
    ParameterOverlay values;
    std::optional<bool> linkMixToCome;
};
