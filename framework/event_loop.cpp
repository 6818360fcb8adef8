// The event slot of a window object and the application thread's event loop.
#include "framework/wk_app.h"
#include "framework/wk_win.h"

void post_event(wk_win* window, int kind, LPARAM value) {
    {
        const std::lock_guard<std::mutex> guard(window->event_lock);
        // One slot: a newer event replaces one not yet taken.
        window->event_kind = kind;
        window->event_value = value;
    }
    ReleaseSemaphore(wk_instance.event_semaphore, 1, nullptr);
}

bool post_event_if_idle(wk_win* window, int kind, LPARAM value) {
    {
        const std::lock_guard<std::mutex> guard(window->event_lock);
        if (window->event_kind != event_none) {
            return false;
        }
        window->event_kind = kind;
        window->event_value = value;
    }
    ReleaseSemaphore(wk_instance.event_semaphore, 1, nullptr);
    return true;
}

namespace {

wk_event take_event(wk_win& window) {
    const std::lock_guard<std::mutex> guard(window.event_lock);
    const wk_event taken{window.event_kind, window.event_kind == event_none ? 0 : window.event_value};
    window.event_kind = event_none;
    return taken;
}

} // namespace

int event_loop(wk_win& window) {
    for (;;) {
        if (wk_app.finished != 0) {
            return 0;
        }
        wk_event event;
        // A time-out or a failed wait hands the handler an empty event.
        if (WaitForSingleObject(wk_instance.event_semaphore, wk_app.wait_timeout_ms) == WAIT_OBJECT_0) {
            event = take_event(window);
        }
        if (window.handle_event(&event) == loop_end) {
            return 0;
        }
    }
}
