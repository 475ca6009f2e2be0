#include "PresetCommands.h"

#include "NamedPresetSave.h"
#include "PresetBrowser.h"
#include "PresetRename.h"
#include "RegularFileInput.h"
#include "StateDocument.h"

namespace
{
bool existsAsFile (const juce::File& f)
{
    return f.existsAsFile();
}

juce::String extensionOf (const juce::File& file)
{
    return file.getFileExtension().fromFirstOccurrenceOf (".", false, false);
}
} // namespace

MenuData PresetCommands::presetMenu (const LineEditorAudioProcessor& p)
{
    MenuData settings;
    settings.addItem (waveformShow, "Waveform: Show", true, p.waveView == 1);
    settings.addItem (waveformSeparateBands, "Waveform: Separate Bands", true, !p.waveMainOnly);
    settings.addSeparator();
    settings.addItem (waveformBoth, "Waveform: L + R", true, p.waveLR == 0);
    settings.addItem (waveformLeft, "Waveform: L", true, p.waveLR == 1);
    settings.addItem (waveformRight, "Waveform: R", true, p.waveLR == 2);
    settings.addSeparator();
    settings.addItem (scale50, "Scale: %50", true, p.scaling == 1.0f);
    settings.addItem (scale75, "Scale: %75", true, p.scaling == 1.5f);
    settings.addItem (scale100, "Scale: %100", true, p.scaling == 2.0f);

    MenuData m;
    m.addItem (savePreset, "Save Preset");
    m.addItem (renamePreset, "Rename Preset and Save");
    m.addItem (savePresetAs, "Save Preset As...");
    m.addSeparator();
    m.addItem (loadPreset, "Load Preset");
    m.addItem (resetPreset, "Reset Preset");
    m.addItem (copyPreset, "Copy Preset");
    m.addItem (pastePreset, "Paste Preset");
    m.addItem (deletePreset, "Delete Preset");
    m.addSeparator();
    m.addItem (openPresetFolder, "Open Preset Folder");
    m.addSeparator();
    m.addSubMenu ("UI Settings", std::move (settings));
    m.addSeparator();
    m.addItem (about, "About");
    return m;
}

juce::File PresetCommands::productFolder (const LineEditorAudioProcessor& p)
{
    return p.presetsFolder.getParentDirectory();
}

juce::File PresetCommands::temporaryPreset (const LineEditorAudioProcessor& p, const juce::String& extension)
{
    return productFolder (p).getChildFile ("TempPreset." + extension);
}

juce::File PresetCommands::currentFolder (const LineEditorAudioProcessor& p,
                                          const juce::Array<juce::File>& subfolders)
{
    if (p.currentPresetFolder != juce::File())
        return p.currentPresetFolder.isDirectory() ? p.currentPresetFolder : p.presetsFolder;
    return PresetRename::targetFolder (p.presetsFolder, subfolders,
                                       PresetBrowser::validFolderIndex (p.presetFolderIndex));
}

juce::File PresetCommands::presetFile (const juce::File& folder, const juce::String& name,
                                       const juce::String& extension)
{
    if (PresetRename::check (name, extension) != PresetRename::Refusal::none)
        return {};
    const auto file = folder.getChildFile (name + "." + extension);
    return file.getParentDirectory() == folder ? file : juce::File();
}

juce::File PresetCommands::withExtension (const juce::File& chosen, const juce::String& extension)
{
    if (chosen == juce::File() || chosen.getFileName().endsWithIgnoreCase ("." + extension))
        return chosen;
    return chosen.getSiblingFile (chosen.getFileName() + "." + extension);
}

juce::File PresetCommands::saveAsSuggestion (LineEditorAudioProcessor& p,
                                             const juce::Array<juce::File>& subfolders,
                                             const juce::String& extension)
{
    const auto folder = currentFolder (p, subfolders);
    const auto file = presetFile (folder, p.getPresetName(), extension);
    return file == juce::File() ? folder : file;
}

PresetCommands::Outcome PresetCommands::save (LineEditorAudioProcessor& p,
                                              const juce::Array<juce::File>& subfolders,
                                              const juce::String& extension, const juce::String& shown)
{
    const auto folder = currentFolder (p, subfolders);
    const auto file = presetFile (folder, shown, extension);
    if (file == juce::File())
        return Outcome::unusableName;
    return saveAs (p, file, shown);
}

PresetCommands::Outcome PresetCommands::saveAs (LineEditorAudioProcessor& p, const juce::File& file,
                                                const juce::String& shown)
{
    const auto name = file.getFileNameWithoutExtension();
    const auto folder = file.getParentDirectory();
    if (presetFile (folder, name, extensionOf (file)) != file)
        return Outcome::unusableName;
    if (folder == p.presetsFolder)
        p.presetsFolder.createDirectory();

    switch (NamedPresetSave::write (p, file, shown, name))
    {
        case NamedPresetSave::Result::named:
            p.currentPresetFolder = folder;
            return Outcome::done;
        case NamedPresetSave::Result::restoredMeanwhile:
            // The restored preset was not saved here, so its folder is not this one.
            return Outcome::done;
        case NamedPresetSave::Result::restoring:
            return Outcome::restoring;
        case NamedPresetSave::Result::notWritten:
            break;
    }
    return Outcome::failed;
}

bool PresetCommands::load (LineEditorAudioProcessor& p, const juce::File& file)
{
    // The load leaves the preset unmodified itself, unless a paste came inside it and stands.
    if (!p.getStateFromFile (file))
        return false;
    p.currentPresetFolder = file.getParentDirectory();
    return true;
}

bool PresetCommands::copyToTemporary (LineEditorAudioProcessor& p, const juce::String& extension)
{
    productFolder (p).createDirectory();
    return p.saveStateToFile (temporaryPreset (p, extension));
}

