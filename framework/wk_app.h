// Start-up, the two threads and the requests the application thread makes of
// the GUI thread: create a window, focus a control, run a function there.
#pragma once

#include <windows.h>

#include <atomic>

#include "model/text.h"

struct wk_instance_record {
    HINSTANCE instance_handle = nullptr;
    HANDLE event_semaphore = nullptr; // initial count 0, maximum 1
    int show_state = SW_SHOWNORMAL;
};

struct wk_app_record {
    wk_instance_record* instance = nullptr;
    DWORD wait_timeout_ms = 1000;
    std::atomic<LONG> finished{0}; // set once, never cleared
    Text program_name;
};

extern wk_instance_record wk_instance;
extern wk_app_record wk_app;

extern DWORD gui_thread_id;
extern std::atomic<HWND> focus_control;
extern HFONT control_font;

constexpr const char* program_version = "1.01";

// Defined by the program built on the framework; runs on the application thread.
int application_main();

// GUI thread: wait for one message, carry out the framework requests, dispatch.
// While input is held, keyboard and mouse input is kept (held_input.h) and
// carried out once the hold ends, in the order given; painting, the window
// frame (moving, the close box), sent messages and requests go on.
void pump_one_message();

// Input is held while a command the user gave has not finished: the next key
// or click then acts on what the user saw when giving it, as in a program
// with one thread. Each hold_input (GUI thread, when an event that starts a
// command is queued) is matched by one release_input (when that command has
// finished or the event is dropped).
void hold_input();
void release_input();
bool input_held();

// Application thread: blocks until the GUI thread has created the window
// (or until the program is finishing, then returns null). Called on the GUI
// thread itself (inside a GUI call), it creates the window at once; so do the
// two requests below. Requests are also served while the GUI thread runs a
// modal loop of the system (message box, chooser, menu, window move).
HWND request_create_window(DWORD ex_style, const char* class_name, const char* window_text, DWORD style,
                           int x, int y, int width, int height, HWND parent, HMENU control_id,
                           HINSTANCE instance);

// Application thread: blocks until the GUI thread has focused the control
// (whole text selected) or the program is finishing.
void request_focus(HWND control);

// GUI thread: select the control's whole text, focus it, remember it.
void set_control_focus(HWND control);

// Application thread: runs fn(context) on the GUI thread and waits for it
// to return (or for the program to finish). Lets a caller do many control
// operations as same-thread messages instead of one cross-thread round trip
// each.
void request_gui_call(void (*fn)(void*), void* context);

template <class F> void run_on_gui_thread(F&& f) {
    request_gui_call([](void* c) { (*static_cast<F*>(c))(); }, &f);
}
