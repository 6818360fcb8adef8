// Events handed from the GUI thread to the application's handler.
#pragma once

#include <windows.h>

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

// What handle_event returns: whether the event loop goes on.
enum loop_decision : int { loop_end = 0, loop_go_on = 1 };

// What a file chooser returns.
enum chooser_result : int { chooser_cancelled = 0, file_chosen = 1 };

struct wk_event {
    int kind = event_none;
    LPARAM value = 0; // a control or window handle, or a command id, by kind
};

// Turns a WM_COMMAND's parameters into an event (kind 0: nothing to post).
wk_event classify_command(WPARAM word, LPARAM value);
