// Filling a list box with the elements of a list of the document, and mapping
// between list-box entries and list positions.
//
// A list box holds at most list_box_capacity entries: a longer fill keeps the
// last ones, so entry index + dropped = position in the list.
#pragma once

#include <windows.h>

#include <vector>

constexpr int list_box_capacity = 5000;

// The number of first elements that a fill of `count` elements leaves out.
int dropped_entries(int count);
// The list position an entry index names (-1 for a negative index).
int position_of_index(int index, int dropped);
// The entry index that shows a list position; -1 when it is not shown.
int index_of_position(int position, int dropped);

// A list box showing a list of the document, and how many of the list's
// first elements its last fill left out.
struct shown_list {
    HWND list_box = nullptr;
    int dropped = 0;
};

// The list position of the selected element, -1 when nothing is selected.
int selected_position(const shown_list& list);
// Selects the element at a list position; nothing is selected when that
// position is not shown.
void select_position(const shown_list& list, int position);

enum class keep_place { no, yes };

// Refills the list box with the entries (in order), on the thread that owns
// it, leaving the state that adding them one by one leaves: the last
// list_box_capacity entries, the top index scrolled to the newest entry, no
// selection. With keep_place::yes the selected element and the top element
// stay at their list positions. Redrawing is off during the fill and the list
// box is repainted once afterwards.
void fill_list_box_here(shown_list& list, const std::vector<const char*>& entries, keep_place keep);

// The straightforward refill, one entry at a time with three messages each
// (add, count, scroll), keeping the selection and top by index. The reference
// that fill_list_box_here must match, and the baseline of its benchmark.
void fill_list_box_entry_by_entry(HWND list_box, const std::vector<const char*>& entries, keep_place keep);
