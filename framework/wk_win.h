// Window objects and their events: a top-level framework window, the registry
// that finds its object from its handle, its tab order, its queue of events
// from the GUI thread and the event loop that hands them to its handler.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <mutex>

enum event_kind : int {
    event_none = 0,
    event_enter = 1,
    event_escape = 2,
    event_double_click = 3,
    event_activate = 4,
    event_command = 5,
    event_select = 6,
    event_paint = 8,
    event_char_d = 9,
    event_char_n = 10,
    event_char_p = 11,
    event_char_u = 12,
    event_key_right = 13,
    event_key_left = 14,
    event_key_up = 15,
    event_key_down = 16,
    event_key_add = 17,
    event_key_subtract = 18,
};

// The id every control of the framework carries: a WM_COMMAND from it is a
// click or a list box's notification.
constexpr int control_id = 9999;

// What handle_event returns: whether the event loop goes on.
enum loop_decision : int { loop_end = 0, loop_go_on = 1 };

struct wk_event {
    int kind = event_none;
    LPARAM value = 0; // a control or window handle, or a command id, by kind
};

struct tab_entry {
    tab_entry* next = nullptr;
    HWND control = nullptr;
    bool is_button = false; // only a button's label marks an Alt letter
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

    // Events not yet taken, oldest first: written by the GUI thread, taken by
    // the application thread, both under the lock.
    std::mutex event_lock;
    std::deque<wk_event> pending_events;
    // The event taken last started a command that has not finished: input
    // stays held until the next event is taken or the loop ends.
    bool command_in_hand = false;
};

constexpr int client_width = 976;
constexpr int client_height = 734;

// Application thread: runs until handle_event returns loop_end or the program
// is finishing. Empty events (kind 0) come when nothing happened for
// wait_timeout_ms.
int event_loop(wk_win& window);

// The kinds that start a command: Enter, a click or Alt letter, a list
// selection. Every other kind only tells that something was typed or painted.
bool is_acted_on(int kind);

// GUI thread: queues the event and wakes the application thread. Events that
// start a command are never lost and keep their order, and input is held
// until their command has finished; a selection change following one of the
// same list merges with it. Other events are kept only while nothing else is
// pending, and a close (kind 0) only wakes.
void post_event(wk_win* window, int kind, LPARAM value);
// Application thread: the oldest pending event, removed; kind 0 when none.
// Taking it also ends the command of the event taken before.
wk_event take_event(wk_win& window);

// Turns a WM_COMMAND's parameters into an event (kind 0: nothing to post).
wk_event classify_command(WPARAM word, LPARAM value);

// The registry of top-level framework windows. Every use of a registered
// window object from the GUI thread holds the registry's lock, so that the
// application thread cannot destroy the object meanwhile (its destructor
// unregisters it under the same lock); the lock also guards the objects' tab
// orders. Recursive: handling one message may send others to the same
// windows and look the owner up again.
std::recursive_mutex& registry_lock();
void unregister_window(wk_win* window);

// Runs action(object) under the lock when the handle is a live registered
// window; returns false (and runs nothing) otherwise.
bool with_window_object(HWND window, const std::function<void(wk_win&)>& action);
bool is_registered(HWND window);

LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM word, LPARAM value);
// Title: the program name, a blank and the version.
void set_title(HWND window);
