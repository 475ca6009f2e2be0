#pragma once

// Counts heap allocations on any thread while an AllocationCounter lives. A binary that links
// AllocationCounter.cpp has the global allocation functions replaced, so it is built on its own.
class AllocationCounter
{
public:
    AllocationCounter();
    ~AllocationCounter();
    AllocationCounter (const AllocationCounter&) = delete;
    AllocationCounter& operator= (const AllocationCounter&) = delete;
    long count() const;
};
