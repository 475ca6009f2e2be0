#pragma once

#include "ModelLock.h"
#include "ThreadAnnotations.h"

// The right to write the model, beside its lock. The model's write accessors require both, its
// read accessors (on a const processor) only the lock, so a plain ModelLock::Hold reads the model
// and cannot change it. Three holders grant it, each its own way: an edit for the user once its
// ModelEdit went ahead (no restore under way, or none since its mark), a restore's steps (the
// document it applies wins over the edits) and the processor's set-up, before anyone else can
// reach it. Nothing is acquired at run time.
class KALVO_CAPABILITY ("role") ModelWriteRole
{
public:
    ModelWriteRole() = default;
    ModelWriteRole (const ModelWriteRole&) = delete;
    ModelWriteRole& operator= (const ModelWriteRole&) = delete;

    class RestoreStep;
    class SetUp;
};

inline ModelWriteRole modelWriteRole;

// One step of a restore under the model lock: takes the lock and writes the document into the
// model. Only the state document makes one, around the steps its restore (RestoreEpoch::Restore)
// counts as under way.
class KALVO_SCOPED_CAPABILITY ModelWriteRole::RestoreStep
{
public:
    ~RestoreStep() KALVO_RELEASE() = default;
    RestoreStep (const RestoreStep&) = delete;
    RestoreStep& operator= (const RestoreStep&) = delete;

private:
    friend class StateDocument;
    explicit RestoreStep (ModelLock& lock) KALVO_ACQUIRE (lock, modelWriteRole)
        KALVO_EXCLUDES (realtimeSafeRole)
        : hold (lock)
    {
    }

    ModelLock::Hold hold;
};

// The processor's own set-up of its model, in its constructor: nobody else sees it yet.
class KALVO_SCOPED_CAPABILITY ModelWriteRole::SetUp
{
public:
    ~SetUp() KALVO_RELEASE() = default;
    SetUp (const SetUp&) = delete;
    SetUp& operator= (const SetUp&) = delete;

private:
    friend class LineEditorAudioProcessor;
    explicit SetUp (ModelLock& lock) KALVO_ACQUIRE (lock, modelWriteRole) KALVO_EXCLUDES (realtimeSafeRole)
        : hold (lock)
    {
    }

    ModelLock::Hold hold;
};
