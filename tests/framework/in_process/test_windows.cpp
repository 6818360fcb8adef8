#include "tests/framework/in_process/test_windows.h"

#include <gtest/gtest.h>

#include "framework/wk_app.h"

namespace {

std::vector<std::unique_ptr<recording_win>> windows_made;

constexpr int box_text_id = 0xFFFF; // the text of a message box

// Events a test left in its windows would hold the user's input (no event
// loop takes them) for the tests after it.
class drop_events_after_each_test : public testing::EmptyTestEventListener {
    void OnTestEnd(const testing::TestInfo&) override {
        for (const auto& window : windows_made) {
            clear_events(*window);
        }
    }
};

const bool events_dropped_after_each_test = [] {
    testing::UnitTest::GetInstance()->listeners().Append(new drop_events_after_each_test);
    return true;
}();

} // namespace

int recording_win::handle_event(wk_event* event) {
    received.push_back(*event);
    return on_event ? on_event(*event) : loop_go_on;
}

recording_win& new_window() {
    return *windows_made.emplace_back(std::make_unique<recording_win>());
}

void destroy_test_windows() {
    windows_made.clear();
}

void clear_events(wk_win& window) {
    while (take_event(window).kind != event_none) {
    }
    while (WaitForSingleObject(wk_instance.event_semaphore, 0) == WAIT_OBJECT_0) {
    }
}

bool wait_until(const std::function<bool()>& condition) {
    const ULONGLONG deadline = GetTickCount64() + 20000; // generous: a loaded machine can be slow
    while (!condition()) {
        if (GetTickCount64() >= deadline) {
            return false;
        }
        Sleep(10);
    }
    return true;
}

HWND find_box(const char* caption) {
    const HWND box = FindWindowA("#32770", caption); // the program's own Wine prefix shows no other
    return box != nullptr && IsWindowVisible(box) != FALSE ? box : nullptr;
}

error_box_watcher::error_box_watcher(const char* caption) {
    thread_ = std::thread([this, wanted = std::string(caption)] {
        HWND box = nullptr;
        wait_until([&] { return (box = find_box(wanted.c_str())) != nullptr || stop_; });
        if (box == nullptr) {
            return;
        }
        char text[512] = {};
        GetDlgItemTextA(box, box_text_id, text, sizeof text);
        text_ = text;
        owner_ = GetWindow(box, GW_OWNER);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
}

std::string error_box_watcher::text() {
    if (thread_.joinable()) {
        thread_.join();
    }
    return text_;
}

std::string error_box_watcher::stop() {
    stop_ = true;
    return text();
}

error_box_watcher::~error_box_watcher() {
    stop();
}
