#pragma once

// The test programs replace operator new so that one chosen allocation can
// fail, as when memory runs out in the middle of an operation.

#include <new>

// Allocations still allowed before the one that fails (-1: none fails), and
// whether that failure happened.
extern long allocations_before_failure;
extern bool allocation_failed;

// Runs operation with its allocation number n (from 0) failing; true when the
// operation threw std::bad_alloc. allocation_failed then tells whether the
// operation made that many allocations at all.
template <typename Operation>
bool run_with_allocation_failing(long n, Operation operation) {
    allocation_failed = false;
    allocations_before_failure = n;
    bool threw = false;
    try {
        operation();
    } catch (const std::bad_alloc&) {
        threw = true;
    }
    allocations_before_failure = -1;
    return threw;
}
