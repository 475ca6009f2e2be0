// The host's real-time thread: one thread that runs each job handed to it, while the thread that
// hands it over waits. Process procedures run here; every other call stays on the host's own
// thread, which is the plug-in's message thread.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace kalvo::aaxhost
{
class RenderThread
{
public:
    RenderThread();
    ~RenderThread();
    RenderThread (const RenderThread&) = delete;
    RenderThread& operator= (const RenderThread&) = delete;

    // Runs job on the render thread and returns when it has finished.
    void run (const std::function<void()>& job);
    std::thread::id id() const noexcept { return worker.get_id(); }

private:
    void loop();

    std::mutex lock;
    std::condition_variable changed;
    const std::function<void()>* pending = nullptr;
    bool finished = false;
    bool stopping = false;
    std::thread worker;
};
} // namespace kalvo::aaxhost
