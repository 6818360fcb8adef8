// The GUI thread's message pump and the requests the application thread makes
// of it: create a window, focus a control, run a function. Each request is a
// thread message carrying the address of a record; the application thread
// polls request_pending until the GUI thread has carried it out.
#include "framework/framework_state.h"
#include "framework/wk_app.h"

namespace {

struct create_window_request {
    DWORD ex_style;
    const char* class_name;
    const char* window_text;
    DWORD style;
    int x;
    int y;
    int width;
    int height;
    HWND parent;
    HMENU control_id;
    HINSTANCE instance;
    void* creation_parameter;
};

struct gui_call_request {
    void (*fn)(void*);
    void* context;
};

// The application thread makes one request at a time. The records are static
// rather than in the requester's frame so that a request given up when the
// program finishes never leaves the GUI thread a dangling address.
create_window_request create_record;
gui_call_request call_record;

void post_request(UINT message, WPARAM word) {
    request_pending = 1;
    // The GUI thread's queue may not exist yet at start-up: retry at once.
    while (PostThreadMessageA(gui_thread_id, message, word, 0) == FALSE) {
        if (wk_app.finished != 0) {
            return;
        }
        Sleep(0);
    }
}

void wait_for_request() {
    while (request_pending != 0 && wk_app.finished == 0) {
        Sleep(0);
    }
}

bool on_gui_thread() {
    return GetCurrentThreadId() == gui_thread_id;
}

void carry_out_create(const create_window_request& r) {
    created_window = CreateWindowExA(r.ex_style, r.class_name, r.window_text, r.style, r.x, r.y, r.width,
                                     r.height, r.parent, r.control_id, r.instance, r.creation_parameter);
}

} // namespace

void set_control_focus(HWND control) {
    SendMessageA(control, EM_SETSEL, 0, -1);
    SetFocus(control);
    focus_control = control;
}

namespace {

bool is_request(const MSG& message) {
    return message.hwnd == nullptr && message.message != WM_NULL &&
           (message.message == msg_create_window || message.message == msg_set_focus ||
            message.message == msg_gui_call);
}

void run_request(const MSG& message) {
    if (message.message == msg_create_window) {
        carry_out_create(*reinterpret_cast<const create_window_request*>(message.wParam));
    } else if (message.message == msg_set_focus) {
        set_control_focus(reinterpret_cast<HWND>(message.wParam));
    } else {
        const auto* call = reinterpret_cast<const gui_call_request*>(message.wParam);
        call->fn(call->context);
    }
}

// Carries out a request message of the application thread; the message then
// becomes WM_NULL, so that it is carried out once only. Once the program is
// finishing, the requester no longer waits and its record may be gone: the
// request is dropped.
void carry_out_request(MSG& message) {
    if (!is_request(message)) {
        return;
    }
    if (wk_app.finished == 0) {
        run_request(message);
    }
    message.message = WM_NULL;
    request_pending = 0;
}

// Sees every message the GUI thread takes from its queue, also in the modal
// loops of the system (moving the window, menus, message boxes), whose
// dispatching would drop a thread message and leave its requester waiting.
LRESULT CALLBACK request_hook(int code, WPARAM removal, LPARAM message) {
    if (code == HC_ACTION && removal == PM_REMOVE) {
        carry_out_request(*reinterpret_cast<MSG*>(message));
    }
    return CallNextHookEx(nullptr, code, removal, message);
}

} // namespace

void serve_requests_in_modal_loops() {
    SetWindowsHookExA(WH_GETMESSAGE, request_hook, nullptr, GetCurrentThreadId());
}

void pump_one_message() {
    MSG message{};
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) {
        wk_app.finished = 1;
        return;
    }
    if (got == -1) {
        return;
    }
    TranslateMessage(&message);
    carry_out_request(message); // done already when the hook is in place
    DispatchMessageA(&message);
}

HWND request_create_window(DWORD ex_style, const char* class_name, const char* window_text, DWORD style,
                           int x, int y, int width, int height, HWND parent, HMENU control_id,
                           HINSTANCE instance) {
    const create_window_request request{ex_style, class_name, window_text, style,      x,        y,
                                        width,    height,     parent,      control_id, instance, nullptr};
    if (on_gui_thread()) {
        carry_out_create(request); // waiting for ourselves would never end
        return created_window;
    }
    if (wk_app.finished != 0) {
        return nullptr;
    }
    create_record = request;
    created_window = nullptr;
    post_request(msg_create_window, reinterpret_cast<WPARAM>(&create_record));
    wait_for_request();
    return request_pending == 0 ? created_window.load() : nullptr;
}

void request_focus(HWND control) {
    if (on_gui_thread()) {
        set_control_focus(control);
        return;
    }
    if (wk_app.finished != 0) {
        return;
    }
    post_request(msg_set_focus, reinterpret_cast<WPARAM>(control));
    wait_for_request();
}

void request_gui_call(void (*fn)(void*), void* context) {
    if (on_gui_thread()) {
        fn(context);
        return;
    }
    if (wk_app.finished != 0) {
        return;
    }
    call_record = {fn, context};
    post_request(msg_gui_call, reinterpret_cast<WPARAM>(&call_record));
    wait_for_request();
}
