#include "PresetRename.h"

namespace
{
bool isControl (juce::juce_wchar c) noexcept
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

juce::String fileName (const juce::String& name, const juce::String& extension)
{
    return name + "." + extension;
}
} // namespace

PresetRename::Refusal PresetRename::check (const juce::String& name, const juce::String& extension)
{
    for (auto p = name.getCharPointer(); !p.isEmpty(); ++p)
    {
        const auto c = *p;
        if (c == '/' || c == '\\')
            return Refusal::pathSeparator;
        if (isControl (c))
            return Refusal::controlCharacter;
    }
    if (name == "." || name == "..")
        return Refusal::dotName;
    if (name.startsWithChar ('~'))
        return Refusal::leadingTilde;
    if (fileName (name, extension).getNumBytesAsUTF8() > static_cast<size_t> (maxFileNameBytes))
        return Refusal::tooLong;
    return Refusal::none;
}

juce::String PresetRename::reason (Refusal refusal)
{
    switch (refusal)
    {
        case Refusal::pathSeparator:
            return "A preset name cannot contain \"/\" or \"\\\".";
        case Refusal::controlCharacter:
            return "A preset name cannot contain control characters.";
        case Refusal::leadingTilde:
            return "A preset name cannot start with \"~\".";
        case Refusal::tooLong:
            return "The preset name is too long for a file name.";
        case Refusal::dotName:
            return "A preset name cannot be \".\" or \"..\".";
        case Refusal::none:
            break;
    }
    return {};
}

juce::File PresetRename::presetsFolder (const juce::String& makerFolder, const juce::String& productFolder)
{
    return juce::File::getSpecialLocation (juce::File::userApplicationDataDirectory)
        .getChildFile (makerFolder)
        .getChildFile (productFolder)
        .getChildFile ("Presets");
}

juce::File PresetRename::targetFolder (const juce::File& presetsFolder,
                                       const juce::Array<juce::File>& subfolders, int folderIndex)
{
    if (folderIndex != 49 && juce::isPositiveAndBelow (folderIndex, subfolders.size()) &&
        subfolders.getReference (folderIndex).isDirectory())
        return subfolders.getReference (folderIndex);
    return presetsFolder;
}

PresetRename::Plan PresetRename::plan (const juce::File& folder, const juce::String& oldName,
                                       const juce::String& newName, const juce::String& extension)
{
    Plan plan;
    plan.oldName = oldName;
    plan.refusal = check (newName, extension);
    if (plan.refusal != Refusal::none)
        return plan;

    plan.newFile = folder.getChildFile (fileName (newName, extension));
    if (plan.newFile.getParentDirectory() != folder)
    {
        plan.refusal = Refusal::pathSeparator;
        plan.newFile = juce::File();
        return plan;
    }

    // The old name comes from the project or the preset file, so it is checked like a typed one.
    bool sameFile = false;
    if (check (oldName, extension) == Refusal::none)
    {
        const auto old = folder.getChildFile (fileName (oldName, extension));
        sameFile = old == plan.newFile;
        if (old.getParentDirectory() == folder && !sameFile)
            plan.oldFile = old;
    }

    plan.replacesAnother = plan.newFile.existsAsFile() && !sameFile;
    return plan;
}

NamedPresetSave::Result PresetRename::save (LineEditorAudioProcessor& p, const Plan& plan,
                                            const juce::String& newName)
{
    if (plan.refusal != Refusal::none || plan.newFile == juce::File())
        return NamedPresetSave::Result::notWritten;

    // Written, the new file holds the preset that had the old name when the plan was made, even
    // when a restore took the naming afterwards: so the old one goes as in any rename. Unwritten,
    // the old file is the only one that holds it.
    const auto result = NamedPresetSave::write (p, plan.newFile, plan.oldName, newName);
    if (result != NamedPresetSave::Result::named && result != NamedPresetSave::Result::restoredMeanwhile)
        return result;

    if (plan.oldFile != juce::File() && plan.oldFile.existsAsFile())
        plan.oldFile.deleteFile();

    return result;
}
