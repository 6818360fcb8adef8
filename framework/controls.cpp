// Creation of the framework's child controls through the GUI thread, and the
// tab order of their window.
#include "framework/controls.h"

#include <cctype>

#include "framework/control_internals.h"
#include "framework/window_registry.h"
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
void add_to_tab_order(wk_win& owner, HWND control) {
    auto* const entry = new tab_entry{nullptr, control, control_accelerator(control)};
    bool first_of_registered = false;
    {
        const std::lock_guard<std::recursive_mutex> guard(registry_lock());
        first_of_registered =
            owner.tab_order == nullptr && lookup_window_object(GetParent(control)) != nullptr;
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
    add_to_tab_order(owner, control);
    return control;
}

} // namespace

char control_accelerator(HWND control) {
    char text[accelerator_text_size] = {};
    SendMessageA(control, WM_GETTEXT, accelerator_text_size, reinterpret_cast<LPARAM>(text));
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c == '&') {
            return static_cast<char>(std::tolower(static_cast<unsigned char>(c[1])));
        }
    }
    return 0;
}

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
