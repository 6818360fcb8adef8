#include "app/list_box_fill.h"

#include <algorithm>
#include <cstring>

namespace {

// The fill scrolls so that the newest entry shows in the last of this many rows.
constexpr int rows_up_to_newest = 12;

int send(HWND list_box, UINT message, WPARAM word = 0, LPARAM value = 0) {
    return static_cast<int>(SendMessageA(list_box, message, word, value));
}

std::size_t total_bytes(const std::vector<const char*>& entries, std::size_t from) {
    std::size_t total = 0;
    for (std::size_t i = from; i < entries.size(); ++i) {
        total += std::strlen(entries[i]) + 1;
    }
    return total;
}

void redraw_off(HWND list_box) {
    send(list_box, WM_SETREDRAW, FALSE);
}

void redraw_on(HWND list_box) {
    send(list_box, WM_SETREDRAW, TRUE);
    InvalidateRect(list_box, nullptr, TRUE);
}

} // namespace

int dropped_entries(int count) {
    return std::max(0, count - list_box_capacity);
}

int position_of_index(int index, int dropped) {
    return index < 0 ? -1 : index + dropped;
}

int index_of_position(int position, int dropped) {
    return position < dropped ? -1 : position - dropped;
}

int selected_position(const shown_list& list) {
    return position_of_index(send(list.list_box, LB_GETCURSEL), list.dropped);
}

// A list box keeps its selection when asked to select past its end.
void select_position(const shown_list& list, int position) {
    int index = index_of_position(position, list.dropped);
    if (index >= send(list.list_box, LB_GETCOUNT)) {
        index = -1;
    }
    send(list.list_box, LB_SETCURSEL, static_cast<WPARAM>(index));
}

void fill_list_box_here(shown_list& list, const std::vector<const char*>& entries, keep_place keep) {
    const HWND box = list.list_box;
    redraw_off(box);
    const int selected = position_of_index(send(box, LB_GETCURSEL), list.dropped);
    const int top = send(box, LB_GETTOPINDEX) + list.dropped;

    send(box, LB_RESETCONTENT);
    const int count = static_cast<int>(entries.size());
    const int dropped = dropped_entries(count);
    send(box, LB_INITSTORAGE, static_cast<WPARAM>(count - dropped),
         static_cast<LPARAM>(total_bytes(entries, static_cast<std::size_t>(dropped))));
    for (int i = dropped; i < count; ++i) {
        send(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entries[static_cast<std::size_t>(i)]));
    }
    if (count > 0) {
        // The count that the last one-by-one step saw, before dropping the
        // first entry; the same message lets the control clamp it alike.
        const int last_seen_count = dropped > 0 ? list_box_capacity + 1 : count;
        send(box, LB_SETTOPINDEX, static_cast<WPARAM>(last_seen_count - rows_up_to_newest));
    }
    list.dropped = dropped;

    if (keep == keep_place::yes) {
        send(box, LB_SETCURSEL, static_cast<WPARAM>(index_of_position(selected, dropped)));
        send(box, LB_SETTOPINDEX, static_cast<WPARAM>(std::max(0, top - dropped)));
    }
    redraw_on(box);
}

void fill_list_box_entry_by_entry(HWND list_box, const std::vector<const char*>& entries, keep_place keep) {
    redraw_off(list_box);
    const int top = send(list_box, LB_GETTOPINDEX);
    const int selected = send(list_box, LB_GETCURSEL);
    send(list_box, LB_RESETCONTENT);
    for (const char* entry : entries) {
        send(list_box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
        const int count = send(list_box, LB_GETCOUNT);
        if (count > list_box_capacity) {
            send(list_box, LB_DELETESTRING, 0);
        }
        send(list_box, LB_SETTOPINDEX, static_cast<WPARAM>(count - rows_up_to_newest));
    }
    if (keep == keep_place::yes) {
        send(list_box, LB_SETCURSEL, static_cast<WPARAM>(selected));
        send(list_box, LB_SETTOPINDEX, static_cast<WPARAM>(top));
    }
    redraw_on(list_box);
}
