// The controls' keyboard handling (key filter, tab order, Alt letters) and
// the readers of their contents.
#include <gtest/gtest.h>

#include <string>

#include "framework/controls.h"
#include "framework/wk_app.h"
#include "tests/framework/in_process/test_windows.h"

namespace {

std::string text_of(HWND control) {
    Text text;
    read_control_text(control, text);
    return text.chars;
}

// Keys sent through the box's subclass procedure: Enter and Esc never reach
// the box, letters and arrows reach it and are reported on the way.
TEST(key_filter, consumes_enter_and_escape_and_reports_the_keys_it_passes_on) {
    recording_win& window = new_window();
    const HWND box = create_edit_box(window);
    const auto window_value = reinterpret_cast<LPARAM>(window.window_handle);
    struct case_row {
        UINT message;
        WPARAM key;
        int kind;
        const char* box_text;
    };
    const case_row rows[] = {
        {WM_CHAR, '\r', event_enter, ""},          {WM_CHAR, 27, event_escape, ""},
        {WM_CHAR, 'D', event_char_d, "D"},         {WM_CHAR, 'x', event_none, "x"},
        {WM_KEYDOWN, VK_DOWN, event_key_down, ""}, {WM_SYSCHAR, 'z', event_none, ""},
    };
    for (const case_row& row : rows) {
        SetWindowTextA(box, "");
        run_on_gui_thread([&] { clear_events(window); });
        SendMessageA(box, row.message, row.key, 0);
        EXPECT_EQ(take_event(window), (wk_event{row.kind, row.kind == event_none ? 0 : window_value}))
            << "key " << row.key;
        EXPECT_EQ(text_of(box), row.box_text) << "key " << row.key;
    }
}

TEST(tab_order, tab_moves_the_focus_along_the_creation_order_and_wraps_around) {
    recording_win& window = new_window();
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
}

TEST(alt_letters, choose_the_first_button_marking_the_letter_and_never_an_edit_box) {
    recording_win& window = new_window();
    const HWND edit = create_edit_line(window, 10, 10);
    const HWND remove = create_button(window, 200, 10, 24, "&Delete Symbol", false);
    const HWND done = create_button(window, 200, 40, 24, "&Done", false);
    const HWND quit = create_button(window, 200, 70, 24, "Save && &Quit", false);
    create_button(window, 200, 100, 24, "A & B", false);
    SetWindowTextA(edit, "R&D &x Tom & Jerry");
    const std::pair<char, HWND> rows[] = {
        {'d', remove}, {'D', remove}, {'q', quit}, {' ', nullptr}, {'x', nullptr}, {'z', nullptr},
    };
    for (const auto& [key, wanted] : rows) {
        int result = -1;
        wk_event event;
        run_on_gui_thread([&] {
            clear_events(window);
            result = key_filter(WM_SYSCHAR, static_cast<WPARAM>(key), edit);
            event = take_event(window);
        });
        EXPECT_EQ(result, wanted != nullptr ? 1 : 0) << "Alt+" << key;
        EXPECT_EQ(event, (wk_event{wanted != nullptr ? event_activate : event_none,
                                   reinterpret_cast<LPARAM>(wanted)}))
            << "Alt+" << key;
    }
    SetWindowTextA(remove, "Remove");
    run_on_gui_thread([&] { EXPECT_EQ(find_accelerator(window, 'd')->control, done) << "labels read anew"; });
}

TEST(readers, read_texts_and_selections_whole) {
    recording_win& window = new_window();
    const HWND box = create_edit_box(window);
    SendMessageA(box, EM_SETLIMITTEXT, 0, 0);
    const std::string long_text = std::string(12000, 'x') + "end";
    SetWindowTextA(box, long_text.c_str());
    EXPECT_EQ(text_of(box), long_text);

    const HWND list = create_list_box(window, 10, 10, 200, 200);
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("first"));
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(long_text.c_str()));
    Text text("stale");
    read_list_selection(list, text);
    EXPECT_STREQ(text.chars, "") << "no selection";
    SendMessageA(list, LB_SETCURSEL, 1, 0);
    read_list_selection(list, text);
    EXPECT_EQ(std::string(text.chars), long_text);
}

} // namespace
