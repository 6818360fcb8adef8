#include "framework/busy_cursor.h"

namespace {

// A command that ends sooner shows no wait cursor: a flicker would only distract.
constexpr ULONGLONG wait_before_showing_ms = 500;

// GUI thread only.
ULONGLONG running_since = 0; // 0: no command running
bool shown = false;

HCURSOR wait_cursor() {
    return LoadCursorA(nullptr, IDC_WAIT);
}

// The window of this thread under the pointer, and where on it the pointer is.
HWND window_under_pointer(POINT& point) {
    if (GetCursorPos(&point) == FALSE) {
        return nullptr;
    }
    const HWND window = WindowFromPoint(point);
    if (window == nullptr || GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId()) {
        return nullptr;
    }
    return window;
}

LPARAM point_value(POINT point) {
    return MAKELPARAM(point.x, point.y);
}

// False while the window is disabled (a chooser of the command is up): it
// keeps its cursor, and the wait cursor is tried again once the chooser has
// gone and the command goes on.
bool show_wait_cursor() {
    POINT point{};
    const HWND window = window_under_pointer(point);
    if (window == nullptr) {
        return true; // elsewhere: WM_SETCURSOR shows it when the pointer comes
    }
    const HWND top = GetAncestor(window, GA_ROOT);
    if (IsWindowEnabled(top) == FALSE) {
        return false;
    }
    // The window frame keeps its cursor, for moving the window.
    if (SendMessageA(top, WM_NCHITTEST, 0, point_value(point)) == HTCLIENT) {
        SetCursor(wait_cursor());
    }
    return true;
}

// As the system does when the pointer moves: the control under it sets its cursor.
void restore_cursor() {
    POINT point{};
    const HWND window = window_under_pointer(point);
    if (window == nullptr) {
        return;
    }
    const auto hit = static_cast<WORD>(SendMessageA(window, WM_NCHITTEST, 0, point_value(point)));
    SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(hit, WM_MOUSEMOVE));
}

} // namespace

void follow_busy_cursor(bool command_running) {
    if (!command_running) {
        running_since = 0;
        if (shown) {
            shown = false;
            restore_cursor();
        }
        return;
    }
    const ULONGLONG now = GetTickCount64();
    if (running_since == 0) {
        running_since = now;
    }
    if (!shown && now - running_since >= wait_before_showing_ms) {
        shown = show_wait_cursor();
    }
}

bool set_busy_cursor(LPARAM hit_test_and_message) {
    if (!shown || LOWORD(hit_test_and_message) != HTCLIENT) {
        return false;
    }
    SetCursor(wait_cursor());
    return true;
}
