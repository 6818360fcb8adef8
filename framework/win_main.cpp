// The process entry on the GUI thread: sets up the framework, starts the
// application thread and pumps messages until it ends.
#include "framework/framework_state.h"
#include "framework/wk_app.h"
#include "framework/wk_thread.h"

namespace {

constexpr unsigned app_thread_stack_size = 4096;
constexpr DWORD drain_step_ms = 100;

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show_state) {
    gui_thread_id = GetCurrentThreadId();
    wk_instance.instance_handle = instance;
    wk_instance.show_state = show_state;
    control_font = make_font(8, 400);
    msg_create_window = RegisterWindowMessageA("wk_create_window");
    msg_set_focus = RegisterWindowMessageA("wk_set_focus");
    msg_gui_call = RegisterWindowMessageA("wk_gui_call");
    serve_requests_in_modal_loops();

    app_thread application;
    application.start(app_thread_stack_size);
    while (application.running() && wk_app.finished == 0) {
        pump_one_message();
    }
    // The application thread finishes on its own (its event loop sees
    // `finished`); no message is pumped any more.
    while (application.running()) {
        Sleep(drain_step_ms);
    }
    return 0;
}
