#include "SettingsFile.h"

#include "LineEditorAudioProcessor.h"
#include "RegularFileInput.h"
#include "SafeFileWriter.h"
#include "XmlTextCheck.h"
#include "XmlValueReader.h"

#include <cmath>

namespace
{
const juce::Identifier scalingId{ "Scaling" }, skinId{ "Skin" }, waveViewId{ "WaveView" },
    waveMainOnlyId{ "WaveMainOnly" }, waveLRId{ "WaveLR" };
constexpr int maxSettingsBytes = 1024 * 1024;
} // namespace

juce::File SettingsFile::getFile (const juce::String& makerFolder, const juce::String& productFolder)
{
    return juce::File::getSpecialLocation (juce::File::userApplicationDataDirectory)
        .getChildFile (makerFolder)
        .getChildFile (productFolder)
        .getChildFile ("Setting.xml");
}

float SettingsFile::usableScale (double stored)
{
    if (!std::isfinite (stored))
        return 1.5f;

    if (stored < 1.25)
        return 1.0f;

    return stored < 1.75 ? 1.5f : 2.0f;
}

void SettingsFile::read (LineEditorAudioProcessor& p)
{
    const auto file = getFile (p.makerFolder, p.productFolder);

    juce::MemoryBlock data;

    if (RegularFileInput::readAll (file, maxSettingsBytes, data).failed() || data.getSize() == 0)
        return;

    const auto* bytes = static_cast<const char*> (data.getData());
    auto size = (int) data.getSize();

    if (size >= 3 && juce::CharPointer_UTF8::isByteOrderMark (bytes))
    {
        bytes += 3;
        size -= 3;
    }

    if (size <= 0 || !juce::CharPointer_UTF8::isValidString (bytes, size))
        return;

    const auto text = juce::String::fromUTF8 (bytes, size);

    // Our file is one element; the framework's parser only sees well-formed text.
    if (!XmlTextCheck::isWellFormed (text.toRawUTF8(), 64, 8))
        return;

    const auto xml = juce::parseXML (text);

    if (xml == nullptr || !xml->getTagName().equalsIgnoreCase ("Setting"))
        return;

    p.scaling = xml->hasAttribute (scalingId)
                    ? usableScale (XmlValueReader::readDouble (xml->getStringAttribute (scalingId)))
                    : 1.0f;
    p.skin = XmlValueReader::intAttribute (*xml, skinId, 1);
    p.waveView = XmlValueReader::intAttribute (*xml, waveViewId, 1);
    p.waveMainOnly = xml->getBoolAttribute (waveMainOnlyId, true);
    p.waveLR = XmlValueReader::intAttribute (*xml, waveLRId, 0);
}

bool SettingsFile::write (const LineEditorAudioProcessor& p)
{
    juce::XmlElement settings ("Setting");
    settings.setAttribute (scalingId, (double) p.scaling);
    settings.setAttribute (skinId, (int) p.skin);
    settings.setAttribute (waveViewId, (int) p.waveView);
    settings.setAttribute (waveMainOnlyId, p.waveMainOnly ? 1 : 0);
    settings.setAttribute (waveLRId, (int) p.waveLR);

    // Written beside the target under a temporary name, then moved over it: a write that fails
    // part way leaves the old file as it was.
    return SafeFileWriter::replaceWithText (getFile (p.makerFolder, p.productFolder),
                                            settings.toString (juce::XmlElement::TextFormat()));
}
