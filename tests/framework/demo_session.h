// Runs the framework demo under the GUI driver and reads the events it logs.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

#include "tests/driver/gui_driver.h"
#include "tests/framework/demo/demo_layout.h"

class demo_session {
  public:
    demo_session();
    ~demo_session();
    demo_session(const demo_session&) = delete;
    demo_session& operator=(const demo_session&) = delete;

    // Starts the demo, waits for its window and its "ready" line, and makes
    // the window the foreground window. False (with the reason in error())
    // when any of it fails.
    bool start();
    const std::string& error() const { return error_; }

    HWND window() const { return window_; }
    DWORD process_id() const { return demo_.process_id(); }
    gui::program& process() { return demo_; }
    // The demo's working directory (a fresh temporary one).
    const std::string& directory() const { return directory_; }

    // The control at a place of the layout.
    HWND control(const demo::place& place) const;

    // The next logged line after the ones already read, skipping the empty
    // (kind 0) and paint (kind 8) events that arrive on their own; "" when
    // none comes within the time-out.
    std::string next_line();
    // The next logged line, whatever it is; "" on time-out.
    std::string next_line_of_any_kind();
    // Reads lines (none skipped) until one equals line; false on time-out.
    bool skip_to(const std::string& line);
    // Every line logged so far.
    std::vector<std::string> lines() const;

    // Tells the demo's busy handler to return.
    bool release_busy() const;

  private:
    std::string next_matching(bool skip_own);

    gui::program demo_;
    std::string directory_;
    std::string log_path_;
    HWND window_ = nullptr;
    std::size_t read_ = 0; // lines already read
    std::string error_;
};

// "event <kind> <name>" as the demo logs it.
std::string event_line(int kind, const char* name);
