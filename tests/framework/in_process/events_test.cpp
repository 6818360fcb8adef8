// The event queue and the event loop.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "framework/controls.h"
#include "framework/wk_app.h"
#include "tests/framework/in_process/test_windows.h"

namespace {

std::vector<wk_event> pending(wk_win& window) {
    const std::lock_guard<std::mutex> guard(window.event_lock);
    return {window.pending_events.begin(), window.pending_events.end()};
}

bool is_pending(wk_win& window, int kind, HWND control) {
    const std::vector<wk_event> events = pending(window);
    return std::find(events.begin(), events.end(), wk_event{kind, reinterpret_cast<LPARAM>(control)}) !=
           events.end();
}

TEST(event_queue, keeps_every_event_acted_on_in_order_and_passing_ones_only_alone) {
    recording_win& window = new_window();
    const wk_event click{event_activate, 0x11};
    const wk_event select_a{event_select, 0x21};
    const wk_event select_b{event_select, 0x22};
    const wk_event paint{event_paint, 0x41};
    const wk_event letter{event_char_d, 0x41};
    const wk_event arrow{event_key_down, 0x41};
    struct case_row {
        const char* what;
        std::vector<wk_event> posted;
        std::vector<wk_event> wanted;
    };
    const case_row rows[] = {
        {"a click, a selection, typing", {click, select_a, letter, arrow}, {click, select_a}},
        {"a repaint never replaces a click", {click, paint}, {click}},
        {"a click replaces a passing event", {paint, letter, click}, {click}},
        {"two clicks of one button", {click, click}, {click, click}},
        {"selections of one list merge", {select_a, select_a}, {select_a}},
        {"selections of two lists", {select_a, select_b, select_a}, {select_a, select_b, select_a}},
        {"a selection, a click, a selection", {select_a, click, select_a}, {select_a, click, select_a}},
        {"enter, then escape and a double click that nothing acts on",
         {{event_enter, 0x31}, {event_escape, 0x31}, {event_double_click, 0x21}},
         {{event_enter, 0x31}}},
        {"a close only wakes", {click, {event_none, 0}}, {click}},
    };
    for (const case_row& row : rows) {
        std::vector<wk_event> taken;
        run_on_gui_thread([&] {
            clear_events(window);
            for (const wk_event& event : row.posted) {
                post_event(&window, event.kind, event.value);
            }
            taken = pending(window);
        });
        EXPECT_EQ(taken, row.wanted) << row.what;
    }
    clear_events(window); // the commands queued above would hold input
}

// The handler is busy with a first command while the user clicks a button,
// moves a list's selection and types. The window goes on painting, and the
// click arrives; the keys wait until the command has finished, then move the
// selection and type, so the click and the selection arrive in that order.
TEST(event_loop, input_given_while_a_command_runs_waits_for_it_and_arrives_in_order) {
    recording_win& window = new_window();
    const HWND button = create_button(window, 10, 10, 24, "&Go", false);
    const HWND list = create_list_box(window, 100, 10, 100, 100);
    const HWND edit = create_edit_line(window, 220, 10);
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("one"));
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("two"));
    SendMessageA(list, LB_SETCURSEL, 0, 0);
    const DWORD saved_timeout = wk_app.wait_timeout_ms;
    wk_app.wait_timeout_ms = 50;
    const ULONGLONG deadline = GetTickCount64() + 20000;
    window.on_event = [&](const wk_event& event) {
        if (window.received.size() > 1) {
            return event.kind == event_select || GetTickCount64() > deadline ? loop_end : loop_go_on;
        }
        InvalidateRect(window.window_handle, nullptr, TRUE);
        EXPECT_TRUE(wait_until([&] { return GetUpdateRect(window.window_handle, nullptr, FALSE) == FALSE; }))
            << "not repainted while busy";
        PostMessageA(button, BM_CLICK, 0, 0);
        EXPECT_TRUE(wait_until([&] { return is_pending(window, event_activate, button); }));
        PostMessageA(list, WM_KEYDOWN, VK_DOWN, 0);
        for (const char letter : {'d', 'u', 'p'}) {
            PostMessageA(edit, WM_CHAR, static_cast<WPARAM>(letter), 0);
        }
        // Had the GUI thread taken the keys, it would have before this
        // request, which was queued after them.
        LRESULT selection = -1;
        int typed = -1;
        run_on_gui_thread([&] {
            selection = SendMessageA(list, LB_GETCURSEL, 0, 0);
            typed = GetWindowTextLengthA(edit);
        });
        EXPECT_EQ(selection, 0);
        EXPECT_EQ(typed, 0);
        return loop_go_on;
    };
    run_on_gui_thread([&] {
        clear_events(window);
        post_event(&window, event_command, 1);
    });
    event_loop(window);
    wk_app.wait_timeout_ms = saved_timeout;
    EXPECT_TRUE(wait_until([&] { return GetWindowTextLengthA(edit) == 3; }));

    // Empty events, repaints and keys may come too; nothing acts on them.
    std::erase_if(window.received,
                  [](const wk_event& e) { return e.kind == event_none || e.kind >= event_paint; });
    const auto value = [](HWND control) { return reinterpret_cast<LPARAM>(control); };
    EXPECT_EQ(window.received,
              (std::vector<wk_event>{
                  {event_command, 1}, {event_activate, value(button)}, {event_select, value(list)}}));
}

} // namespace
