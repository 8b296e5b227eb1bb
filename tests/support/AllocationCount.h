// Counts every allocation of a program that links brenvik_allocation_count, the libraries
// it loads included (the library replaces operator new), for tests that prove a path
// allocates nothing.
#pragma once

namespace brenvik::test {

// Allocations so far in the whole program.
long allocationCount();

}  // namespace brenvik::test
