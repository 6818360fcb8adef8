// The window procedure of the framework's window class: turns the messages of
// a registered top-level window into events.
#include "framework/window_registry.h"
#include "framework/wk_app.h"
#include "framework/wk_win.h"

namespace {

BOOL CALLBACK send_nc_activate(HWND child, LPARAM active) {
    SendMessageA(child, WM_NCACTIVATE, static_cast<WPARAM>(active), 0);
    return TRUE;
}

bool is_top_level(HWND window) {
    return GetParent(window) == nullptr;
}

LRESULT on_close(HWND window, UINT message, WPARAM word, LPARAM value) {
    const bool closed_registered = is_top_level(window) && with_window_object(window, [](wk_win& object) {
                                       wk_app.finished = 1;
                                       post_event(&object, event_none, 0);
                                   });
    if (!closed_registered) {
        return DefWindowProcA(window, message, word, value);
    }
    DestroyWindow(window);
    return 0;
}

LRESULT on_destroy(HWND window, UINT message, WPARAM word, LPARAM value) {
    if (!is_top_level(window)) {
        return DefWindowProcA(window, message, word, value);
    }
    with_window_object(window, [](wk_win&) { wk_app.finished = 1; });
    PostQuitMessage(0);
    return 0;
}

void on_command(HWND window, WPARAM word, LPARAM value) {
    const wk_event event = classify_command(word, value);
    if (event.kind != event_none) {
        with_window_object(window, [&](wk_win& object) { post_event(&object, event.kind, event.value); });
    }
}

} // namespace

LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM word, LPARAM value) {
    switch (message) {
    case WM_ACTIVATE:
        EnumChildWindows(window, send_nc_activate, static_cast<LPARAM>(word));
        break;
    case WM_CLOSE:
        return on_close(window, message, word, value);
    case WM_DESTROY:
        return on_destroy(window, message, word, value);
    case WM_SETFOCUS:
        // The window passes its focus on to the control that had it last
        // (when that control is one of its own).
        if (const HWND control = focus_control; control != nullptr && IsChild(window, control) != FALSE) {
            set_control_focus(control);
        }
        break;
    case WM_PAINT:
        // Windows paint when nothing else is queued, so a repaint often comes
        // right after a click: it must not take the click's place.
        with_window_object(window, [&](wk_win& object) {
            post_event_if_idle(&object, event_paint, reinterpret_cast<LPARAM>(window));
        });
        break;
    case WM_COMMAND:
        on_command(window, word, value);
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, word, value);
}
