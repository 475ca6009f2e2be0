#include "ModifiedMark.h"

ModifiedMark& ModifiedMark::operator= (bool modified) noexcept
{
    if (modified)
        mark();
    else
        state.fetch_and (~Count{ 1 });
    return *this;
}

void ModifiedMark::mark() noexcept
{
    auto now = state.load();
    while (!state.compare_exchange_weak (now, (now + 2) | 1))
    {
    }
}

void ModifiedMark::clearUnlessMarkedSince (Count since) noexcept
{
    auto now = state.load();
    while ((now >> 1) == since && !state.compare_exchange_weak (now, now & ~Count{ 1 }))
    {
    }
}

void ModifiedMark::parameterChanged() noexcept
{
    // Only the one change announced: what a host does from inside it is a change of its own.
    auto announced = juce::Thread::getCurrentThreadId();
    if (!quietThread.compare_exchange_strong (announced, nullptr))
        mark();
}

ModifiedMark::Quiet::Quiet (ModifiedMark& mark) noexcept
    : owner (mark), before (mark.quietThread.exchange (juce::Thread::getCurrentThreadId()))
{
}

ModifiedMark::Quiet::~Quiet()
{
    owner.quietThread.store (before);
}
