// The controls' keyboard handling (key filter, tab order, Alt letters) and
// the readers of their contents.
#include <gtest/gtest.h>

#include <string>

#include "framework/controls.h"
#include "framework/wk_app.h"
#include "tests/framework/in_process/test_windows.h"

namespace {

void set_text(HWND control, const char* text) {
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

std::string text_of(HWND control) {
    Text text;
    read_control_text(control, text);
    return text.chars;
}

TEST(key_filter, consumes_enter_and_escape_and_reports_the_keys_it_passes_on) {
    recording_win& window = new_window();
    const HWND box = create_edit_box(window);
    const auto window_value = reinterpret_cast<LPARAM>(window.window_handle);
    struct case_row {
        UINT message;
        WPARAM key;
        int kind;
        const char* box_text; // what the box shows afterwards
    };
    const case_row rows[] = {
        {WM_CHAR, '\r', event_enter, ""},        {WM_CHAR, 27, event_escape, ""},
        {WM_CHAR, 'D', event_char_d, "D"},       {WM_CHAR, 'n', event_char_n, "n"},
        {WM_CHAR, 'x', event_none, "x"},         {WM_KEYDOWN, VK_DOWN, event_key_down, ""},
        {WM_KEYDOWN, VK_ADD, event_key_add, ""}, {WM_SYSCHAR, 'z', event_none, ""},
    };
    for (const case_row& row : rows) {
        set_text(box, "");
        run_on_gui_thread([&] { clear_events(window); });
        SendMessageA(box, row.message, row.key, 0); // through the box's subclass procedure
        const wk_event event = take_event(window);
        EXPECT_EQ(event.kind, row.kind) << "message " << row.message << " key " << row.key;
        EXPECT_EQ(event.value, row.kind == event_none ? 0 : window_value) << "key " << row.key;
        EXPECT_EQ(text_of(box), row.box_text) << "message " << row.message << " key " << row.key;
    }
}

TEST(tab_order, tab_moves_the_focus_along_the_creation_order_and_wraps_around) {
    recording_win& window = new_window();
    create_label(window, "Label:", 5, 6, 70, 20); // never in the tab order
    const HWND a = create_edit_line(window, 10, 10);
    const HWND b = create_button(window, 200, 10, 24, "&B", false);
    const HWND c = create_list_box(window, 300, 10, 100, 100);
    EXPECT_EQ(focus_control.load(), a) << "the first control has the focus";
    for (const auto& [from, to] : {std::pair{a, b}, std::pair{b, c}, std::pair{c, a}}) {
        SendMessageA(from, WM_CHAR, '\t', 0);
        HWND focused = nullptr;
        run_on_gui_thread([&] { focused = GetFocus(); });
        EXPECT_EQ(focused, to);
    }
    // Shift+Tab: backwards, the first wraps to the last.
    EXPECT_EQ(tab_target(window, a, true)->control, c);
    EXPECT_EQ(tab_target(window, b, true)->control, a);
    EXPECT_EQ(tab_target(window, window.window_handle, false), nullptr) << "not in the tab order";
}

TEST(alt_letters, choose_the_first_button_marking_the_letter_and_never_an_edit_box) {
    recording_win& window = new_window();
    const HWND edit = create_edit_line(window, 10, 10);
    const HWND box = create_edit_box(window);
    const HWND remove = create_button(window, 200, 10, 24, "&Delete Symbol", false);
    const HWND done = create_button(window, 200, 40, 24, "&Done", false);
    const HWND quit = create_button(window, 200, 70, 24, "Save && &Quit", false);
    create_button(window, 200, 100, 24, "A & B", false);
    set_text(edit, "R&D");
    set_text(box, "Tom & Jerry &x");
    struct case_row {
        const char* what;
        char key;
        HWND wanted; // null: passed on
    };
    const case_row rows[] = {
        {"first button of two, not the edit box before them", 'd', remove},
        {"either case", 'D', remove},
        {"a doubled '&' marks nothing", 'q', quit},
        {"a blank stays the system's", ' ', nullptr},
        {"an edit box's text marks nothing", 'x', nullptr},
        {"unmarked", 'z', nullptr},
    };
    for (const case_row& row : rows) {
        int result = -1;
        wk_event event;
        run_on_gui_thread([&] {
            clear_events(window);
            result = key_filter(WM_SYSCHAR, static_cast<WPARAM>(row.key), edit);
            event = take_event(window);
        });
        EXPECT_EQ(result, row.wanted != nullptr ? 1 : 0) << row.what;
        EXPECT_EQ(event.kind, row.wanted != nullptr ? event_activate : event_none) << row.what;
        EXPECT_EQ(event.value, reinterpret_cast<LPARAM>(row.wanted)) << row.what;
    }
    set_text(remove, "Remove");
    run_on_gui_thread([&] { EXPECT_EQ(find_accelerator(window, 'd')->control, done) << "labels read anew"; });
}

TEST(readers, read_texts_and_selections_whole) {
    recording_win& window = new_window();
    const HWND box = create_edit_box(window);
    SendMessageA(box, EM_SETLIMITTEXT, 0, 0);
    const std::string long_text = "a" + std::string(12000, 'x') + "z";
    set_text(box, long_text.c_str());
    EXPECT_EQ(text_of(box), long_text);

    const HWND list = create_list_box(window, 10, 10, 200, 200);
    const std::string long_entry = std::string(15000, 'y') + "end";
    for (const char* entry : {"first", long_entry.c_str()}) {
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
    }
    Text text("stale");
    read_list_selection(list, text);
    EXPECT_STREQ(text.chars, "") << "no selection";
    SendMessageA(list, LB_SETCURSEL, 1, 0);
    read_list_selection(list, text);
    EXPECT_TRUE(text.chars == long_entry);
}

} // namespace
