// The arrays of an Element. Each block records, just before its first entry, how many entries
// it has room for, so that an add knows whether the next entry fits whatever growth rule (exact
// or in blocks) sized the array, and whatever trimming happened since.
#pragma once

#include <cstddef>

// Entries in xml_malloc'd memory with room for capacity of them; null when memory ran out.
void* allocate_entries(std::size_t capacity, std::size_t entry_bytes);
// Moves entries (null: none yet) to a block with room for capacity of them. Null when memory
// ran out; entries are then left as they were.
void* reallocate_entries(void* entries, std::size_t capacity, std::size_t entry_bytes);
// Null: nothing.
void free_entries(void* entries);
// 0 for null.
std::size_t entry_capacity(const void* entries);

// T is often a pointer (the children): each entry takes the pointer's own size.
template <typename T> constexpr std::size_t entry_bytes_of = sizeof(T); // NOLINT(bugprone-sizeof-expression)

template <typename T> T* allocate_array(std::size_t capacity) {
    return static_cast<T*>(allocate_entries(capacity, entry_bytes_of<T>));
}

// False when memory ran out; the array is then unchanged.
template <typename T> bool reallocate_array(T*& array, std::size_t capacity) {
    void* const moved = reallocate_entries(array, capacity, entry_bytes_of<T>);
    if (moved == nullptr) {
        return false;
    }
    array = static_cast<T*>(moved);
    return true;
}
