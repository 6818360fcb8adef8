// The registry mapping top-level window handles to their window objects, in
// order of registration.
#include "framework/window_registry.h"

#include "framework/wk_win.h"

namespace {

struct registry_entry {
    HWND window;
    wk_win* object;
    registry_entry* next;
};

// Frees the entries left at process exit (windows the user closed whose
// objects were destroyed afterwards are unlinked already; these are not).
struct registry_list {
    registry_entry* first = nullptr;
    registry_list() = default;
    registry_list(const registry_list&) = delete;
    registry_list& operator=(const registry_list&) = delete;
    ~registry_list() {
        while (first != nullptr) {
            registry_entry* const next = first->next;
            delete first;
            first = next;
        }
    }
};

registry_list registry;

} // namespace

std::recursive_mutex& registry_lock() {
    static std::recursive_mutex lock;
    return lock;
}

void register_window(HWND window, wk_win* object) {
    const std::lock_guard<std::recursive_mutex> guard(registry_lock());
    registry_entry** tail = &registry.first;
    while (*tail != nullptr) {
        tail = &(*tail)->next;
    }
    *tail = new registry_entry{window, object, nullptr};
}

bool unlink_window(HWND window) {
    const std::lock_guard<std::recursive_mutex> guard(registry_lock());
    for (registry_entry** link = &registry.first; *link != nullptr; link = &(*link)->next) {
        if ((*link)->window == window) {
            registry_entry* const entry = *link;
            *link = entry->next;
            delete entry;
            return true;
        }
    }
    return false;
}

wk_win* lookup_window_object(HWND window) {
    if (window == nullptr || IsWindow(window) == FALSE) {
        return nullptr;
    }
    for (const registry_entry* entry = registry.first; entry != nullptr; entry = entry->next) {
        if (entry->window == window) {
            return entry->object;
        }
    }
    return nullptr;
}

wk_win* find_window_object(HWND window) {
    const std::lock_guard<std::recursive_mutex> guard(registry_lock());
    return lookup_window_object(window);
}
