// The process entry and the two threads: WinMain on the GUI thread pumps
// messages and carries out the requests of the application thread, which
// runs application_main. Each request is a thread message carrying the
// address of a record; the application thread polls request_pending until the
// GUI thread has carried it out.
#include "framework/wk_app.h"

#include "framework/busy_cursor.h"
#include "framework/held_input.h"

#include <process.h>

#include <mutex>

namespace {

HANDLE make_event_semaphore() {
    // Maximum 1: the event loop empties the whole event queue after each
    // wake-up, so one pending release is all it needs.
    return CreateSemaphoreA(nullptr, 0, 1, nullptr);
}

} // namespace

// In one file so that their static initialisation runs in a fixed order: the
// event semaphore exists before the application record refers to the
// instance record.
wk_instance_record wk_instance{nullptr, make_event_semaphore(), SW_SHOWNORMAL};
wk_app_record wk_app{&wk_instance, 1000, {0}, Text()};

DWORD gui_thread_id = 0;
std::atomic<HWND> focus_control{nullptr};
HFONT control_font = nullptr;

namespace {

UINT msg_create_window = 0;
UINT msg_set_focus = 0;
UINT msg_gui_call = 0;

// 1 while a request of the application thread is outstanding; the GUI thread
// clears it once the request is carried out.
std::atomic<LONG> request_pending{0};
// The window produced by the last create request (null if creation failed).
std::atomic<HWND> created_window{nullptr};

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

// The commands given and not yet finished; while there are any, input stays
// in the queue. The event is set while there are none (both under the lock).
std::mutex hold_lock;
LONG commands_outstanding = 0;
HANDLE input_released = CreateEventA(nullptr, TRUE, TRUE, nullptr);

// One message of any kind (WM_QUIT included); false when the call failed.
bool take_any_message(MSG& message) {
    return GetMessageA(&message, nullptr, 0, 0) != -1;
}

bool thread_running(HANDLE thread) {
    DWORD code = 0;
    // A failing query counts as an ended thread.
    return thread != nullptr && GetExitCodeThread(thread, &code) == TRUE && code == STILL_ACTIVE;
}

class wk_thread {
  public:
    wk_thread() = default;
    wk_thread(const wk_thread&) = delete;
    wk_thread& operator=(const wk_thread&) = delete;
    virtual ~wk_thread() {
        stop_requested = 1;
        while (thread_running(thread_handle)) {
            MessageBeep(0xFFFFFFFF);
            Sleep(500);
        }
        if (thread_handle != nullptr) {
            CloseHandle(thread_handle);
        }
    }
    virtual DWORD run() = 0;

    // Starts the thread with the given requested stack size; false on failure.
    bool start(unsigned stack_size) {
        unsigned id = 0;
        const uintptr_t handle = _beginthreadex(nullptr, stack_size, entry, this, 0, &id);
        if (handle == 0) {
            return false;
        }
        thread_handle = reinterpret_cast<HANDLE>(handle);
        thread_id = id;
        return true;
    }
    bool running() const { return thread_running(thread_handle); }

    HANDLE thread_handle = nullptr;
    DWORD thread_id = 0;
    std::atomic<LONG> stop_requested{0};

  private:
    static unsigned __stdcall entry(void* object) { return static_cast<wk_thread*>(object)->run(); }
};

class app_thread : public wk_thread {
  public:
    DWORD run() override {
        const int result = application_main();
        wk_app.finished = 1;
        // Wake the GUI thread if it waits for a message that will never come
        // (a program that ends without a window left to close).
        PostThreadMessageA(gui_thread_id, WM_NULL, 0, 0);
        return static_cast<DWORD>(result);
    }
};

int screen_pixels_per_inch() {
    const HWND desktop = GetDesktopWindow();
    const HDC dc = GetDC(desktop);
    const int pixels = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(desktop, dc);
    return pixels;
}

// The font of every control: "MS Sans Serif" at the given points on the screen.
HFONT make_font(int points, int weight) {
    LOGFONTA description{};
    // Negative: names the character height, not the cell height.
    description.lfHeight = -MulDiv(points, screen_pixels_per_inch(), 72);
    description.lfWeight = weight;
    description.lfCharSet = ANSI_CHARSET;
    description.lfOutPrecision = OUT_STRING_PRECIS;
    description.lfClipPrecision = CLIP_STROKE_PRECIS;
    description.lfQuality = PROOF_QUALITY;
    description.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    lstrcpynA(description.lfFaceName, "MS Sans Serif", LF_FACESIZE);
    return CreateFontIndirectA(&description); // fonts live as long as the process
}

constexpr unsigned app_thread_stack_size = 4096;
constexpr DWORD drain_step_ms = 100;
constexpr int control_font_points = 8;
constexpr int control_font_weight = 400;

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show_state) {
    gui_thread_id = GetCurrentThreadId();
    wk_instance.instance_handle = instance;
    wk_instance.show_state = show_state;
    control_font = make_font(control_font_points, control_font_weight);
    msg_create_window = RegisterWindowMessageA("wk_create_window");
    msg_set_focus = RegisterWindowMessageA("wk_set_focus");
    msg_gui_call = RegisterWindowMessageA("wk_gui_call");
    SetWindowsHookExA(WH_GETMESSAGE, request_hook, nullptr, GetCurrentThreadId());

    app_thread application;
    application.start(app_thread_stack_size);
    while (application.running() && wk_app.finished == 0) {
        pump_one_message();
    }
    // The application thread finishes on its own (its event loop sees
    // `finished`). Only messages it sends are still carried out, so that a
    // command running when the window was closed is never left waiting.
    while (application.running()) {
        if (MsgWaitForMultipleObjects(1, &application.thread_handle, FALSE, drain_step_ms, QS_SENDMESSAGE) ==
            WAIT_OBJECT_0 + 1) {
            MSG sent{};
            PeekMessageA(&sent, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        }
    }
    return 0;
}

void pump_one_message() {
    // Read once: input kept while the hold lasted comes before anything taken after it.
    const bool held = input_held();
    follow_busy_cursor(held);
    if (!held && carry_out_kept_input()) {
        return;
    }
    MSG message{};
    const bool taken = held ? take_message_holding_input(message, input_released) : take_any_message(message);
    if (!taken) {
        return;
    }
    if (message.message == WM_QUIT) {
        wk_app.finished = 1;
        return;
    }
    TranslateMessage(&message);
    carry_out_request(message); // done already when the hook is in place
    DispatchMessageA(&message);
}

void hold_input() {
    const std::lock_guard<std::mutex> guard(hold_lock);
    if (++commands_outstanding == 1) {
        ResetEvent(input_released);
    }
}

void release_input() {
    const std::lock_guard<std::mutex> guard(hold_lock);
    if (--commands_outstanding == 0) {
        SetEvent(input_released);
    }
}

bool input_held() {
    const std::lock_guard<std::mutex> guard(hold_lock);
    return commands_outstanding > 0;
}

void set_control_focus(HWND control) {
    SendMessageA(control, EM_SETSEL, 0, -1);
    SetFocus(control);
    focus_control = control;
}

HWND request_create_window(DWORD ex_style, const char* class_name, const char* window_text, DWORD style,
                           int x, int y, int width, int height, HWND parent, HMENU menu_or_id,
                           HINSTANCE instance) {
    const create_window_request request{ex_style, class_name, window_text, style,      x,        y,
                                        width,    height,     parent,      menu_or_id, instance, nullptr};
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
