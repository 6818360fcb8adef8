// The wait cursor over the window while a command has run for a while, as
// Windows programs show it, so that the user sees the input given meanwhile
// is waiting rather than lost.
#pragma once

#include <windows.h>

// GUI thread, at every turn of the message pump: whether a command is
// running. After half a second of one, the wait cursor shows over the client
// area of an enabled window of this thread; when it ends, the cursor the
// pointer's control asks for comes back.
void follow_busy_cursor(bool command_running);

// GUI thread, for WM_SETCURSOR of a top-level window: true (and the wait
// cursor set) while it shows over the client area.
bool set_busy_cursor(LPARAM hit_test_and_message);
