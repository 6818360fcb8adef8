// Keyboard handling of the subclassed controls: Tab moves the focus along the
// tab order, Enter and Esc become events, Alt plus a marked letter activates
// its control, and some letters and arrow keys are reported as they pass.
#include <cctype>

#include "framework/control_internals.h"
#include "framework/controls.h"
#include "framework/window_registry.h"
#include "framework/wk_app.h"

namespace {

// One saved procedure per class: every control of a class shares it.
std::atomic<WNDPROC> saved_edit_procedure{nullptr};
std::atomic<WNDPROC> saved_button_procedure{nullptr};
std::atomic<WNDPROC> saved_list_box_procedure{nullptr};

std::atomic<WNDPROC>& saved_procedure(control_class kind) {
    switch (kind) {
    case control_class::edit:
        return saved_edit_procedure;
    case control_class::button:
        return saved_button_procedure;
    default:
        return saved_list_box_procedure;
    }
}

LRESULT filtered(std::atomic<WNDPROC>& saved, HWND control, UINT message, WPARAM word, LPARAM value) {
    if (key_filter(message, word, control) == 1) {
        return 0;
    }
    return CallWindowProcA(saved.load(), control, message, word, value);
}

LRESULT CALLBACK edit_procedure(HWND control, UINT message, WPARAM word, LPARAM value) {
    return filtered(saved_edit_procedure, control, message, word, value);
}

LRESULT CALLBACK button_procedure(HWND control, UINT message, WPARAM word, LPARAM value) {
    return filtered(saved_button_procedure, control, message, word, value);
}

LRESULT CALLBACK list_box_procedure(HWND control, UINT message, WPARAM word, LPARAM value) {
    return filtered(saved_list_box_procedure, control, message, word, value);
}

WNDPROC subclass_procedure(control_class kind) {
    switch (kind) {
    case control_class::edit:
        return edit_procedure;
    case control_class::button:
        return button_procedure;
    default:
        return list_box_procedure;
    }
}

bool is_key_message(UINT message) {
    return message == WM_SYSCHAR || message == WM_CHAR || message == WM_KEYDOWN;
}

int char_event(WPARAM key) {
    switch (key) {
    case 'd':
    case 'D':
        return event_char_d;
    case 'n':
    case 'N':
        return event_char_n;
    case 'p':
    case 'P':
        return event_char_p;
    case 'u':
    case 'U':
        return event_char_u;
    default:
        return event_none;
    }
}

int key_event(WPARAM key) {
    switch (key) {
    case VK_RIGHT:
        return event_key_right;
    case VK_LEFT:
        return event_key_left;
    case VK_UP:
        return event_key_up;
    case VK_DOWN:
        return event_key_down;
    case VK_ADD:
        return event_key_add;
    case VK_SUBTRACT:
        return event_key_subtract;
    default:
        return event_none;
    }
}

constexpr WPARAM key_enter = 13;
constexpr WPARAM key_escape = 27;
constexpr WPARAM key_tab = 9;

bool shift_held() {
    return (GetKeyState(VK_SHIFT) & 0x8000) != 0;
}

int filter_for_owner(wk_win& owner, UINT message, WPARAM key, HWND control) {
    const auto window_value = reinterpret_cast<LPARAM>(owner.window_handle);
    if (message == WM_SYSCHAR) {
        const tab_entry* const entry = find_accelerator(owner, static_cast<char>(key));
        if (entry == nullptr) {
            return 0;
        }
        post_event(&owner, event_activate, reinterpret_cast<LPARAM>(entry->control));
        return 1;
    }
    if (message == WM_CHAR) {
        switch (key) {
        case key_enter:
            post_event(&owner, event_enter, window_value);
            return 1;
        case key_escape:
            post_event(&owner, event_escape, window_value);
            return 1;
        case key_tab:
            if (const tab_entry* const target = tab_target(owner, control, shift_held()); target != nullptr) {
                set_control_focus(target->control);
            }
            return 1;
        default:
            if (const int kind = char_event(key); kind != event_none) {
                post_event(&owner, kind, window_value);
            }
            return 0;
        }
    }
    if (const int kind = key_event(key); kind != event_none) {
        post_event(&owner, kind, window_value);
    }
    return 0;
}

} // namespace

void subclass_control(HWND control, control_class kind) {
    // Keep the class procedure before replacing it, so that a message reaching
    // the new procedure at once finds it saved.
    saved_procedure(kind) = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(control, GWLP_WNDPROC));
    SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(subclass_procedure(kind)));
}

int key_filter(UINT message, WPARAM key, HWND control) {
    if (!is_key_message(message)) {
        return 0;
    }
    int result = 0;
    const bool registered = with_window_object(
        GetParent(control), [&](wk_win& owner) { result = filter_for_owner(owner, message, key, control); });
    if (!registered) {
        // Outside a framework window only Tab is swallowed.
        return message == WM_CHAR && key == key_tab ? 1 : 0;
    }
    return result;
}

tab_entry* tab_target(wk_win& owner, HWND control, bool backwards) {
    tab_entry* previous = nullptr;
    tab_entry* entry = owner.tab_order;
    while (entry != nullptr && entry->control != control) {
        previous = entry;
        entry = entry->next;
    }
    if (entry == nullptr) {
        return nullptr;
    }
    if (!backwards) {
        return entry->next != nullptr ? entry->next : owner.tab_order;
    }
    if (previous != nullptr) {
        return previous;
    }
    tab_entry* last = entry;
    while (last->next != nullptr) {
        last = last->next;
    }
    return last;
}

tab_entry* find_accelerator(wk_win& owner, char character) {
    const char wanted = static_cast<char>(std::tolower(static_cast<unsigned char>(character)));
    if (wanted == 0) {
        return nullptr; // would match every unmarked control
    }
    for (tab_entry* entry = owner.tab_order; entry != nullptr; entry = entry->next) {
        // A text that has lost its '&' keeps the old accelerator.
        if (const char current = control_accelerator(entry->control); current != 0) {
            entry->accelerator = current;
        }
        if (entry->accelerator == wanted) {
            return entry;
        }
    }
    return nullptr;
}
