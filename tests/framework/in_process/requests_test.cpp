// The requests to the GUI thread, also inside modal loops, and the choosers
// and boxes.
#include <gtest/gtest.h>

#include <string>

#include "framework/choosers.h"
#include "framework/controls.h"
#include "framework/wk_app.h"
#include "tests/framework/in_process/test_windows.h"

namespace {

HWND box_owner = nullptr;

TEST(gui_requests, are_carried_out_while_a_box_is_open_and_a_failed_creation_yields_null) {
    recording_win& window = new_window();
    box_owner = window.window_handle;
    const expected_box stays_up("Warning");
    // The GUI thread opens the box from a timer: the box's modal loop runs
    // instead of the framework's pump.
    run_on_gui_thread([] {
        SetTimer(nullptr, 0, 1, [](HWND, UINT, UINT_PTR timer, DWORD) {
            KillTimer(nullptr, timer);
            show_warning_box(box_owner, "Busy");
        });
    });
    ASSERT_TRUE(wait_until([] { return find_box("Warning") != nullptr; }));
    EXPECT_EQ(
        request_create_window(0, "no such class", "", WS_CHILD, 0, 0, 10, 10, nullptr, nullptr, nullptr),
        nullptr);
    const HWND label = create_label(window, "made meanwhile", 10, 10, 100, 20);
    EXPECT_NE(label, nullptr);
    EXPECT_EQ(GetWindowThreadProcessId(label, nullptr), gui_thread_id);
    error_box_watcher box("Warning");
    EXPECT_EQ(box.text(), "Busy");
    EXPECT_EQ(box.owner(), window.window_handle);
}

// The platform dialog, replaced: it sees the proposed name, and chooses a
// name or fails with the given extended error.
BOOL dialog_result = FALSE;
DWORD dialog_error = 0;
std::string proposed;

BOOL WINAPI fake_dialog(LPOPENFILENAMEA record) {
    proposed = record->lpstrFile;
    if (dialog_result != FALSE) {
        lstrcpynA(record->lpstrFile, "C:\\chosen.html", static_cast<int>(record->nMaxFile));
    }
    return dialog_result;
}

TEST(choosers, give_the_chosen_name_or_empty_it_and_report_only_a_failed_save) {
    recording_win& window = new_window();
    const chooser_calls saved = active_chooser_calls();
    active_chooser_calls() = {fake_dialog, fake_dialog, []() { return dialog_error; }};
    const std::string long_name(12000, 'n');
    struct case_row {
        bool save;
        BOOL chosen;
        DWORD error;
        std::string name;
        const char* wanted_path;
        const char* wanted_box;
    };
    const case_row rows[] = {
        {false, TRUE, 0, "", "C:\\chosen.html", ""},
        {false, FALSE, 0x3002, "", "", ""},
        {true, TRUE, 0, long_name, "C:\\chosen.html", ""},
        {true, FALSE, 0, "doc.html", "", ""},
        {true, FALSE, 0x3002, "doc.html", "", "GetSaveFileName error 12290"},
    };
    for (const case_row& row : rows) {
        SCOPED_TRACE(std::string(row.save ? "save " : "open ") + row.wanted_path + row.wanted_box);
        dialog_result = row.chosen;
        dialog_error = row.error;
        Text path(row.name.c_str());
        error_box_watcher box;
        const chooser_result result =
            row.save ? choose_save_file(window, path) : choose_open_file(window, path);
        EXPECT_EQ(box.stop(), row.wanted_box);
        EXPECT_EQ(box.owner(), *row.wanted_box != '\0' ? window.window_handle : nullptr);
        EXPECT_EQ(result, row.chosen != FALSE ? file_chosen : chooser_cancelled);
        EXPECT_STREQ(path.chars, row.wanted_path);
        EXPECT_EQ(proposed, row.save ? row.name.substr(0, 9999) : "") << "cut to end with NUL";
    }
    active_chooser_calls() = saved;
}

} // namespace
