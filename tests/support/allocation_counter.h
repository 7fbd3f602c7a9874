// Counts heap allocations made through operator new while a scope is open,
// for the tests that hold the sampling and drawing paths to "no allocation".
#pragma once

namespace vel::test {

class CountAllocations {
public:
    CountAllocations();
    ~CountAllocations();
    CountAllocations(const CountAllocations&) = delete;
    CountAllocations& operator=(const CountAllocations&) = delete;
    long count() const;
};

// Blocks from operator new not yet given back, counted at all times: equal
// figures at two moments mean the heap holds as many blocks as before.
long liveAllocations();

}  // namespace vel::test
