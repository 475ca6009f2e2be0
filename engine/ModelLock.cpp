#include "ModelLock.h"

void ModelLock::enter()
{
    section.enter();
}

bool ModelLock::tryEnter()
{
    return section.tryEnter();
}

void ModelLock::exit()
{
    section.exit();
    if (auto* watch = releaseWatch.load (std::memory_order_relaxed))
        watch->released();
}
