// Looking inside elements in tests: content order and allocated array sizes.
#pragma once

#include "xml/element.h"

#include <cstddef>
#include <vector>

#include <malloc.h>

// One entry of an element's children array: a pointer to the child.
constexpr std::size_t child_entry_bytes = sizeof(void*);

inline std::vector<int> content_order_of(const Element* e) {
    const int n = e->child_count + e->text_count + e->block_count + e->attribute_count;
    return std::vector<int>(e->content_order, e->content_order + n);
}

inline std::size_t allocated_bytes(void* block) {
#ifdef _WIN32
    return _msize(block);
#else
    return malloc_usable_size(block);
#endif
}
