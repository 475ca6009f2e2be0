#include "StderrCapture.h"

#include <cstdio>
#include <unistd.h>

#include <utility>

namespace kalvo::aaxhost
{
namespace
{
// Written by take() and recognised by the reader: everything before it has arrived.
constexpr char marker = '\x1d';
} // namespace

StderrCapture::StderrCapture()
{
    int ends[2] = { -1, -1 };
    std::fflush (stderr);
    if (pipe (ends) != 0)
        return;
    savedDescriptor = dup (STDERR_FILENO);
    if (savedDescriptor < 0 || dup2 (ends[1], STDERR_FILENO) < 0)
    {
        close (ends[0]);
        close (ends[1]);
        return;
    }
    close (ends[1]);
    readDescriptor = ends[0];
    reader = std::thread ([this] { pump(); });
}

StderrCapture::~StderrCapture()
{
    if (readDescriptor < 0)
        return;
    take();
    std::fflush (stderr);
    // Closing the pipe's last write end ends the reader.
    dup2 (savedDescriptor, STDERR_FILENO);
    reader.join();
    close (readDescriptor);
    close (savedDescriptor);
}

std::string StderrCapture::take()
{
    if (readDescriptor < 0)
        return {};
    std::fflush (stderr);
    std::unique_lock<std::mutex> guard (lock);
    const size_t wanted = markers + 1;
    guard.unlock();
    const ssize_t written = write (STDERR_FILENO, &marker, 1);
    guard.lock();
    if (written == 1)
        arrived.wait (guard, [&] { return markers >= wanted; });
    return std::exchange (text, {});
}

void StderrCapture::pump()
{
    char buffer[4096];
    for (;;)
    {
        const ssize_t got = read (readDescriptor, buffer, sizeof (buffer));
        if (got <= 0)
            return;
        std::string passOn;
        {
            const std::lock_guard<std::mutex> guard (lock);
            for (ssize_t i = 0; i < got; ++i)
            {
                if (buffer[i] == marker)
                    ++markers;
                else
                {
                    text += buffer[i];
                    passOn += buffer[i];
                }
            }
        }
        arrived.notify_all();
        const ssize_t ignored = write (savedDescriptor, passOn.data(), passOn.size());
        (void) ignored;
    }
}
} // namespace kalvo::aaxhost
