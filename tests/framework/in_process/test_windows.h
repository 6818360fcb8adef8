// Windows and helpers for the in-process tests, which run on the application
// thread of a real framework program (the GUI thread pumps meanwhile).
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "framework/wk_win.h"

inline bool operator==(const wk_event& a, const wk_event& b) {
    return a.kind == b.kind && a.value == b.value;
}

// A window object that records the events its handler receives.
class recording_win : public wk_win {
  public:
    int handle_event(wk_event* event) override;

    std::vector<wk_event> received;
    std::function<int(const wk_event&)> on_event; // after recording; its loop_decision stands
};

// A new window object, kept until the end of the run: destroying a framework
// window ends the program's message pump, so the tests never do it on the way.
recording_win& new_window();
// Destroys every window made by new_window (at the end of the run).
void destroy_test_windows();

// Empties the window's event queue and the wake-up left by earlier events.
void clear_events(wk_win& window);

// How long the harness waits for anything: a loaded machine can be slow,
// never this slow.
constexpr DWORD patience_ms = 20000;

// Polls the condition until it holds (true) or the patience ran out (false).
bool wait_until(const std::function<bool()>& condition);
// A visible box of this process with the given caption, or null.
HWND find_box(const char* caption);
// Marks boxes with this caption as expected while it lives: the case
// watchdog leaves them up.
class expected_box {
  public:
    explicit expected_box(const char* caption);
    ~expected_box();
    expected_box(const expected_box&) = delete;
    expected_box& operator=(const expected_box&) = delete;

  private:
    std::string caption_;
};

// Watches every case from another thread, so that a fault fails the case by
// name instead of hanging the program: a box nobody expects fails the case
// and is closed; a case still running after the patience fails, every box is
// closed and a request to the GUI thread that a modal loop dropped is posted
// again, so that the case can end and the next one run; a case that still
// does not end by three times the patience ends the program with code 1.
void start_case_watchdog();
// Stops watching; false when a box came up outside any case.
bool stop_case_watchdog();

// Waits on another thread for a box with the given caption in this process,
// reads its text and closes it with OK. The caption is expected until then.
class error_box_watcher {
  public:
    explicit error_box_watcher(const char* caption = "Error");
    ~error_box_watcher();
    error_box_watcher(const error_box_watcher&) = delete;
    error_box_watcher& operator=(const error_box_watcher&) = delete;
    // Waits until the box was seen and closed (or the time-out); its text, or
    // "" when none appeared.
    std::string text();
    // Stops looking; the text of a box seen so far, or "".
    std::string stop();
    HWND owner() const { return owner_; } // the box's owner, after text() or stop()

  private:
    void close_box(const std::string& caption);

    std::optional<expected_box> expected_; // until the box was seen or the watcher stopped
    std::atomic<bool> stop_{false};
    std::string text_;
    HWND owner_ = nullptr;
    std::thread thread_;
};
