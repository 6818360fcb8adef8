// The registry of top-level framework windows (private to the framework).
// Every use of a registered window object from the GUI thread goes through
// with_window_object, under the registry's lock, so that the application
// thread cannot destroy the object (its destructor unregisters it under the
// same lock) while the GUI thread works with it.
#pragma once

#include <windows.h>

#include <mutex>

class wk_win;

// Recursive: the GUI thread's handling of one message may send others to the
// same windows (focus changes, destruction) and look the owner up again.
std::recursive_mutex& registry_lock();

void register_window(HWND window, wk_win* object);
// Unlinks the entry of this object's handle; false when there is none.
bool unlink_window(HWND window);
// The object registered for the handle, or null; call under registry_lock().
wk_win* lookup_window_object(HWND window);

// Runs action(object) under the lock when the handle is a live registered
// window; returns false (and runs nothing) otherwise.
template <class F> bool with_window_object(HWND window, F&& action) {
    const std::lock_guard<std::recursive_mutex> guard(registry_lock());
    wk_win* const object = lookup_window_object(window);
    if (object == nullptr) {
        return false;
    }
    action(*object);
    return true;
}
