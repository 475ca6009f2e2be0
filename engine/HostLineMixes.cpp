#include "HostLineMixes.h"

void HostLineMixes::set (int line, float value) noexcept
{
    if (line < 0 || line >= numLines)
        return;
    values[line].store (value, std::memory_order_relaxed);
    waiting[line].store (true, std::memory_order_release);
}

bool HostLineMixes::take (int line, float& value) noexcept
{
    if (line < 0 || line >= numLines || !waiting[line].exchange (false, std::memory_order_acquire))
        return false;
    // A set between the exchange and this load leaves its flag raised: the next take repeats it.
    value = values[line].load (std::memory_order_relaxed);
    return true;
}

void HostLineMixes::discard() noexcept
{
    for (auto& flag : waiting)
        flag.store (false, std::memory_order_relaxed);
}
