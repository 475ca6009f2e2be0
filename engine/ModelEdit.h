#pragma once

#include "RealtimeSafeRole.h"
#include "LineEditorAudioProcessor.h"
#include "RestoreEpoch.h"
#include "ThreadAnnotations.h"

#include <optional>

// The right to change the model for the user, which only a ModelEdit that went ahead grants:
// the helpers that write the model for an edit require it, so an edit that skipped the restore
// check cannot call them. Nothing is acquired at run time.
class KALVO_CAPABILITY ("role") ModelEditGrant
{
public:
    ModelEditGrant() = default;
    ModelEditGrant (const ModelEditGrant&) = delete;
    ModelEditGrant& operator= (const ModelEditGrant&) = delete;
};

inline ModelEditGrant modelEditGrant;

// The way in for every edit of the model from the message side. An edit loses to a restore under
// way, and to another edit whose host writes are (see RestoreEpoch): goesAhead() says whether it
// may go on, and until it said yes the analysis grants neither the model lock nor modelEditGrant
// and modelWriteRole, so an edit that forgets to ask does not compile:
//
//     ModelEdit edit (p);
//     if (!edit.goesAhead())
//         return;
//
// Made from the processor, it takes the model lock itself and holds it while the edit goes
// ahead; refused, it has let the lock go again. Given a mark, it asks only whether a restore is
// under way or began since (an edit that read the model before and writes now, or the next host
// write of the edit that took the mark). Made from the restores of a processor whose lock the
// caller holds (an edit inside a longer hold, as in the window's refresh), it only asks.
class KALVO_SCOPED_CAPABILITY ModelEdit
{
public:
    explicit ModelEdit (LineEditorAudioProcessor& p)
        KALVO_EXCLUDES (p.curveModelLock, modelEditGrant, modelWriteRole);
    ModelEdit (LineEditorAudioProcessor& p, RestoreEpoch::Mark since)
        KALVO_EXCLUDES (p.curveModelLock, modelEditGrant, modelWriteRole);
    explicit ModelEdit (RestoreEpoch& heldRestores) KALVO_EXCLUDES (modelEditGrant, modelWriteRole);
    ~ModelEdit() KALVO_RELEASE();

    ModelEdit (const ModelEdit&) = delete;
    ModelEdit& operator= (const ModelEdit&) = delete;

    bool goesAhead() KALVO_TRY_ACQUIRE (true) KALVO_EXCLUDES (realtimeSafeRole);

private:
    ModelLock* lock = nullptr; // null: the caller holds it
    RestoreEpoch& restores;
    std::optional<RestoreEpoch::Mark> since;
    bool holding = false;
};
