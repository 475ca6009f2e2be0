#include "NamedPresetSave.h"

#include "ModelEdit.h"
#include "StateDocument.h"

NamedPresetSave::Result NamedPresetSave::write (LineEditorAudioProcessor& p, const juce::File& file,
                                                const juce::String& name)
{
    RestoreEpoch::Mark before = 0;
    {
        const ModelLock::Hold hold (p.curveModelLock);
        before = p.restores().mark();
    }
    if (!StateDocument::writeToFile (p, file, &name))
        return Result::notWritten;
    ModelEdit edit (p, before);
    if (!edit.goesAhead())
        return Result::restoredMeanwhile;
    p.presetName() = name;
    p.presetModified = false;
    return Result::named;
}
