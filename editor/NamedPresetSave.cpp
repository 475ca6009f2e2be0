#include "NamedPresetSave.h"

#include "ModelEdit.h"
#include "SafeFileWriter.h"
#include "StateDocument.h"

NamedPresetSave::Result NamedPresetSave::write (LineEditorAudioProcessor& p, const juce::File& file,
                                                const juce::String& shown, const juce::String& name)
{
    RestoreEpoch::Mark made = 0;
    ModifiedMark::Count marks = 0;
    std::unique_ptr<juce::XmlElement> document;
    {
        const ModelLock::Hold hold (p.curveModelLock);
        if (p.restores().isRestoring() || ModelReading (p).presetName() != shown)
            return Result::restoring;
        made = p.restores().mark();
        // Before the document: a host's parameter change is marked after its value is set.
        marks = p.presetModified.marks();
        document = StateDocument::createDocumentHeld (p, &name);
    }
    // The old preset is replaced only by a completely written new one.
    if (!SafeFileWriter::replaceWithText (file, document->toString (StateDocument::fileFormat())))
        return Result::notWritten;
    ModelEdit edit (p, made);
    if (!edit.goesAhead())
        return Result::restoredMeanwhile;
    p.presetName() = name;
    p.presetModified.clearUnlessMarkedSince (marks);
    return Result::named;
}
