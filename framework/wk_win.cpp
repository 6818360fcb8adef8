// Window objects: the top-level window, the registry, the window procedure
// that turns its messages into events, and the event queue and loop.
#include "framework/wk_win.h"

#include "framework/busy_cursor.h"
#include "framework/wk_app.h"

namespace {

constexpr WORD icon_resource = 101;
constexpr DWORD window_ex_style = WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE;
constexpr DWORD window_style = WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

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

void register_window(HWND window, wk_win* object) {
    const std::lock_guard<std::recursive_mutex> guard(registry_lock());
    registry_entry** tail = &registry.first;
    while (*tail != nullptr) {
        tail = &(*tail)->next;
    }
    *tail = new registry_entry{window, object, nullptr};
}

// Unlinks the entry of this handle; false when there is none.
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

// The object registered for a live window, or null; call under registry_lock().
wk_win* registered_object(HWND window) {
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

// A passing event (one nothing acts on) is only ever alone in the queue.
// True when the event starts a command of its own (it was not merged).
bool queue_event(std::deque<wk_event>& queue, const wk_event& event) {
    const bool passing_pending = queue.size() == 1 && !is_acted_on(queue.front().kind);
    if (!is_acted_on(event.kind)) {
        if (queue.empty() || passing_pending) {
            queue.assign(1, event);
        }
        return false;
    }
    if (passing_pending) {
        queue.clear();
    }
    // Holding an arrow key in a list makes a selection change per key: only
    // the newest selection matters.
    if (!queue.empty() && event.kind == event_select && queue.back().kind == event_select &&
        queue.back().value == event.value) {
        queue.back() = event;
        return false;
    }
    queue.push_back(event);
    return true;
}

// The command of the event taken last has finished (or will not run).
void finish_command_in_hand(wk_win& window) {
    if (window.command_in_hand) {
        window.command_in_hand = false;
        release_input();
    }
}

int end_event_loop(wk_win& window) {
    const std::lock_guard<std::mutex> guard(window.event_lock);
    finish_command_in_hand(window);
    return 0;
}

bool is_top_level(HWND window) {
    return GetParent(window) == nullptr;
}

BOOL CALLBACK send_nc_activate(HWND child, LPARAM active) {
    SendMessageA(child, WM_NCACTIVATE, static_cast<WPARAM>(active), 0);
    return TRUE;
}

void on_activate(HWND window, WPARAM word) {
    EnumChildWindows(window, send_nc_activate, static_cast<LPARAM>(word));
}

// True when the window was a registered top-level one, closed here.
bool on_close(HWND window) {
    const bool registered = is_top_level(window) && with_window_object(window, [](wk_win& object) {
                                wk_app.finished = 1;
                                post_event(&object, event_none, 0);
                            });
    if (registered) {
        DestroyWindow(window);
    }
    return registered;
}

void on_destroy(HWND window) {
    with_window_object(window, [](wk_win&) { wk_app.finished = 1; });
    PostQuitMessage(0);
}

void on_set_focus(HWND window) {
    // The window passes its focus on to the control that had it last (when
    // that control is one of its own).
    if (const HWND control = focus_control; control != nullptr && IsChild(window, control) != FALSE) {
        set_control_focus(control);
    }
}

void on_paint(HWND window) {
    with_window_object(
        window, [&](wk_win& object) { post_event(&object, event_paint, reinterpret_cast<LPARAM>(window)); });
}

void on_command(HWND window, WPARAM word, LPARAM value) {
    const wk_event event = classify_command(word, value);
    if (event.kind != event_none) {
        with_window_object(window, [&](wk_win& object) { post_event(&object, event.kind, event.value); });
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
    {
        const std::lock_guard<std::mutex> guard(event_lock);
        finish_command_in_hand(*this);
        for (const wk_event& event : pending_events) {
            if (is_acted_on(event.kind)) {
                release_input();
            }
        }
        pending_events.clear();
    }
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

std::recursive_mutex& registry_lock() {
    static std::recursive_mutex lock;
    return lock;
}

bool with_window_object(HWND window, const std::function<void(wk_win&)>& action) {
    const std::lock_guard<std::recursive_mutex> guard(registry_lock());
    wk_win* const object = registered_object(window);
    if (object == nullptr) {
        return false;
    }
    action(*object);
    return true;
}

bool is_registered(HWND window) {
    return with_window_object(window, [](wk_win&) {});
}

void unregister_window(wk_win* window) {
    const HWND handle = window->window_handle;
    if (handle == nullptr || IsWindow(handle) == FALSE) {
        // Closed by the user already; its entry (if any) goes too.
        unlink_window(handle);
        return;
    }
    if (!unlink_window(handle)) {
        MessageBoxA(nullptr, "Window handle not found", "Error", MB_OK);
    }
    PostMessageA(handle, WM_CLOSE, 0, 0);
}

LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM word, LPARAM value) {
    switch (message) {
    case WM_ACTIVATE:
        on_activate(window, word);
        break;
    case WM_CLOSE:
        if (on_close(window)) {
            return 0;
        }
        break;
    case WM_DESTROY:
        if (is_top_level(window)) {
            on_destroy(window);
            return 0;
        }
        break;
    case WM_SETFOCUS:
        on_set_focus(window);
        break;
    case WM_PAINT:
        on_paint(window);
        break;
    case WM_COMMAND:
        on_command(window, word, value);
        break;
    case WM_SETCURSOR:
        if (set_busy_cursor(value)) {
            return TRUE;
        }
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, word, value);
}

wk_event classify_command(WPARAM word, LPARAM value) {
    constexpr WORD notify_clicked = 0;   // BN_CLICKED, also menu and accelerator commands
    constexpr WORD notify_selchange = 1; // LBN_SELCHANGE
    constexpr WORD notify_dblclk = 2;    // LBN_DBLCLK
    constexpr WORD id_ok = 1;
    constexpr WORD id_cancel = 2;
    const WORD id = LOWORD(word);
    switch (HIWORD(word)) {
    case notify_dblclk:
        return {event_double_click, value};
    case notify_selchange:
        return {event_select, value};
    case notify_clicked:
        if (id == control_id) {
            return {event_activate, value};
        }
        if (id == id_ok) {
            return {event_enter, value};
        }
        if (id == id_cancel) {
            return {event_escape, value};
        }
        return {event_command, static_cast<LPARAM>(id)};
    default:
        return {event_none, value}; // edit-box notifications and the like
    }
}

bool is_acted_on(int kind) {
    return kind == event_enter || kind == event_activate || kind == event_select;
}

void post_event(wk_win* window, int kind, LPARAM value) {
    if (kind != event_none) {
        const std::lock_guard<std::mutex> guard(window->event_lock);
        if (queue_event(window->pending_events, {kind, value})) {
            hold_input();
        }
    }
    ReleaseSemaphore(wk_instance.event_semaphore, 1, nullptr);
}

wk_event take_event(wk_win& window) {
    const std::lock_guard<std::mutex> guard(window.event_lock);
    finish_command_in_hand(window);
    if (window.pending_events.empty()) {
        return {};
    }
    const wk_event oldest = window.pending_events.front();
    window.pending_events.pop_front();
    window.command_in_hand = is_acted_on(oldest.kind);
    return oldest;
}

int event_loop(wk_win& window) {
    for (;;) {
        if (wk_app.finished != 0) {
            return end_event_loop(window);
        }
        // The semaphore counts one wake-up however many events came: empty
        // the queue before waiting again.
        wk_event event = take_event(window);
        if (event.kind == event_none &&
            WaitForSingleObject(wk_instance.event_semaphore, wk_app.wait_timeout_ms) == WAIT_OBJECT_0) {
            event = take_event(window); // a time-out or a failed wait hands over an empty event
        }
        // The window may have been closed while this thread waited: nothing
        // the user gave before runs after that.
        if (wk_app.finished != 0) {
            return end_event_loop(window);
        }
        if (window.handle_event(&event) == loop_end) {
            return end_event_loop(window);
        }
    }
}

void set_title(HWND window) {
    Text title(wk_app.program_name.chars);
    text_append(title, " ");
    text_append(title, program_version);
    SetWindowTextA(window, title.chars);
}
