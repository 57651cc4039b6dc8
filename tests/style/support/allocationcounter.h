#pragma once
// Counts heap allocations (malloc, calloc, realloc and so every operator new) made on the calling thread
// while a CountAllocations scope is open. Nothing is counted outside such a scope.
//
// Usage:
//     CountAllocations counting;
//     style.lookColor("ColorGUI");
//     EXPECT_EQ(counting.count(), 0);
//
// Plain builds interpose the allocation functions in this executable; sanitizer builds use the
// sanitizer's allocation hooks. allocationCountingWorks() checks that the counter sees allocations at all.

class CountAllocations {
public:
    CountAllocations();
    ~CountAllocations();
    CountAllocations(const CountAllocations&) = delete;
    CountAllocations& operator=(const CountAllocations&) = delete;

    // Allocations seen since this scope opened.
    long count() const;

private:
    long m_start;
};

// True when an allocation inside a scope is counted.
bool allocationCountingWorks();
