#include "RegularFileInput.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
juce::String notRegular (const juce::String& path)
{
    return path + " is not a regular file (a pipe, a device or a socket)";
}

juce::String errorText (int error)
{
    return juce::String::fromUTF8 (std::strerror (error));
}
} // namespace

RegularFileInput::RegularFileInput (const juce::File& file) : path (file.getFullPathName())
{
    const auto* name = path.toRawUTF8();
    struct stat info = {};

    // stat neither opens nor blocks; it turns away what must not be opened at all.
    if (path.isEmpty() || ::stat (name, &info) != 0)
    {
        const auto error = path.isEmpty() ? ENOENT : errno;
        status = juce::Result::fail (error == ENOENT || error == ENOTDIR
                                         ? path + " does not exist"
                                         : path + " cannot be read: " + errorText (error));
        return;
    }
    if (S_ISDIR (info.st_mode))
    {
        status = juce::Result::fail (path + " is a folder");
        return;
    }
    if (!S_ISREG (info.st_mode))
    {
        status = juce::Result::fail (notRegular (path));
        return;
    }

    // Not blocking, even on a pipe put in place since the look above.
    descriptor = ::open (name, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0)
    {
        const auto error = errno;
        status = juce::Result::fail (path + " cannot be opened: " + errorText (error));
        return;
    }
    if (::fstat (descriptor, &info) != 0 || !S_ISREG (info.st_mode))
    {
        status = juce::Result::fail (S_ISDIR (info.st_mode) ? path + " is a folder" : notRegular (path));
        ::close (descriptor);
        descriptor = -1;
        return;
    }
    if (const auto flags = ::fcntl (descriptor, F_GETFL); flags != -1)
        ::fcntl (descriptor, F_SETFL, flags & ~O_NONBLOCK);
    size = static_cast<juce::int64> (info.st_size);
}

RegularFileInput::~RegularFileInput()
{
    if (descriptor >= 0)
        ::close (descriptor);
}

juce::Result RegularFileInput::sizeWithin (juce::int64 maxBytes) const
{
    if (size <= maxBytes)
        return juce::Result::ok();
    auto sizeText = juce::File::descriptionOfSizeInBytes (size);
    auto limitText = juce::File::descriptionOfSizeInBytes (maxBytes);
    // Rounded alike, the two would read as the same size.
    if (sizeText == limitText)
    {
        sizeText = juce::String (size) + " bytes";
        limitText = juce::String (maxBytes) + " bytes";
    }
    return juce::Result::fail (path + " is too large (" + sizeText + "; the limit is " + limitText + ")");
}

bool RegularFileInput::isRegularFile (const juce::File& file)
{
    struct stat info = {};
    return file.getFullPathName().isNotEmpty() && ::stat (file.getFullPathName().toRawUTF8(), &info) == 0 &&
           S_ISREG (info.st_mode);
}

juce::Result RegularFileInput::check (const juce::File& file, juce::int64 maxBytes)
{
    const RegularFileInput input (file);
    return input.openedOk() ? input.sizeWithin (maxBytes) : input.getStatus();
}

juce::Result RegularFileInput::readAll (const juce::File& file, juce::int64 maxBytes, juce::MemoryBlock& data)
{
    data.reset();
    RegularFileInput input (file);
    if (!input.openedOk())
        return input.getStatus();
    if (auto within = input.sizeWithin (maxBytes); within.failed())
        return within;

    // The size seen when it was opened bounds the read, however the file grows meanwhile.
    data.setSize (static_cast<size_t> (input.size));
    if (input.size > 0 && input.read (data.getData(), static_cast<int> (input.size)) != input.size)
    {
        data.reset();
        return juce::Result::fail (input.path + " could not be read to its end");
    }
    return juce::Result::ok();
}

int RegularFileInput::read (void* destBuffer, int maxBytesToRead)
{
    if (descriptor < 0 || maxBytesToRead <= 0)
        return 0;

    auto* bytes = static_cast<char*> (destBuffer);
    int done = 0;
    while (done < maxBytesToRead)
    {
        const auto n = ::read (descriptor, bytes + done, static_cast<size_t> (maxBytesToRead - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<int> (n);
    }
    position += done;
    return done;
}

bool RegularFileInput::setPosition (juce::int64 newPosition)
{
    if (descriptor < 0 || newPosition < 0)
        return false;
    if (newPosition == position)
        return true;
    const auto reached = ::lseek (descriptor, static_cast<off_t> (newPosition), SEEK_SET);
    if (reached < 0)
        return false;
    position = static_cast<juce::int64> (reached);
    return position == newPosition;
}
