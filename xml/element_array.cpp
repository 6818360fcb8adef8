#include "xml/element_array.h"

#include "xml/allocation.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// The capacity goes in front of the entries. The entries are pointers, records of pointers or
// integers: a header of a pointer's alignment keeps them aligned, with no bytes lost to padding.
constexpr std::size_t header_bytes = sizeof(std::size_t) > alignof(void*) ? sizeof(std::size_t)
                                                                          : alignof(void*);
static_assert(header_bytes % alignof(void*) == 0 && header_bytes % alignof(int) == 0);

char* block_of(const void* entries) {
    return static_cast<char*>(const_cast<void*>(entries)) - header_bytes;
}

// The block's size in bytes, or 0 when it would not fit in a size_t.
std::size_t block_bytes(std::size_t capacity, std::size_t entry_bytes) {
    if (entry_bytes != 0 && capacity > (SIZE_MAX - header_bytes) / entry_bytes) {
        return 0;
    }
    return header_bytes + capacity * entry_bytes;
}

void* entries_of(void* block, std::size_t capacity) {
    std::memcpy(block, &capacity, sizeof capacity);
    return static_cast<char*>(block) + header_bytes;
}

} // namespace

void* allocate_entries(std::size_t capacity, std::size_t entry_bytes) {
    return reallocate_entries(nullptr, capacity, entry_bytes);
}

void* reallocate_entries(void* entries, std::size_t capacity, std::size_t entry_bytes) {
    const std::size_t bytes = block_bytes(capacity, entry_bytes);
    if (bytes == 0) {
        return nullptr;
    }
    void* const block = xml_realloc(entries != nullptr ? block_of(entries) : nullptr, bytes);
    return block != nullptr ? entries_of(block, capacity) : nullptr;
}

void free_entries(void* entries) {
    if (entries != nullptr) {
        std::free(block_of(entries));
    }
}

std::size_t entry_capacity(const void* entries) {
    if (entries == nullptr) {
        return 0;
    }
    std::size_t capacity = 0;
    std::memcpy(&capacity, block_of(entries), sizeof capacity);
    return capacity;
}
