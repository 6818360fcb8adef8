#include "xml/allocation.h"

#include <cstdlib>
#include <utility>

namespace {

constexpr long long unlimited = -1;

thread_local long long allocations_left = unlimited;

// Takes one allocation from the cap; false when none is left.
bool take_allocation() {
    if (allocations_left == unlimited) {
        return true;
    }
    if (allocations_left == 0) {
        return false;
    }
    --allocations_left;
    return true;
}

} // namespace

void* xml_malloc(std::size_t bytes) {
    return take_allocation() ? std::malloc(bytes) : nullptr;
}

void* xml_calloc(std::size_t count, std::size_t bytes) {
    return take_allocation() ? std::calloc(count, bytes) : nullptr;
}

void* xml_realloc(void* block, std::size_t bytes) {
    return take_allocation() ? std::realloc(block, bytes) : nullptr;
}

AllocationLimitScope::AllocationLimitScope(long long allowed)
    : saved_(std::exchange(allocations_left, allowed < 0 ? 0 : allowed)) {}

AllocationLimitScope::~AllocationLimitScope() {
    allocations_left = saved_;
}

bool AllocationLimitScope::exhausted() const {
    return allocations_left == 0;
}
