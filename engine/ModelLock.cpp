#include "ModelLock.h"

void ModelLock::enter()
{
    section.enter();
    noteEntered();
}

bool ModelLock::tryEnter()
{
    if (!section.tryEnter())
        return false;
    noteEntered();
    return true;
}

void ModelLock::exit()
{
    if (--depth == 0)
        owner.store (std::thread::id{}, std::memory_order_relaxed);
    section.exit();
}

bool ModelLock::isHeldByCurrentThread() const noexcept
{
    return owner.load (std::memory_order_relaxed) == std::this_thread::get_id();
}

void ModelLock::noteEntered() noexcept
{
    if (depth++ == 0)
        owner.store (std::this_thread::get_id(), std::memory_order_relaxed);
}
