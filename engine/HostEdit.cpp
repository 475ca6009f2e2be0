#include "HostEdit.h"

#include "ModelEdit.h"

HostEdit::HostEdit (LineEditorAudioProcessor& p) : processor (p) {}

HostEdit::HostEdit (LineEditorAudioProcessor& p, RestoreEpoch::Mark sinceMark, int index)
    : processor (p), since (sinceMark), parameter (index)
{
}

// Left by an exception from the host: the write ends, and the restore with it.
HostEdit::~HostEdit() KALVO_NO_THREAD_SAFETY_ANALYSIS
{
    if (!writing)
        return;
    const ModelLock::Hold hold (processor.curveModelLock);
    processor.restores().abandonWrite();
}

std::optional<float> HostEdit::writeBack()
{
    std::optional<float> owed;
    {
        const ModelLock::Hold hold (processor.curveModelLock);
        owed = processor.restores().endWrite();
        // An unlinked document's line mix is its parameter's alone, not one for every state.
        if (!owed && wroteBack && parameter >= ParameterTable::pMixMain &&
            parameter <= ParameterTable::pMixHigh)
            processor.hostLineMixes.discard();
    }
    writing = owed.has_value();
    if (writing)
    {
        wroteBack = true;
        // Told on the restore's behalf: no mark of its own. Announced once the lock is let go, so
        // that only this write is.
        counted.reset();
        counted.emplace (processor.presetModified);
    }
    return owed;
}

// The grant is held by nobody at run time, and the lock only inside: the declarations say what
// the analysis is to assume.
bool HostEdit::goesAhead() KALVO_NO_THREAD_SAFETY_ANALYSIS
{
    if (since)
    {
        {
            ModelEdit edit (processor, *since);
            if (!edit.goesAhead())
                return false;
            processor.restores().beginWrite (parameter);
            writing = true;
        }
        // Announced once the lock is let go: a restore from another thread may come between.
        counted.emplace (processor.presetModified);
        return true;
    }
    ModelEdit edit (processor);
    return edit.goesAhead();
}
