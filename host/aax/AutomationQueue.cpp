#include "AutomationQueue.h"

#include <cstring>

namespace kalvo::aaxhost
{
// Each cell's sequence number tells whose turn it is: equal to the position when free for a
// producer, position + 1 when filled for the consumer (the bounded multi-producer scheme).
AutomationQueue::AutomationQueue()
{
    for (size_t i = 0; i < capacity; ++i)
        cells[i].sequence.store (i, std::memory_order_relaxed);
}

bool AutomationQueue::push (AutomationEvent::Kind kind, const char* parameterID, double value) noexcept
{
    size_t pos = enqueuePos.load (std::memory_order_relaxed);
    Cell* cell = nullptr;
    for (;;)
    {
        cell = &cells[pos % capacity];
        const size_t seq = cell->sequence.load (std::memory_order_acquire);
        const auto diff = static_cast<std::ptrdiff_t> (seq) - static_cast<std::ptrdiff_t> (pos);
        if (diff == 0)
        {
            if (enqueuePos.compare_exchange_weak (pos, pos + 1, std::memory_order_relaxed))
                break;
        }
        else if (diff < 0)
        {
            droppedCount.fetch_add (1, std::memory_order_relaxed);
            return false;
        }
        else
        {
            pos = enqueuePos.load (std::memory_order_relaxed);
        }
    }

    cell->event.kind = kind;
    cell->event.value = value;
    std::memset (cell->event.parameterID, 0, sizeof (cell->event.parameterID));
    if (parameterID != nullptr)
        for (size_t i = 0; i + 1 < sizeof (cell->event.parameterID) && parameterID[i] != '\0'; ++i)
            cell->event.parameterID[i] = parameterID[i];
    cell->sequence.store (pos + 1, std::memory_order_release);
    return true;
}

bool AutomationQueue::pop (AutomationEvent& out) noexcept
{
    size_t pos = dequeuePos.load (std::memory_order_relaxed);
    Cell* cell = nullptr;
    for (;;)
    {
        cell = &cells[pos % capacity];
        const size_t seq = cell->sequence.load (std::memory_order_acquire);
        const auto diff = static_cast<std::ptrdiff_t> (seq) - static_cast<std::ptrdiff_t> (pos + 1);
        if (diff == 0)
        {
            if (dequeuePos.compare_exchange_weak (pos, pos + 1, std::memory_order_relaxed))
                break;
        }
        else if (diff < 0)
        {
            return false;
        }
        else
        {
            pos = dequeuePos.load (std::memory_order_relaxed);
        }
    }

    out = cell->event;
    cell->sequence.store (pos + capacity, std::memory_order_release);
    return true;
}

std::vector<AutomationEvent> AutomationQueue::drain()
{
    std::vector<AutomationEvent> events;
    AutomationEvent event;
    while (pop (event))
        events.push_back (event);
    return events;
}
} // namespace kalvo::aaxhost
