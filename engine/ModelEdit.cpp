#include "ModelEdit.h"

// The analysis cannot follow the lock through the members; the declarations say what each does.
ModelEdit::ModelEdit (LineEditorAudioProcessor& p) KALVO_NO_THREAD_SAFETY_ANALYSIS
    : lock (&p.curveModelLock), restores (p.restores())
{
}

ModelEdit::ModelEdit (LineEditorAudioProcessor& p, RestoreEpoch::Mark sinceMark) : ModelEdit (p)
{
    since = sinceMark;
}

ModelEdit::ModelEdit (RestoreEpoch& heldRestores) : restores (heldRestores) {}

ModelEdit::~ModelEdit() KALVO_NO_THREAD_SAFETY_ANALYSIS
{
    if (holding && lock != nullptr)
        lock->exit();
}

bool ModelEdit::goesAhead() KALVO_NO_THREAD_SAFETY_ANALYSIS
{
    if (lock != nullptr)
        lock->enter();
    holding = since ? restores.isQuietSince (*since) : !restores.isUnderway();
    if (!holding && lock != nullptr)
        lock->exit();
    return holding;
}
