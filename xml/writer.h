// Turns an element tree back into XML text.
#pragma once

#include <cstddef>

struct Element;

// Level -1: unformatted; 0 or more: formatted with that many TABs before the element's tags.
// A null buffer only counts; otherwise the characters and a terminating NUL are written.
// Returns the number of characters, without the NUL. Allocates nothing, so it cannot run out of
// memory: the caller counts, allocates count + 1 and writes.
std::size_t write_element(const Element* element, char* buffer, int level);
