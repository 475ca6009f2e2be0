// Catches what a loaded module writes to the process's standard error (the module's JUCE writes its
// assertion reports there), so that a test can fail on them. Everything is passed on to the real
// standard error as it arrives, so a crash report is never lost.
#pragma once

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace kalvo::aaxhost
{
class StderrCapture
{
public:
    StderrCapture();
    ~StderrCapture();
    StderrCapture (const StderrCapture&) = delete;
    StderrCapture& operator= (const StderrCapture&) = delete;

    // Everything written to fd 2 since the capture began (or since the last call).
    std::string take();

private:
    void pump();

    int savedDescriptor = -1;
    int readDescriptor = -1;
    std::mutex lock;
    std::condition_variable arrived;
    std::string text;
    size_t markers = 0;
    std::thread reader;
};
} // namespace kalvo::aaxhost
