// The framework's child controls: creation through the GUI thread, the one
// font, the tab order, the keyboard handling added by subclassing (Tab moves
// the focus, Enter and Esc become events, Alt plus a button's marked letter
// clicks it, some letters and arrows are reported as they pass) and the
// readers of texts and selections.
#include "framework/controls.h"

#include <atomic>
#include <cctype>
#include <vector>

#include "framework/wk_app.h"

namespace {

constexpr int edit_line_width = 150;
constexpr int edit_line_height = 24;
constexpr int edit_box_x = 15;
constexpr int edit_box_y = 422;
constexpr int edit_box_width = 945;
constexpr int edit_box_height = 162;
constexpr int button_width = 75;

constexpr DWORD label_style = WS_CHILD | WS_CLIPSIBLINGS;
constexpr DWORD edit_line_style = WS_CHILD | WS_CLIPSIBLINGS | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD edit_box_style =
    WS_CHILD | WS_CLIPSIBLINGS | WS_BORDER | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL;
constexpr DWORD button_style = WS_CHILD | WS_CLIPSIBLINGS | WS_BORDER | BS_MULTILINE;
constexpr DWORD list_box_style = WS_CHILD | WS_CLIPSIBLINGS | WS_BORDER | WS_VSCROLL | WS_TABSTOP |
                                 LBS_NOINTEGRALHEIGHT | LBS_USETABSTOPS | LBS_NOTIFY;

constexpr WPARAM key_enter = 13;
constexpr WPARAM key_escape = 27;
constexpr WPARAM key_tab = 9;
// Accelerators are read from the first 79 characters of a button's label.
constexpr int label_read_size = 80;

enum class control_class { edit, button, list_box };

struct control_template {
    const char* class_name;
    const char* text;
    DWORD ex_style;
    DWORD style;
    int x;
    int y;
    int width;
    int height;
};

// One saved procedure per class: every control of a class shares it.
std::atomic<WNDPROC> saved_edit_procedure{nullptr};
std::atomic<WNDPROC> saved_button_procedure{nullptr};
std::atomic<WNDPROC> saved_list_box_procedure{nullptr};

LRESULT filtered(const std::atomic<WNDPROC>& saved, HWND control, UINT message, WPARAM word, LPARAM value) {
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

void subclass_control(HWND control, control_class kind) {
    std::atomic<WNDPROC>& saved = kind == control_class::edit     ? saved_edit_procedure
                                  : kind == control_class::button ? saved_button_procedure
                                                                  : saved_list_box_procedure;
    const WNDPROC replacement = kind == control_class::edit     ? edit_procedure
                                : kind == control_class::button ? button_procedure
                                                                : list_box_procedure;
    // Keep the class procedure before replacing it, so that a message reaching
    // the new procedure at once finds it saved.
    saved = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(control, GWLP_WNDPROC));
    SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(replacement));
}

// The lower-case character marked by the first single '&' of the label, or 0.
// "&&" shows a plain '&'; a marked blank or end marks nothing.
char marked_letter(HWND control) {
    char label[label_read_size] = {};
    SendMessageA(control, WM_GETTEXT, label_read_size, reinterpret_cast<LPARAM>(label));
    for (const char* c = label; *c != '\0'; ++c) {
        if (*c != '&') {
            continue;
        }
        if (c[1] == '&') {
            ++c;
            continue;
        }
        const auto marked = static_cast<unsigned char>(c[1]);
        return std::isgraph(marked) != 0 ? static_cast<char>(std::tolower(marked)) : 0;
    }
    return 0;
}

HWND create_control(wk_win& owner, const control_template& shape) {
    return request_create_window(shape.ex_style, shape.class_name, shape.text, shape.style, shape.x, shape.y,
                                 shape.width, shape.height, owner.window_handle,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(control_id)),
                                 wk_instance.instance_handle);
}

void show_with_font(HWND control) {
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(control_font), FALSE);
    ShowWindow(control, SW_SHOW);
    UpdateWindow(control);
}

// Appends the control to the owner's tab order; the first control of a
// registered window becomes its focus control.
void add_to_tab_order(wk_win& owner, HWND control, control_class kind) {
    const bool is_button = kind == control_class::button;
    auto* const entry = new tab_entry{nullptr, control, is_button};
    bool first_of_registered = false;
    {
        const std::lock_guard<std::recursive_mutex> guard(registry_lock());
        first_of_registered = owner.tab_order == nullptr && is_registered(GetParent(control));
        tab_entry** tail = &owner.tab_order;
        while (*tail != nullptr) {
            tail = &(*tail)->next;
        }
        *tail = entry;
    }
    // Focus is granted only on the GUI thread; ask it there (never while
    // holding the registry lock, which the GUI thread takes for keys).
    if (first_of_registered) {
        request_focus(control);
    }
}

