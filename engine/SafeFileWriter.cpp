#include "SafeFileWriter.h"

bool SafeFileWriter::replaceWithData (const juce::File& target, const void* data, size_t numBytes)
{
    if (target.isDirectory())
        return false;

    juce::TemporaryFile temporary (target);

    {
        juce::FileOutputStream out (temporary.getFile());

        if (!out.openedOk())
            return false;

        if (numBytes > 0 && !out.write (data, numBytes))
            return false;

        out.flush();

        if (out.getStatus().failed())
            return false;
    }

    if (temporary.getFile().getSize() != (juce::int64) numBytes)
        return false;

    return temporary.overwriteTargetFileWithTemporary();
}

bool SafeFileWriter::replaceWithText (const juce::File& target, const juce::String& text)
{
    return replaceWithData (target, text.toRawUTF8(), text.getNumBytesAsUTF8());
}