PresetCommands::Paste PresetCommands::pasteTemporary (LineEditorAudioProcessor& p,
                                                      const juce::String& extension)
{
    // A pipe or a device in its place is no copied preset, just as no file at all.
    const auto file = temporaryPreset (p, extension);
    if (!RegularFileInput::isRegularFile (file))
        return Paste::nothingCopied;
    // The name is kept by the load itself: a restore coming between keeps the restored one.
    return StateDocument::readFromFile (p, file, true) ? Paste::pasted : Paste::failed;
}

void PresetCommands::applyInterfaceSetting (LineEditorAudioProcessor& p, int id)
{
    switch (id)
    {
        case scale50:
        case scale75:
        case scale100:
            p.scaling = 1.0f + 0.5f * static_cast<float> (id - scale50);
            break;
        case waveformShow:
            if (p.waveView == 0 || p.waveView == 1)
                p.waveView = 1 - p.waveView;
            break;
        case waveformSeparateBands:
            p.waveMainOnly = !p.waveMainOnly;
            break;
        case waveformBoth:
        case waveformLeft:
        case waveformRight:
            p.waveLR = id - waveformBoth;
            break;
        default:
            return;
    }
    p.SaveSettings();
}

int PresetCommands::countMatches (const juce::Array<juce::File>* slotFiles, int numSubfolders,
                                  const juce::String& name)
{
    const int listed = juce::jlimit (0, PresetBrowser::rootSlot, numSubfolders);
    int n = 0;
    for (int k = 0; k < listed; ++k)
        for (const auto& f : slotFiles[k])
            n += f.getFileNameWithoutExtension() == name ? 1 : 0;
    for (const auto& f : slotFiles[PresetBrowser::rootSlot])
        n += f.getFileNameWithoutExtension() == name && existsAsFile (f) ? 1 : 0;
    return n;
}

juce::Array<juce::File> PresetCommands::matchesEverywhere (const juce::Array<juce::File>* slotFiles,
                                                           int numSubfolders, const juce::String& name)
{
    const int listed = juce::jlimit (0, PresetBrowser::rootSlot, numSubfolders);
    juce::Array<juce::File> found;
    auto collect = [&] (const juce::Array<juce::File>& slot)
    {
        for (const auto& f : slot)
            if (f.getFileNameWithoutExtension() == name && existsAsFile (f))
                found.add (f);
    };
    for (int k = 0; k < listed; ++k)
        collect (slotFiles[k]);
    collect (slotFiles[PresetBrowser::rootSlot]);
    return found;
}

juce::Array<juce::File> PresetCommands::matchesInFolder (const juce::File& folder, const juce::String& name,
                                                         const juce::String& extension)
{
    juce::Array<juce::File> found;
    if (!folder.isDirectory())
        return found;
    // Names are compared, never joined into a path: a hostile name can only fail to match.
    for (const auto& f : folder.findChildFiles (juce::File::findFiles, false, "*." + extension))
        if (f.getFileNameWithoutExtension() == name)
            found.add (f);
    return found;
}

juce::String PresetCommands::folderLabel (const LineEditorAudioProcessor& p, const juce::File& folder)
{
    return folder == p.presetsFolder ? juce::String ("Main Folder") : folder.getFileNameWithoutExtension();
}

PresetCommands::Question PresetCommands::deleteQuestion (const juce::String& name, int matches,
                                                         const juce::String& label,
                                                         const juce::Array<juce::File>& unreadableFolders)
{
    if (matches < 1 && !unreadableFolders.isEmpty())
    {
        juce::StringArray paths;
        for (const auto& f : unreadableFolders)
            paths.add ("'" + f.getFullPathName() + "'");
        return { "Deleting preset...",
                 juce::String (paths.size() == 1 ? "Could not read the preset folder "
                                                 : "Could not read the preset folders ") +
                     paths.joinIntoString (", ") + ", so no preset file with the name '" + name +
                     "' could be looked for there.",
                 { "OK" },
                 { 0 } };
    }
    if (matches < 1)
        return { "Not found...",
                 "There is no preset file with the name '" + name + "' on the drive.",
                 { "OK" },
                 { 0 } };
    if (matches == 1)
        return { "Deleting preset...",
                 "Delete the preset file with the name '" + name + "' from the drive?",
                 { "Yes", "Cancel" },
                 { deleteAll, deleteNothing } };
    return { "Deleting preset...",
             "There are more than one preset file with the name '" + name +
                 "' in the preset folder, delete all of them or only the one in current subfolder '" + label +
                 "'?",
             { "Delete all of them", "Only current folder", "Cancel" },
             { deleteAll, deleteInCurrentFolder, deleteNothing } };
}

juce::Array<juce::File> PresetCommands::deleteFiles (const juce::Array<juce::File>& files)
{
    juce::Array<juce::File> failed;
    for (const auto& f : files)
        if (!f.deleteFile())
            failed.add (f);
    return failed;
}

juce::String PresetCommands::failedDeletionsMessage (const juce::Array<juce::File>& failed)
{
    juce::StringArray paths;
    for (const auto& f : failed)
        paths.add (f.getFullPathName());
    return "Could not delete:\n" + paths.joinIntoString ("\n");
}

juce::String PresetCommands::saveFailedMessage (const juce::String& name)
{
    return "Could not save preset '" + name + "'";
}

juce::String PresetCommands::restoringMessage (const juce::String& name)
{
    return "The preset was not saved as '" + name +
           "': another preset was being loaded at that moment and has replaced the one you wanted to save.";
}

juce::String PresetCommands::readFailedMessage (const juce::File& file)
{
    return "Could not read preset file '" + file.getFullPathName() + "'";
}
