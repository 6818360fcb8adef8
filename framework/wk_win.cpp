// Window objects: construction of the top-level window, its title, and its
// removal from the registry.
#include "framework/wk_win.h"

#include "framework/choosers.h"
#include "framework/window_registry.h"
#include "framework/wk_app.h"

namespace {

constexpr WORD icon_resource = 101;
constexpr DWORD window_ex_style = WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE;
constexpr DWORD window_style = WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

void register_class_once() {
    const HINSTANCE instance = wk_instance.instance_handle;
    const char* const name = wk_app.program_name.chars;
    WNDCLASSA existing{};
    if (GetClassInfoA(instance, name, &existing) != FALSE) {
        return;
    }
    WNDCLASSA window_class{};
    window_class.style = CS_HREDRAW | CS_VREDRAW;
    window_class.lpfnWndProc = window_procedure;
    window_class.hInstance = instance;
    window_class.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(icon_resource));
    window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = name;
    RegisterClassA(&window_class);
}

// The start-up information's show value counts only when the starting program
// gave one; otherwise the field reads 0 (SW_HIDE) and would hide the window.
void apply_startup_show_state(HWND window) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    if ((startup.dwFlags & STARTF_USESHOWWINDOW) != 0) {
        ShowWindow(window, startup.wShowWindow);
    }
}

} // namespace

wk_win::wk_win() {
    register_class_once();
    window_handle =
        request_create_window(window_ex_style, wk_app.program_name.chars, "", window_style, 0, 0,
                              client_width, client_height, nullptr, nullptr, wk_instance.instance_handle);
    register_window(window_handle, this);
    if (window_handle == nullptr) {
        return;
    }
    ShowWindow(window_handle, wk_instance.show_state);
    ShowWindow(window_handle, SW_SHOWNORMAL);
    RECT outer{};
    GetWindowRect(window_handle, &outer);
    window_x = outer.left;
    window_y = outer.top;
    // The window was created client_width x client_height outside: grow it by
    // its frame so that the client area gets exactly that size.
    RECT client{};
    GetClientRect(window_handle, &client);
    window_width = 2 * client_width - (client.right - client.left);
    window_height = 2 * client_height - (client.bottom - client.top);
    MoveWindow(window_handle, window_x, window_y, window_width, window_height, TRUE);
    apply_startup_show_state(window_handle);
    UpdateWindow(window_handle);
}

wk_win::~wk_win() {
    unregister_window(this);
    const std::lock_guard<std::recursive_mutex> guard(registry_lock());
    while (tab_order != nullptr) {
        tab_entry* const next = tab_order->next;
        delete tab_order;
        tab_order = next;
    }
}

int wk_win::handle_event(wk_event*) {
    return loop_go_on;
}

void unregister_window(wk_win* window) {
    const HWND handle = window->window_handle;
    if (handle == nullptr || IsWindow(handle) == FALSE) {
        // Closed by the user already; its entry (if any) goes too.
        unlink_window(handle);
        return;
    }
    if (!unlink_window(handle)) {
        show_error_box(nullptr, "Window handle not found");
    }
    PostMessageA(handle, WM_CLOSE, 0, 0);
}

void set_title(HWND window) {
    Text title(wk_app.program_name.chars);
    text_append(title, " ");
    text_append(title, program_version);
    SetWindowTextA(window, title.chars);
}
