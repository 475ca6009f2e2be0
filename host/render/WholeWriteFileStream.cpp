#include "WholeWriteFileStream.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

WholeWriteFileStream::WholeWriteFileStream (const juce::File& file) : buffer (bufferSize)
{
    descriptor = ::open (file.getFullPathName().toRawUTF8(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (descriptor < 0)
        fail (errno);
}

WholeWriteFileStream::~WholeWriteFileStream()
{
    if (openedOk())
    {
        writeBuffered();
        ::close (descriptor);
    }
}

void WholeWriteFileStream::fail (int error)
{
    if (status.wasOk())
        status = juce::Result::fail (juce::String::fromUTF8 (std::strerror (error)));
}

bool WholeWriteFileStream::writeBuffered()
{
    for (size_t done = 0; done < buffered && status.wasOk();)
    {
        const auto n = ::write (descriptor, buffer + done, buffered - done);
        if (n > 0)
            done += static_cast<size_t> (n);
        else if (n == 0 || errno != EINTR)
            fail (n == 0 ? EIO : errno);
    }
    buffered = 0;
    return status.wasOk();
}

void WholeWriteFileStream::flush()
{
    if (openedOk())
        writeBuffered();
}

// Seeks even after a failed write: the WAV writer goes back to its header then, and takes a
// stream that cannot seek for a mistake of its caller.
bool WholeWriteFileStream::setPosition (juce::int64 newPosition)
{
    if (!openedOk())
        return false;
    writeBuffered();
    if (::lseek (descriptor, static_cast<off_t> (newPosition), SEEK_SET) < 0)
    {
        fail (errno);
        return false;
    }
    position = newPosition;
    return true;
}

bool WholeWriteFileStream::write (const void* data, size_t numBytes)
{
    for (auto* bytes = static_cast<const char*> (data); numBytes > 0 && openedOk() && status.wasOk();)
    {
        if (buffered == bufferSize && !writeBuffered())
            break;
        const auto n = std::min (numBytes, bufferSize - buffered);
        std::memcpy (buffer + buffered, bytes, n);
        buffered += n;
        position += static_cast<juce::int64> (n);
        bytes += n;
        numBytes -= n;
    }
    return openedOk() && status.wasOk();
}
