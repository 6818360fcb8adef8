#pragma once

#include "model/text.h"

// A singly linked list of Text elements through `chain`. The list owns its
// elements (each allocated with new); positions are 0-based.
struct TextList {
    Text* first = nullptr;

    TextList() = default;
    TextList(const TextList& other);            // deep copy
    TextList& operator=(const TextList& other); // deep copy
    TextList(TextList&& other) noexcept;        // other is left empty
    TextList& operator=(TextList&& other) noexcept;
    ~TextList(); // text_list_clear
};

void text_list_append(TextList& list, const char* s);
// Takes ownership of e (allocated with new), sets its chain to null and links it
// last. Returns e. A null e changes nothing.
Text* text_list_append_element(TextList& list, Text* e);
// The element at position i; null past the end or for i < 0.
Text* text_list_at(const TextList& list, int i);
// Unlinks and destroys e. Returns e's successor, or null when e was last or
// was not in the list (then nothing changes).
Text* text_list_remove(TextList& list, Text* e);
void text_list_clear(TextList& list);
// dst becomes a deep copy of src (copying a list onto itself changes nothing).
void text_list_copy(TextList& dst, const TextList& src);
// Inserts a copy of s before the first element that orders strictly after it
// (compare_ignoring_ascii_case), so it goes after every equal element.
void text_list_insert_sorted(TextList& list, const char* s);
// Stable sort by compare_ignoring_ascii_case, O(n log n). The elements are
// relinked, not re-created: pointers to them stay valid.
void text_list_sort(TextList& list);
int text_list_length(const TextList& list);
