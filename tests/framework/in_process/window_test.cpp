// Window objects, the requests to the GUI thread, and the event slot and loop.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "framework/controls.h"
#include "framework/framework_state.h"
#include "framework/window_registry.h"
#include "framework/wk_app.h"
#include "framework/wk_win.h"
#include "tests/driver/gui_driver.h"
#include "tests/framework/in_process/test_windows.h"

namespace {

TEST(window_object, opens_a_visible_window_with_a_976_by_734_client_area) {
    const recording_win& window = new_window();
    ASSERT_NE(window.window_handle, nullptr);
    EXPECT_NE(IsWindowVisible(window.window_handle), FALSE);
    RECT client{};
    GetClientRect(window.window_handle, &client);
    EXPECT_EQ(client.right - client.left, 976);
    EXPECT_EQ(client.bottom - client.top, 734);
    RECT outer{};
    GetWindowRect(window.window_handle, &outer);
    EXPECT_EQ(outer.right - outer.left, window.window_width);
    EXPECT_EQ(outer.bottom - outer.top, window.window_height);
    EXPECT_EQ(outer.left, window.window_x);
    EXPECT_EQ(outer.top, window.window_y);
    // Created on the GUI thread, registered for its object.
    EXPECT_EQ(GetWindowThreadProcessId(window.window_handle, nullptr), gui_thread_id);
    EXPECT_EQ(find_window_object(window.window_handle), &window);
}

TEST(window_object, uses_the_framework_class_and_a_fixed_frame) {
    const recording_win& window = new_window();
    char class_name[64] = {};
    GetClassNameA(window.window_handle, class_name, sizeof class_name);
    EXPECT_STREQ(class_name, wk_app.program_name.chars);
    EXPECT_NE(GetClassLongPtrA(window.window_handle, GCLP_HICON), 0); // icon 101 of the program
    EXPECT_EQ(GetClassLongPtrA(window.window_handle, GCLP_HBRBACKGROUND), COLOR_BTNFACE + 1);
    EXPECT_EQ(reinterpret_cast<HCURSOR>(GetClassLongPtrA(window.window_handle, GCLP_HCURSOR)),
              LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_EQ(GetClassLongPtrA(window.window_handle, GCL_STYLE) & (CS_HREDRAW | CS_VREDRAW),
              static_cast<ULONG_PTR>(CS_HREDRAW | CS_VREDRAW));
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(window.window_handle, GWL_STYLE));
    const DWORD wanted = WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    EXPECT_EQ(style & wanted, wanted);
    EXPECT_EQ(style & WS_THICKFRAME, 0u) << "no sizing border";
    const auto ex_style = static_cast<DWORD>(GetWindowLongPtrA(window.window_handle, GWL_EXSTYLE));
    EXPECT_EQ(ex_style & (WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE),
              static_cast<DWORD>(WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE));
}

TEST(window_object, title_is_the_program_name_a_blank_and_the_version) {
    const recording_win& window = new_window();
    set_title(window.window_handle);
    char title[64] = {};
    GetWindowTextA(window.window_handle, title, sizeof title);
    EXPECT_STREQ(title, "In-process test 1.01");
}

TEST(gui_requests, a_gui_call_runs_on_the_gui_thread_before_the_request_returns) {
    DWORD ran_on = 0;
    int calls = 0;
    run_on_gui_thread([&] {
        ran_on = GetCurrentThreadId();
        ++calls;
    });
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(ran_on, gui_thread_id);
    EXPECT_NE(GetCurrentThreadId(), gui_thread_id);
}

TEST(gui_requests, made_on_the_gui_thread_are_carried_out_at_once) {
    recording_win& window = new_window();
    HWND label = nullptr;
    bool nested_ran = false;
    run_on_gui_thread([&] {
        label = create_label(window, "made inside", 10, 10, 80, 20);
        run_on_gui_thread([&] { nested_ran = true; });
    });
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(GetWindowThreadProcessId(label, nullptr), gui_thread_id);
    EXPECT_TRUE(nested_ran);
}

TEST(gui_requests, are_carried_out_while_the_gui_thread_runs_a_modal_loop) {
    recording_win& window = new_window();
    const HWND edit = create_edit_line(window, 10, 10);
    // An edit box's context menu runs the system's menu loop on the GUI
    // thread (instead of the framework's pump) until the menu ends.
    std::thread opener(
        [&] { SendMessageA(edit, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(edit), MAKELPARAM(20, 20)); });
    HWND menu = nullptr;
    const bool menu_shown = gui::wait_until([&] {
        for (const HWND candidate : gui::top_level_windows(GetCurrentProcessId(), "#32768")) {
            if (IsWindowVisible(candidate) != FALSE) {
                menu = candidate;
                return true;
            }
        }
        return false;
    });
    std::atomic<bool> ran{false};
    // Should the request be lost, let the test go on (and fail) instead of
    // waiting for ever.
    std::thread rescuer([&] {
        if (!gui::wait_until([&] { return ran.load(); })) {
            request_pending = 0;
            PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        }
    });
    if (menu_shown) {
        request_gui_call(
            [](void* flag) {
                static_cast<std::atomic<bool>*>(flag)->store(true);
                EndMenu();
            },
            &ran);
    } else {
        ran = true; // nothing to rescue
    }
    rescuer.join();
    opener.join();
    ASSERT_TRUE(menu_shown) << "no context menu to test with";
    EXPECT_TRUE(ran.load());
}

TEST(gui_requests, a_failed_creation_yields_a_null_handle) {
    EXPECT_EQ(request_create_window(0, "no such class here", "", WS_CHILD, 0, 0, 10, 10, nullptr, nullptr,
                                    wk_instance.instance_handle),
              nullptr);
    // The next request is carried out as usual.
    const HWND made = request_create_window(0, "STATIC", "x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                            wk_instance.instance_handle);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(GetWindowThreadProcessId(made, nullptr), gui_thread_id);
}

TEST(event_slot, a_newer_event_replaces_one_not_yet_taken) {
    recording_win& window = new_window();
    const HWND first = reinterpret_cast<HWND>(0x111);
    const HWND second = reinterpret_cast<HWND>(0x222);
    run_on_gui_thread([&] {
        clear_events(window);
        post_event(&window, event_activate, reinterpret_cast<LPARAM>(first));
        post_event(&window, event_select, reinterpret_cast<LPARAM>(second));
    });
    const wk_event taken = take_event(window);
    EXPECT_EQ(taken.kind, event_select);
    EXPECT_EQ(taken.value, reinterpret_cast<LPARAM>(second));
    EXPECT_EQ(take_event(window).kind, event_none) << "taking empties the slot";
}

TEST(event_loop, hands_the_newest_event_then_empty_events_after_one_wake_up) {
    recording_win& window = new_window();
    const DWORD saved_timeout = wk_app.wait_timeout_ms;
    wk_app.wait_timeout_ms = 20;
    run_on_gui_thread([&] {
        clear_events(window);
        post_event(&window, event_activate, 0x111);
        post_event(&window, event_char_d, 0x222);
    });
    window.stop_after = 3;
    EXPECT_EQ(event_loop(window), 0);
    wk_app.wait_timeout_ms = saved_timeout;

    ASSERT_EQ(window.received.size(), 3u);
    EXPECT_EQ(window.received[0].kind, event_char_d);
    EXPECT_EQ(window.received[0].value, 0x222);
    // Both posts woke the loop once (the semaphore holds at most 1): later
    // calls are empty events, and the older event never arrives.
    for (std::size_t i = 1; i < window.received.size(); ++i) {
        EXPECT_EQ(window.received[i].kind, event_none) << i;
        EXPECT_EQ(window.received[i].value, 0) << i;
    }
}

TEST(event_loop, ends_when_the_handler_returns_0) {
    recording_win& window = new_window();
    run_on_gui_thread([&] {
        clear_events(window);
        post_event(&window, event_escape, 0x5);
    });
    window.stop_after = 1;
    EXPECT_EQ(event_loop(window), 0);
    ASSERT_EQ(window.received.size(), 1u);
    EXPECT_EQ(window.received[0].kind, event_escape);
}

TEST(window_procedure, turns_commands_and_paints_of_registered_windows_into_events) {
    recording_win& window = new_window();
    const HWND handle = window.window_handle;
    const LPARAM control = 0x4321;
    // Fields in reading order (input, then expected event) rather than packed.
    struct case_row { // NOLINT(clang-analyzer-optin.performance.Padding)
        UINT message;
        WPARAM word;
        int kind;
        LPARAM value;
    };
    const case_row rows[] = {
        {WM_COMMAND, MAKEWPARAM(9999, BN_CLICKED), event_activate, control},
        {WM_COMMAND, MAKEWPARAM(9999, LBN_SELCHANGE), event_select, control},
        {WM_COMMAND, MAKEWPARAM(9999, LBN_DBLCLK), event_double_click, control},
        {WM_COMMAND, MAKEWPARAM(1, 0), event_enter, control},
        {WM_COMMAND, MAKEWPARAM(77, 0), event_command, 77},
        {WM_COMMAND, MAKEWPARAM(9999, EN_CHANGE), event_none, 0},
        {WM_PAINT, 0, event_paint, reinterpret_cast<LPARAM>(handle)},
    };
    for (const case_row& row : rows) {
        wk_event taken;
        run_on_gui_thread([&] {
            clear_events(window);
            window_procedure(handle, row.message, row.word, row.message == WM_COMMAND ? control : 0);
            taken = take_event(window);
        });
        EXPECT_EQ(taken.kind, row.kind) << "message " << row.message << " word " << row.word;
        EXPECT_EQ(taken.value, row.value) << "message " << row.message << " word " << row.word;
    }
}

TEST(window_procedure, a_repaint_does_not_replace_an_event_not_yet_taken) {
    recording_win& window = new_window();
    const HWND handle = window.window_handle;
    wk_event taken;
    run_on_gui_thread([&] {
        clear_events(window);
        post_event(&window, event_activate, 0x99);
        window_procedure(handle, WM_PAINT, 0, 0);
        taken = take_event(window);
    });
    EXPECT_EQ(taken.kind, event_activate);
    EXPECT_EQ(taken.value, 0x99);
    // Any other event still replaces a repaint.
    run_on_gui_thread([&] {
        clear_events(window);
        window_procedure(handle, WM_PAINT, 0, 0);
        post_event(&window, event_select, 0x77);
        taken = take_event(window);
    });
    EXPECT_EQ(taken.kind, event_select);
}

TEST(window_registry, a_live_window_without_an_entry_is_reported_and_closed) {
    auto window = std::make_unique<recording_win>();
    const HWND handle = window->window_handle;
    ASSERT_TRUE(unlink_window(handle));
    EXPECT_EQ(find_window_object(handle), nullptr);
    // Made a child of another test window so that its destruction does not
    // end the program's message pump, as a top-level window's would.
    const HWND parent = new_window().window_handle;
    SetWindowLongPtrA(handle, GWL_STYLE, (GetWindowLongPtrA(handle, GWL_STYLE) & ~WS_POPUP) | WS_CHILD);
    SetParent(handle, parent);

    error_box_watcher box;
    window.reset();
    EXPECT_EQ(box.text(), "Window handle not found");
    EXPECT_EQ(box.owner(), nullptr);
    // Closed anyway.
    EXPECT_TRUE(gui::wait_until([&] { return IsWindow(handle) == FALSE; }));
}

} // namespace
