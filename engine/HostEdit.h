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
//     HostEdit edit (p, since);
//     if (!edit.goesAhead())
//         return;
//     ...a function that requires hostEditGrant
class KALVO_SCOPED_CAPABILITY HostEdit
{
public:
    explicit HostEdit (LineEditorAudioProcessor& p) KALVO_EXCLUDES (hostEditGrant);
    HostEdit (LineEditorAudioProcessor& p, RestoreEpoch::Mark since) KALVO_EXCLUDES (hostEditGrant);
    ~HostEdit() KALVO_RELEASE();

    HostEdit (const HostEdit&) = delete;
    HostEdit& operator= (const HostEdit&) = delete;

    bool goesAhead() KALVO_TRY_ACQUIRE (true) KALVO_EXCLUDES (realtimeSafeRole);

private:
    LineEditorAudioProcessor& processor;
    std::optional<RestoreEpoch::Mark> since;
    // The host write of an edit's later step was counted by the mark of its model step.
    std::optional<ModifiedMark::Quiet> counted;
};
