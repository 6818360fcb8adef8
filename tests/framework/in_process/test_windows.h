// Windows and helpers for the in-process tests, which run on the application
// thread of a real framework program (the GUI thread pumps meanwhile).
#pragma once

#include <atomic>
#include <functional>
#include <memory>
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

// Polls the condition until it holds (true) or ten seconds passed (false).
bool wait_until(const std::function<bool()>& condition);
// A visible box of this process with the given caption, or null.
HWND find_box(const char* caption);
// Waits on another thread for a box with the given caption in this process,
// reads its text and closes it with OK.
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
    std::atomic<bool> stop_{false};
    std::string text_;
    HWND owner_ = nullptr;
    std::thread thread_;
};
