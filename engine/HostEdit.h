#pragma once

#include "LineEditorAudioProcessor.h"
#include "RealtimeSafeRole.h"
#include "RestoreEpoch.h"
#include "ThreadAnnotations.h"

#include <optional>

// The right to tell the host of a user's edit that goes on through a parameter once the model
// lock is let go (the line mixes while unlinked, whose listener writes every state; the
// parameters an operation resets after its model step), which only a HostEdit that went ahead
// grants: the functions that make such host writes require it, so one that skipped the restore
// check does not compile. Nothing is acquired at run time.
class KALVO_CAPABILITY ("role") HostEditGrant
{
public:
    HostEditGrant() = default;
    HostEditGrant (const HostEditGrant&) = delete;
    HostEditGrant& operator= (const HostEditGrant&) = delete;
};

inline HostEditGrant hostEditGrant;

// Asks, as ModelEdit does, whether the host write may go on: not while a restore is under way,
// nor, given the mark of the edit's model step, when a restore began since (the restored document
// wins). It takes the model lock only to ask, so the write that follows runs without it, as every
// host call must:
//
//     HostEdit edit (p, since, index);
//     if (!edit.goesAhead())
//         return;
//     ...a function that requires hostEditGrant
class KALVO_SCOPED_CAPABILITY HostEdit
{
public:
    explicit HostEdit (LineEditorAudioProcessor& p) KALVO_EXCLUDES (hostEditGrant);
    // The write of a later step, to parameter `index` alone: a restore that takes its parameters
    // before the writer asks writeBack() is owed its value (see RestoreEpoch).
    HostEdit (LineEditorAudioProcessor& p, RestoreEpoch::Mark since, int index)
        KALVO_EXCLUDES (hostEditGrant);
    ~HostEdit() KALVO_RELEASE();

    HostEdit (const HostEdit&) = delete;
    HostEdit& operator= (const HostEdit&) = delete;

    bool goesAhead() KALVO_TRY_ACQUIRE (true) KALVO_EXCLUDES (realtimeSafeRole);

    // After the write to the parameter: the value a restore meanwhile gives it, which the caller
    // writes next under this same grant, and then asks again; none once nothing is owed.
    std::optional<float> writeBack() KALVO_REQUIRES (hostEditGrant) KALVO_EXCLUDES (processor.curveModelLock);

private:
    LineEditorAudioProcessor& processor;
    std::optional<RestoreEpoch::Mark> since;
    int parameter = -1;
    bool writing = false, wroteBack = false;
    // The host write of an edit's later step was counted by the mark of its model step.
    std::optional<ModifiedMark::Quiet> counted;
};