HWND create_focusable(wk_win& owner, const control_template& shape, control_class kind) {
    const HWND control = create_control(owner, shape);
    if (control == nullptr) {
        return nullptr;
    }
    subclass_control(control, kind);
    show_with_font(control);
    add_to_tab_order(owner, control, kind);
    return control;
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

bool shift_held() {
    return (GetKeyState(VK_SHIFT) & 0x8000) != 0;
}

int filter_alt_letter(wk_win& owner, WPARAM key) {
    const tab_entry* const entry = find_accelerator(owner, static_cast<char>(key));
    if (entry == nullptr) {
        return 0; // unmarked: the system's own Alt keys (menu, Alt+Space) still work
    }
    post_event(&owner, event_activate, reinterpret_cast<LPARAM>(entry->control));
    return 1;
}

int filter_char(wk_win& owner, WPARAM key, HWND control) {
    const auto window_value = reinterpret_cast<LPARAM>(owner.window_handle);
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

int filter_for_owner(wk_win& owner, UINT message, WPARAM key, HWND control) {
    switch (message) {
    case WM_SYSCHAR:
        return filter_alt_letter(owner, key);
    case WM_CHAR:
        return filter_char(owner, key, control);
    case WM_KEYDOWN:
        if (const int kind = key_event(key); kind != event_none) {
            post_event(&owner, kind, reinterpret_cast<LPARAM>(owner.window_handle));
        }
        return 0;
    default:
        return 0;
    }
}

void assign_from(Text& text, std::vector<char>& buffer) {
    buffer.back() = '\0';
    text_assign(text, buffer.data());
}

} // namespace

HWND create_label(wk_win& owner, const char* text, int x, int y, int width, int height) {
    const HWND label = create_control(owner, {"STATIC", text, 0, label_style, x, y, width, height});
    if (label != nullptr) {
        show_with_font(label);
    }
    return label;
}

HWND create_edit_line(wk_win& owner, int x, int y) {
    return create_focusable(
        owner, {"EDIT", "", WS_EX_CLIENTEDGE, edit_line_style, x, y, edit_line_width, edit_line_height},
        control_class::edit);
}

HWND create_edit_box(wk_win& owner) {
    return create_focusable(owner,
                            {"EDIT", "", WS_EX_CLIENTEDGE, edit_box_style, edit_box_x, edit_box_y,
                             edit_box_width, edit_box_height},
                            control_class::edit);
}

HWND create_button(wk_win& owner, int x, int y, int height, const char* label, bool is_default) {
    const DWORD style = button_style | (is_default ? static_cast<DWORD>(BS_DEFPUSHBUTTON) : 0);
    return create_focusable(owner, {"BUTTON", label, 0, style, x, y, button_width, height},
                            control_class::button);
}

HWND create_list_box(wk_win& owner, int x, int y, int width, int height) {
    return create_focusable(owner, {"LISTBOX", "", WS_EX_CLIENTEDGE, list_box_style, x, y, width, height},
                            control_class::list_box);
}

void read_control_text(HWND control, Text& text) {
    const LRESULT length = SendMessageA(control, WM_GETTEXTLENGTH, 0, 0);
    std::vector<char> buffer(static_cast<size_t>(length < 0 ? 0 : length) + 1, '\0');
    SendMessageA(control, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    assign_from(text, buffer);
}

void read_list_selection(HWND list_box, Text& text) {
    const LRESULT index = SendMessageA(list_box, LB_GETCURSEL, 0, 0);
    const LRESULT length = index == LB_ERR ? LB_ERR : SendMessageA(list_box, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR || length < 0) {
        text_assign(text, "");
        return;
    }
    // The entry is read whole, whatever its length.
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    if (SendMessageA(list_box, LB_GETTEXT, index, reinterpret_cast<LPARAM>(buffer.data())) == LB_ERR) {
        text_assign(text, "");
        return;
    }
    assign_from(text, buffer);
}

int key_filter(UINT message, WPARAM key, HWND control) {
    if (message != WM_SYSCHAR && message != WM_CHAR && message != WM_KEYDOWN) {
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
    const auto wanted = static_cast<char>(std::tolower(static_cast<unsigned char>(character)));
    if (std::isgraph(static_cast<unsigned char>(wanted)) == 0) {
        return nullptr; // blanks and controls are the system's (Alt+Space opens the window menu)
    }
    // Only buttons: an edit box's text is the user's, and never changes what
    // a key does. A label may change; what it shows now is what counts.
    for (tab_entry* entry = owner.tab_order; entry != nullptr; entry = entry->next) {
        if (entry->is_button && marked_letter(entry->control) == wanted) {
            return entry;
        }
    }
    return nullptr;
}
