// The requests to the GUI thread, also inside modal loops, and the choosers
// and boxes.
#include <gtest/gtest.h>

#include <string>

#include "framework/choosers.h"
#include "framework/controls.h"
#include "framework/wk_app.h"
#include "tests/framework/in_process/test_windows.h"

namespace {

TEST(gui_requests, run_on_the_gui_thread_and_a_failed_creation_yields_null) {
    DWORD ran_on = 0;
    run_on_gui_thread([&] { ran_on = GetCurrentThreadId(); });
    EXPECT_EQ(ran_on, gui_thread_id);
    EXPECT_EQ(request_create_window(0, "no such class here", "", WS_CHILD, 0, 0, 10, 10, nullptr, nullptr,
                                    wk_instance.instance_handle),
              nullptr);
    const HWND made = request_create_window(0, "STATIC", "x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                            wk_instance.instance_handle);
    EXPECT_NE(made, nullptr) << "the next request is carried out as usual";
    EXPECT_EQ(GetWindowThreadProcessId(made, nullptr), gui_thread_id);
}

TEST(gui_requests, are_carried_out_while_a_warning_box_is_open) {
    recording_win& window = new_window();
    static HWND owner = nullptr;
    owner = window.window_handle;
    // The GUI thread opens the box from a timer, so that its modal loop runs
    // instead of the framework's pump.
    run_on_gui_thread([] {
        SetTimer(nullptr, 0, 1, [](HWND, UINT, UINT_PTR timer, DWORD) {
            KillTimer(nullptr, timer);
            show_warning_box(owner, "Busy");
        });
    });
    ASSERT_TRUE(wait_until([] { return find_box("Warning") != nullptr; }));
    const HWND label = create_label(window, "made meanwhile", 10, 10, 100, 20);
    EXPECT_NE(label, nullptr);
    EXPECT_EQ(GetWindowThreadProcessId(label, nullptr), gui_thread_id);
    error_box_watcher box("Warning");
    EXPECT_EQ(box.text(), "Busy");
    EXPECT_EQ(box.owner(), window.window_handle);
    EXPECT_TRUE(wait_until([] { return find_box("Warning") == nullptr; }));
}

// The platform dialog and its error code, replaced.
BOOL fake_dialog_result = FALSE;
DWORD fake_error = 0;
std::string fake_proposed;

BOOL WINAPI fake_dialog(LPOPENFILENAMEA record) {
    fake_proposed = record->lpstrFile;
    if (fake_dialog_result != FALSE) {
        lstrcpynA(record->lpstrFile, "C:\\chosen.html", static_cast<int>(record->nMaxFile));
    }
    return fake_dialog_result;
}

DWORD WINAPI fake_extended_error() {
    return fake_error;
}

TEST(choosers, give_the_chosen_name_or_empty_it_and_report_only_a_failed_save) {
    recording_win& window = new_window();
    const chooser_calls saved = active_chooser_calls();
    active_chooser_calls() = {fake_dialog, fake_dialog, fake_extended_error};
    const std::string long_name(12000, 'n');
    struct case_row {
        const char* what;
        bool save;
        BOOL dialog_result;
        DWORD error;
        std::string proposed;
        const char* wanted_path;
        const char* wanted_box;
    };
    const case_row rows[] = {
        {"open chosen", false, TRUE, 0, "", "C:\\chosen.html", ""},
        {"open cancelled", false, FALSE, 0, "", "", ""},
        {"open failed", false, FALSE, 0x3002, "", "", ""},
        {"save chosen", true, TRUE, 0, "doc.html", "C:\\chosen.html", ""},
        {"save cancelled", true, FALSE, 0, "doc.html", "", ""},
        {"save failed", true, FALSE, 0x3002, "doc.html", "", "GetSaveFileName error 12290"},
        {"save of a long name", true, FALSE, 0, long_name, "", ""},
    };
    for (const case_row& row : rows) {
        fake_dialog_result = row.dialog_result;
        fake_error = row.error;
        Text path(row.proposed.c_str());
        error_box_watcher box;
        const chooser_result result =
            row.save ? choose_save_file(window, path) : choose_open_file(window, path);
        EXPECT_EQ(box.stop(), row.wanted_box) << row.what;
        EXPECT_EQ(result, row.dialog_result != FALSE ? file_chosen : chooser_cancelled) << row.what;
        EXPECT_STREQ(path.chars, row.wanted_path) << row.what;
        if (row.save) {
            EXPECT_EQ(fake_proposed, row.proposed.substr(0, 9999)) << row.what << ": cut to end with NUL";
        }
        if (*row.wanted_box != '\0') {
            EXPECT_EQ(box.owner(), window.window_handle) << row.what;
        }
    }
    active_chooser_calls() = saved;
}

} // namespace
