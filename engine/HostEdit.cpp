#include "HostEdit.h"

#include "ModelEdit.h"

HostEdit::HostEdit (LineEditorAudioProcessor& p) : processor (p) {}

HostEdit::HostEdit (LineEditorAudioProcessor& p, RestoreEpoch::Mark sinceMark)
    : processor (p), since (sinceMark)
{
}

HostEdit::~HostEdit() = default;

// The grant is held by nobody at run time, and the lock only inside: the declarations say what
// the analysis is to assume.
bool HostEdit::goesAhead() KALVO_NO_THREAD_SAFETY_ANALYSIS
{
    if (since)
    {
        ModelEdit edit (processor, *since);
        if (!edit.goesAhead())
            return false;
        counted.emplace (processor.presetModified);
        return true;
    }
    ModelEdit edit (processor);
    return edit.goesAhead();
}
