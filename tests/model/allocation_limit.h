#pragma once

// The test programs replace operator new so that one chosen allocation can
// fail, as when memory runs out in the middle of an operation.

#include <new>

// Allocations this thread may still make before the one that fails; -1: none
// fails. Other threads (a GUI thread pumping meanwhile) are never failed.
extern thread_local long allocations_before_failure;

// Runs operation with its allocation number n (from 0) failing, when it makes
// that many; true when the operation threw std::bad_alloc.
template <typename Operation> bool throws_with_allocation_failing(long n, Operation operation) {
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
