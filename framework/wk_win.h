// Window objects: a top-level framework window, its registry entry, its tab
// order and its single event slot.
#pragma once

#include <windows.h>

#include <mutex>

#include "framework/wk_event.h"

struct tab_entry {
    tab_entry* next = nullptr;
    HWND control = nullptr;
    char accelerator = 0; // lower-case letter after the first '&' of the control's text, or 0
};

class wk_hwnd {
  public:
    wk_hwnd() = default;
    wk_hwnd(const wk_hwnd&) = delete;
    wk_hwnd& operator=(const wk_hwnd&) = delete;
    virtual ~wk_hwnd() = default;
};

class wk_win : public wk_hwnd {
  public:
    wk_win();           // registers the class, creates and shows the window (client 976 x 734), registers it
    ~wk_win() override; // unregister_window, then frees the tab order
    wk_win(const wk_win&) = delete;
    wk_win& operator=(const wk_win&) = delete;
    virtual int handle_event(wk_event* event); // a loop_decision: loop_go_on or loop_end

    HWND window_handle = nullptr;
    int window_x = 0;
    int window_y = 0;
    int window_width = 0;
    int window_height = 0;
    tab_entry* tab_order = nullptr;

    // The event slot: written by the GUI thread, taken by the application
    // thread; kind and value are read and written together under the lock.
    std::mutex event_lock;
    int event_kind = event_none;
    LPARAM event_value = 0;
};

constexpr int client_width = 976;
constexpr int client_height = 734;

// Application thread: runs until handle_event returns loop_end or the program is finishing.
int event_loop(wk_win& window);
// GUI thread: store the event (replacing one not yet taken) and wake the application thread.
void post_event(wk_win* window, int kind, LPARAM value);
// GUI thread: store the event only when no event is pending (a repaint must
// not replace a click or a key not yet taken); false when it was not stored.
bool post_event_if_idle(wk_win* window, int kind, LPARAM value);
wk_win* find_window_object(HWND window);
void unregister_window(wk_win* window);
LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM word, LPARAM value);
// Title: the program name, a blank and the version.
void set_title(HWND window);
