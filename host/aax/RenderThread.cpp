#include "RenderThread.h"

namespace kalvo::aaxhost
{
RenderThread::RenderThread() : worker ([this] { loop(); }) {}

RenderThread::~RenderThread()
{
    {
        const std::lock_guard<std::mutex> guard (lock);
        stopping = true;
    }
    changed.notify_all();
    worker.join();
}

void RenderThread::run (const std::function<void()>& job)
{
    std::unique_lock<std::mutex> guard (lock);
    pending = &job;
    finished = false;
    changed.notify_all();
    changed.wait (guard, [this] { return finished; });
    pending = nullptr;
}

void RenderThread::loop()
{
    std::unique_lock<std::mutex> guard (lock);
    for (;;)
    {
        changed.wait (guard, [this] { return stopping || (pending != nullptr && !finished); });
        if (stopping)
            return;
        const auto* job = pending;
        guard.unlock();
        (*job)();
        guard.lock();
        finished = true;
        changed.notify_all();
    }
}
} // namespace kalvo::aaxhost
