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
        {"enter and escape",
         {{event_enter, 0x31}, {event_escape, 0x31}},
         {{event_enter, 0x31}, {event_escape, 0x31}}},
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
}

// The handler is busy with a first event while the user clicks a button,
// moves a list's selection and types: the click and the selection arrive
// afterwards, once each, in that order.
TEST(event_loop, events_made_while_the_handler_is_busy_arrive_once_each_in_order) {
    recording_win& window = new_window();
    const HWND button = create_button(window, 10, 10, 24, "&Go", false);
    const HWND list = create_list_box(window, 100, 10, 100, 100);
    const HWND edit = create_edit_line(window, 220, 10);
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("one"));
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("two"));
    SendMessageA(list, LB_SETCURSEL, 0, 0);
    const DWORD saved_timeout = wk_app.wait_timeout_ms;
    wk_app.wait_timeout_ms = 50;
    // Input is posted to the GUI thread, as the user's comes, while the
    // handler still works on the first event; each wait is for the effect.
    window.on_event = [&](const wk_event& event) {
        if (window.received.size() > 1) {
            return event.kind == event_none ? loop_end : loop_go_on;
        }
        PostMessageA(button, BM_CLICK, 0, 0);
        EXPECT_TRUE(wait_until([&] { return is_pending(window, event_activate, button); }));
        PostMessageA(list, WM_KEYDOWN, VK_DOWN, 0);
        EXPECT_TRUE(wait_until([&] { return is_pending(window, event_select, list); }));
        for (const char letter : {'d', 'u', 'p'}) {
            PostMessageA(edit, WM_CHAR, static_cast<WPARAM>(letter), 0);
        }
        EXPECT_TRUE(wait_until([&] { return GetWindowTextLengthA(edit) == 3; }));
        return loop_go_on;
    };
    run_on_gui_thread([&] {
        clear_events(window);
        post_event(&window, event_command, 1);
    });
    event_loop(window);
    wk_app.wait_timeout_ms = saved_timeout;

    // Empty events, repaints and keys may come too; nothing acts on them.
    std::erase_if(window.received,
                  [](const wk_event& e) { return e.kind == event_none || e.kind >= event_paint; });
    const auto value = [](HWND control) { return reinterpret_cast<LPARAM>(control); };
    EXPECT_EQ(window.received,
              (std::vector<wk_event>{
                  {event_command, 1}, {event_activate, value(button)}, {event_select, value(list)}}));
}

} // namespace
