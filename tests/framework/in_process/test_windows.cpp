#include "tests/framework/in_process/test_windows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <set>

#include "framework/wk_app.h"

namespace {

std::vector<std::unique_ptr<recording_win>> windows_made;

constexpr int box_text_id = 0xFFFF; // the text of a message box

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
    const ULONGLONG deadline = GetTickCount64() + patience_ms;
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

error_box_watcher::error_box_watcher(const char* caption) : expected_(std::in_place, caption) {
    thread_ = std::thread([this, wanted = std::string(caption)] {
        close_box(wanted);
        expected_.reset(); // one box is expected; another is the watchdog's
    });
}

void error_box_watcher::close_box(const std::string& caption) {
    HWND box = nullptr;
    wait_until([&] { return (box = find_box(caption.c_str())) != nullptr || stop_; });
    if (box == nullptr) {
        return;
    }
    char text[512] = {};
    GetDlgItemTextA(box, box_text_id, text, sizeof text);
    text_ = text;
    owner_ = GetWindow(box, GW_OWNER);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    // Still expected until it is gone, or the watchdog would take it for another.
    wait_until([&] { return IsWindow(box) == FALSE || IsWindowVisible(box) == FALSE; });
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

namespace {

constexpr DWORD watch_step_ms = 100;
// A case failed for running on gets two patience periods more to end: its
// own waits for what the fault kept from happening run out meanwhile.
constexpr int overruns_to_give_up = 3;
constexpr const char* outside_any_case = "";

// What the watchdog knows and what it found. The case's own thread takes the
// failures at the case's end; a case that never ends has them printed.
struct case_watch {
    std::mutex lock;
    std::condition_variable stopping_changed;
    bool stopping = false;
    std::string running; // the case's full name, or outside_any_case
    ULONGLONG started = 0;
    int overruns = 0; // 1 once failed for running on
    std::vector<std::string> failures;
    bool failed_outside = false;
    std::multiset<std::string> expected_captions;
    std::vector<HWND> closed;      // boxes closed already (they take a moment to go)
    std::vector<MSG> dropped;      // requests a modal loop took without carrying them out
    UINT request_messages[3] = {}; // the framework's request messages
    std::thread thread;
};

case_watch watch;

std::string window_text(HWND window) {
    wchar_t wide[512] = {};
    const int length = InternalGetWindowText(window, wide, 512); // sends nothing to the box's thread
    return std::string(wide, wide + length);
}

BOOL CALLBACK collect_box(HWND window, LPARAM found) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char class_name[16] = {};
    GetClassNameA(window, class_name, sizeof class_name);
    if (process == GetCurrentProcessId() && IsWindowVisible(window) != FALSE &&
        std::string(class_name) == "#32770") {
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    }
    return TRUE;
}

std::vector<HWND> visible_boxes() {
    std::vector<HWND> found;
    EnumWindows(collect_box, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Under the lock.
void record_failure(const std::string& what) {
    if (watch.running == outside_any_case) {
        std::printf("[  ERROR   ] outside any case: %s\n", what.c_str());
        std::fflush(stdout);
        watch.failed_outside = true;
        return;
    }
    watch.failures.push_back(what);
}

// Closes the boxes left up, expected ones too when `all`; each unexpected one
// is a failure. Under the lock.
void close_boxes(bool all) {
    for (const HWND box : visible_boxes()) {
        const std::string caption = window_text(box);
        const bool expected = watch.expected_captions.count(caption) != 0;
        if ((expected && !all) ||
            std::find(watch.closed.begin(), watch.closed.end(), box) != watch.closed.end()) {
            continue;
        }
        if (!expected) {
            record_failure("an unexpected box \"" + caption +
                           "\" came up: " + window_text(GetDlgItem(box, box_text_id)));
        }
        watch.closed.push_back(box);
        PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
    }
}

// Under the lock: the case ran for a patience period more.
void handle_overrun() {
    ++watch.overruns;
    if (watch.overruns == 1) {
        std::string what = "still running after " + std::to_string(patience_ms / 1000) + " s";
        if (!watch.dropped.empty()) {
            what += ": a request to the GUI thread was dropped by a modal loop and never carried out";
        }
        record_failure(what);
        std::printf("[ STUCK    ] %s: %s\n", watch.running.c_str(), what.c_str());
        std::fflush(stdout);
        close_boxes(true);
        for (const MSG& request : watch.dropped) {
            PostThreadMessageA(gui_thread_id, request.message, request.wParam, request.lParam);
        }
        watch.dropped.clear();
        return;
    }
    for (const std::string& failure : watch.failures) {
        std::printf("%s\n", failure.c_str());
    }
    std::printf("[  FAILED  ] %s: never ended; the run stops here\n", watch.running.c_str());
    std::fflush(stdout);
    TerminateProcess(GetCurrentProcess(), 1);
}

void watch_cases() {
    std::unique_lock<std::mutex> guard(watch.lock);
    while (!watch.stopping_changed.wait_for(guard, std::chrono::milliseconds(watch_step_ms),
                                            [] { return watch.stopping; })) {
        close_boxes(false);
        const ULONGLONG running_ms = GetTickCount64() - watch.started;
        if (watch.running != outside_any_case &&
            running_ms >
                patience_ms * static_cast<ULONGLONG>(watch.overruns == 0 ? 1 : overruns_to_give_up)) {
            handle_overrun();
        }
    }
}

bool is_request(const MSG& message) {
    return message.hwnd == nullptr &&
           std::find(std::begin(watch.request_messages), std::end(watch.request_messages), message.message) !=
               std::end(watch.request_messages);
}

// Modal loops (message boxes, choosers, menus) pass what they take from the
// queue through this filter; a request that reaches it was not carried out
// when it was taken, and the loop will drop it.
LRESULT CALLBACK note_dropped_request(int code, WPARAM word, LPARAM value) {
    const MSG& message = *reinterpret_cast<const MSG*>(value);
    if (code >= 0 && is_request(message)) {
        const std::lock_guard<std::mutex> guard(watch.lock);
        watch.dropped.push_back(message);
    }
    return CallNextHookEx(nullptr, code, word, value);
}

class case_listener : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo& info) override {
        const std::lock_guard<std::mutex> guard(watch.lock);
        watch.running = std::string(info.test_suite_name()) + "." + info.name();
        watch.started = GetTickCount64();
        watch.overruns = 0;
        watch.failures.clear();
        watch.dropped.clear();
    }
    // Runs on the case's thread before the result is printed. Events a case
    // left in its windows would hold the user's input (no event loop takes
    // them) for the cases after it.
    void OnTestEnd(const testing::TestInfo&) override {
        for (const auto& window : windows_made) {
            clear_events(*window);
        }
        std::vector<std::string> failures;
        {
            const std::lock_guard<std::mutex> guard(watch.lock);
            watch.running = outside_any_case;
            failures.swap(watch.failures);
        }
        for (const std::string& failure : failures) {
            ADD_FAILURE() << failure;
        }
    }
};

} // namespace

expected_box::expected_box(const char* caption) : caption_(caption) {
    const std::lock_guard<std::mutex> guard(watch.lock);
    watch.expected_captions.insert(caption_);
}

expected_box::~expected_box() {
    const std::lock_guard<std::mutex> guard(watch.lock);
    watch.expected_captions.erase(watch.expected_captions.find(caption_));
}

void start_case_watchdog() {
    watch.request_messages[0] = RegisterWindowMessageA("wk_create_window");
    watch.request_messages[1] = RegisterWindowMessageA("wk_set_focus");
    watch.request_messages[2] = RegisterWindowMessageA("wk_gui_call");
    run_on_gui_thread(
        [] { SetWindowsHookExA(WH_MSGFILTER, note_dropped_request, nullptr, GetCurrentThreadId()); });
    testing::UnitTest::GetInstance()->listeners().Append(new case_listener);
    watch.thread = std::thread(watch_cases);
}

bool stop_case_watchdog() {
    {
        const std::lock_guard<std::mutex> guard(watch.lock);
        watch.stopping = true;
    }
    watch.stopping_changed.notify_all();
    watch.thread.join();
    return !watch.failed_outside;
}
