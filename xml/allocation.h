// Every block that xml/ allocates comes from here, so that running out of memory is noticed
// in one place, and so that a caller can cap how many blocks the subsystem may take.
#pragma once

#include <cstddef>

// Null when the memory is not available (or the cap below is used up).
void* xml_malloc(std::size_t bytes);
void* xml_calloc(std::size_t count, std::size_t bytes);
// Null on failure, and then block is left as it was: the caller still owns and frees it.
void* xml_realloc(void* block, std::size_t bytes);

// While it lives, at most `allowed` further allocations of xml/ succeed on this thread; the
// ones after that fail as if memory had run out. Scopes nest; the previous cap comes back when
// one ends. This is how the out-of-memory paths of the parser and the tree are rehearsed.
class AllocationLimitScope {
  public:
    explicit AllocationLimitScope(long long allowed);
    ~AllocationLimitScope();
    AllocationLimitScope(const AllocationLimitScope&) = delete;
    AllocationLimitScope& operator=(const AllocationLimitScope&) = delete;

    // Whether every allocation this cap allows has been taken (the next one would fail).
    bool exhausted() const;

  private:
    long long saved_;
};
