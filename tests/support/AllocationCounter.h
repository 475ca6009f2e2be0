#pragma once

// Counts the heap allocations (new, malloc and their kin) its own thread makes while an
// AllocationCounter lives. A binary that links AllocationCounter.cpp has the global allocation
// functions replaced, so it is built on its own.
class AllocationCounter
{
public:
    AllocationCounter();
    ~AllocationCounter();
    AllocationCounter (const AllocationCounter&) = delete;
    AllocationCounter& operator= (const AllocationCounter&) = delete;
    long count() const;
};
