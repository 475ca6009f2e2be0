// A bounded queue of automation events that any thread may post to without a lock or an
// allocation (the plug-in posts set-value requests from the audio thread), and that the host
// drains on its own thread.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kalvo::aaxhost
{
struct AutomationEvent
{
    enum class Kind : uint8_t
    {
        Touch,
        SetValueRequest,
        Release,
        CurrentValue
    };

    Kind kind = Kind::Touch;
    char parameterID[32] = {}; // cut to 31 characters
    double value = 0.0;
};

class AutomationQueue
{
public:
    static constexpr size_t capacity = 1024;

    AutomationQueue();

    // False when the queue is full (the event is dropped and counted).
    bool push (AutomationEvent::Kind kind, const char* parameterID, double value) noexcept;
    // Takes every queued event, oldest first.
    std::vector<AutomationEvent> drain();
    size_t dropped() const noexcept { return droppedCount.load(); }

private:
    struct Cell
    {
        std::atomic<size_t> sequence{ 0 };
        AutomationEvent event;
    };

    bool pop (AutomationEvent& out) noexcept;

    std::array<Cell, capacity> cells;
    alignas (64) std::atomic<size_t> enqueuePos{ 0 };
    alignas (64) std::atomic<size_t> dequeuePos{ 0 };
    std::atomic<size_t> droppedCount{ 0 };
};
} // namespace kalvo::aaxhost
