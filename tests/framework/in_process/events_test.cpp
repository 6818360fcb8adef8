// The window procedure's events, the event queue and the event loop.
#include <gtest/gtest.h>

#include <vector>

#include "framework/controls.h"
#include "framework/wk_app.h"
#include "tests/framework/in_process/test_windows.h"

namespace {

std::vector<wk_event> take_all(wk_win& window) {
    std::vector<wk_event> taken;
    for (wk_event event = take_event(window); event.kind != event_none; event = take_event(window)) {
        taken.push_back(event);
    }
    return taken;
}

bool is_pending(wk_win& window, int kind, HWND value) {
    const std::lock_guard<std::mutex> guard(window.event_lock);
    for (const wk_event& event : window.pending_events) {
        if (event.kind == kind && event.value == reinterpret_cast<LPARAM>(value)) {
            return true;
        }
    }
    return false;
}

TEST(window_procedure, turns_commands_and_paints_into_events) {
    recording_win& window = new_window();
    const HWND handle = window.window_handle;
    const LPARAM control = 0x4321;
    struct case_row { // NOLINT(clang-analyzer-optin.performance.Padding)
        UINT message;
        WPARAM word;
        wk_event wanted;
    };
    const case_row rows[] = {
        {WM_COMMAND, MAKEWPARAM(9999, BN_CLICKED), {event_activate, control}},
        {WM_COMMAND, MAKEWPARAM(9999, LBN_SELCHANGE), {event_select, control}},
        {WM_COMMAND, MAKEWPARAM(9999, LBN_DBLCLK), {event_double_click, control}},
        {WM_COMMAND, MAKEWPARAM(1, 0), {event_enter, control}},
        {WM_COMMAND, MAKEWPARAM(2, 0), {event_escape, control}},
        {WM_COMMAND, MAKEWPARAM(77, 0), {event_command, 77}},
        {WM_COMMAND, MAKEWPARAM(9999, EN_CHANGE), {event_none, 0}},
        {WM_PAINT, 0, {event_paint, reinterpret_cast<LPARAM>(handle)}},
    };
    for (const case_row& row : rows) {
        wk_event taken;
        run_on_gui_thread([&] {
            clear_events(window);
            window_procedure(handle, row.message, row.word, row.message == WM_COMMAND ? control : 0);
            taken = take_event(window);
        });
        EXPECT_EQ(taken.kind, row.wanted.kind) << "message " << row.message << " word " << row.word;
        EXPECT_EQ(taken.value, row.wanted.value) << "message " << row.message << " word " << row.word;
    }
}

TEST(event_queue, keeps_every_event_acted_on_in_order_and_passing_ones_only_alone) {
    recording_win& window = new_window();
    const wk_event click{event_activate, 0x11};
    const wk_event select_a{event_select, 0x21};
    const wk_event select_b{event_select, 0x22};
    const wk_event enter{event_enter, 0x31};
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
        {"a passing event alone stays, newest", {paint, letter}, {letter}},
        {"two clicks of one button", {click, click}, {click, click}},
        {"selections of one list merge", {select_a, select_a}, {select_a}},
        {"selections of two lists", {select_a, select_b, select_a}, {select_a, select_b, select_a}},
        {"a selection, a click, a selection", {select_a, click, select_a}, {select_a, click, select_a}},
        {"enter and escape", {enter, {event_escape, 0x31}, enter}, {enter, {event_escape, 0x31}, enter}},
        {"a close only wakes", {click, {event_none, 0}}, {click}},
    };
    for (const case_row& row : rows) {
        std::vector<wk_event> taken;
        run_on_gui_thread([&] {
            clear_events(window);
            for (const wk_event& event : row.posted) {
                post_event(&window, event.kind, event.value);
            }
            taken = take_all(window);
        });
        ASSERT_EQ(taken.size(), row.wanted.size()) << row.what;
        for (std::size_t i = 0; i < taken.size(); ++i) {
            EXPECT_EQ(taken[i].kind, row.wanted[i].kind) << row.what << " #" << i;
            EXPECT_EQ(taken[i].value, row.wanted[i].value) << row.what << " #" << i;
        }
    }
}

TEST(event_loop, hands_every_queued_event_after_one_wake_up_then_empty_ones) {
    recording_win& window = new_window();
    const DWORD saved_timeout = wk_app.wait_timeout_ms;
    wk_app.wait_timeout_ms = 20;
    run_on_gui_thread([&] {
        clear_events(window);
        post_event(&window, event_activate, 0x111);
        post_event(&window, event_select, 0x222);
    });
    window.stop_after = 4;
    EXPECT_EQ(event_loop(window), 0);
    wk_app.wait_timeout_ms = saved_timeout;

    ASSERT_EQ(window.received.size(), 4u);
    EXPECT_EQ(window.received[0].kind, event_activate);
    EXPECT_EQ(window.received[1].kind, event_select);
    EXPECT_EQ(window.received[1].value, 0x222);
    for (std::size_t i = 2; i < window.received.size(); ++i) {
        EXPECT_NE(window.received[i].kind, event_activate) << i;
        EXPECT_NE(window.received[i].kind, event_select) << i;
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
    for (const char* item : {"one", "two", "three"}) {
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    SendMessageA(list, LB_SETCURSEL, 0, 0);
    const DWORD saved_timeout = wk_app.wait_timeout_ms;
    wk_app.wait_timeout_ms = 50;
    bool made = false;
    window.stop_after = 1000;
    window.on_event = [&](const wk_event& event) {
        if (made) {
            if (event.kind == event_none) {
                window.stop_after = window.received.size();
            }
            return;
        }
        made = true;
        SendMessageA(button, BM_CLICK, 0, 0);
        EXPECT_TRUE(wait_until([&] { return is_pending(window, event_activate, button); }));
        request_focus(list);
        type_keys(window.window_handle, {VK_DOWN});
        EXPECT_TRUE(wait_until([&] { return is_pending(window, event_select, list); }));
        request_focus(edit);
        type_keys(window.window_handle, {'D', 'U', 'P'});
        EXPECT_TRUE(wait_until([&] { return GetWindowTextLengthA(edit) == 3; }));
    };
    run_on_gui_thread([&] {
        clear_events(window);
        post_event(&window, event_command, 1);
    });
    event_loop(window);
    wk_app.wait_timeout_ms = saved_timeout;

    std::vector<wk_event> acted_on;
    for (const wk_event& event : window.received) {
        if (event.kind == event_activate || event.kind == event_select || event.kind == event_command) {
            acted_on.push_back(event);
        }
    }
    ASSERT_EQ(acted_on.size(), 3u);
    EXPECT_EQ(acted_on[1].kind, event_activate);
    EXPECT_EQ(acted_on[1].value, reinterpret_cast<LPARAM>(button));
    EXPECT_EQ(acted_on[2].kind, event_select);
    EXPECT_EQ(acted_on[2].value, reinterpret_cast<LPARAM>(list));
}

} // namespace
