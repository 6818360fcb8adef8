#include "app/list_box_lines.h"

#include <algorithm>
#include <cstring>

#include "framework/wk_app.h"

namespace list_box_lines {

namespace {

// Adding a line scrolls so that the newest shows in the last of this many rows.
constexpr int rows_up_to_newest = 12;
// Lines added per request to the GUI thread while a list is shown anew: a
// million lines take seconds, and the window paints between steps.
constexpr std::size_t lines_per_step = 20000;

// Room for a long list is asked for only after this many lines, with more
// lines to spare for the lines commands add later. Under Wine a list box
// grows its array of lines sixteen at a time, and once the array is large
// every growth past its memory region copies it whole: filling a million
// lines that way took 9 s of processor time instead of 3. Room asked for at
// once is lost again at the first line added (the array shrinks to what it
// holds); asked for once the array has a region of its own, it stays.
constexpr std::size_t lines_before_room = 32768;
constexpr std::size_t lines_to_spare = 65536;

// The list boxes are reached two ways, for a measured reason. Showing a list
// anew sends a message per line: from this thread each would be a round trip
// to the GUI thread (about a quarter of a millisecond under Wine), so the
// lines go in steps that run on the GUI thread. Changing one line takes a few
// messages, also run there in one request.
int send(HWND box, UINT message, WPARAM word = 0, LPARAM value = 0) {
    return static_cast<int>(SendMessageA(box, message, word, value));
}

LPARAM text_value(const char* text) {
    return reinterpret_cast<LPARAM>(text);
}

std::size_t total_bytes(const std::vector<const char*>& lines, std::size_t from) {
    std::size_t total = 0;
    for (std::size_t i = from; i < lines.size(); ++i) {
        total += std::strlen(lines[i]) + 1;
    }
    return total;
}

void scroll_to_newest_here(HWND box) {
    // Negative for a short list: the control then shows its first line.
    send(box, LB_SETTOPINDEX, static_cast<WPARAM>(send(box, LB_GETCOUNT) - rows_up_to_newest));
}

// Runs change on the GUI thread with redrawing off, then puts back the
// selected index and the top line, as showing the whole list again would,
// and repaints once.
template <typename Change> void change_keeping_place(HWND box, Change change) {
    run_on_gui_thread([box, &change] {
        send(box, WM_SETREDRAW, FALSE);
        const int top = send(box, LB_GETTOPINDEX);
        const int chosen = send(box, LB_GETCURSEL);
        change();
        send(box, LB_SETCURSEL, static_cast<WPARAM>(chosen));
        send(box, LB_SETTOPINDEX, static_cast<WPARAM>(top));
        send(box, WM_SETREDRAW, TRUE);
        InvalidateRect(box, nullptr, TRUE);
    });
}

} // namespace

int selected(HWND box) {
    return send(box, LB_GETCURSEL);
}

int line_count(HWND box) {
    return send(box, LB_GETCOUNT);
}

// A list box keeps its selection when asked to select past its end.
void select(HWND box, int line) {
    if (line >= line_count(box)) {
        line = -1;
    }
    send(box, LB_SETCURSEL, static_cast<WPARAM>(line));
}

void show_whole(HWND box, const std::vector<const char*>& lines, keep_place keep) {
    int top = 0;
    int chosen = -1;
    run_on_gui_thread([&] {
        send(box, WM_SETREDRAW, FALSE);
        top = send(box, LB_GETTOPINDEX);
        chosen = send(box, LB_GETCURSEL);
        send(box, LB_RESETCONTENT);
    });
    for (std::size_t from = 0; from < lines.size(); from += lines_per_step) {
        const std::size_t to = std::min(lines.size(), from + lines_per_step);
        run_on_gui_thread([&] {
            for (std::size_t i = from; i < to; ++i) {
                if (i == lines_before_room) {
                    send(box, LB_INITSTORAGE, lines.size() - i + lines_to_spare,
                         static_cast<LPARAM>(total_bytes(lines, i)));
                }
                send(box, LB_ADDSTRING, 0, text_value(lines[i]));
            }
        });
    }
    run_on_gui_thread([&] {
        scroll_to_newest_here(box);
        if (keep == keep_place::yes) {
            send(box, LB_SETCURSEL, static_cast<WPARAM>(chosen));
            send(box, LB_SETTOPINDEX, static_cast<WPARAM>(top));
        }
        send(box, WM_SETREDRAW, TRUE);
        InvalidateRect(box, nullptr, TRUE);
    });
}

void empty(HWND box) {
    send(box, LB_RESETCONTENT);
}

void insert(HWND box, int line, const char* text) {
    change_keeping_place(box,
                         [&] { send(box, LB_INSERTSTRING, static_cast<WPARAM>(line), text_value(text)); });
}

void remove(HWND box, int line) {
    change_keeping_place(box, [&] { send(box, LB_DELETESTRING, static_cast<WPARAM>(line)); });
}

void replace(HWND box, int line, const char* text) {
    change_keeping_place(box, [&] {
        send(box, LB_DELETESTRING, static_cast<WPARAM>(line));
        send(box, LB_INSERTSTRING, static_cast<WPARAM>(line), text_value(text));
    });
}

void forget_place(HWND box) {
    run_on_gui_thread([box] {
        send(box, LB_SETCURSEL, static_cast<WPARAM>(-1));
        scroll_to_newest_here(box);
    });
}

} // namespace list_box_lines
