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

}  // namespace vel::test
