// A program on the framework whose window the user closes while its event
// loop waits: the loop ends although the handler never asks it to, a click
// that arrives after the close runs no command, the window goes, and the
// program ends by itself with exit code 0 (a hang, a crash or another code
// fails the test).
#include "framework/wk_app.h"
#include "framework/wk_win.h"

namespace {

constexpr DWORD exit_code_command_after_close = 2;

class closing_win : public wk_win {
  public:
    int handle_event(wk_event* event) override {
        if (is_acted_on(event->kind)) {
            ExitProcess(exit_code_command_after_close);
        }
        return loop_go_on;
    }
};

closing_win* the_window = nullptr;

// On the GUI thread, while the application thread waits for an event: the
// window goes (without a close event to wake the loop), then a click comes
// too late and wakes it.
void CALLBACK close_then_click(HWND window, UINT, UINT_PTR timer, DWORD) {
    KillTimer(window, timer);
    DestroyWindow(window);
    post_event(the_window, event_activate, reinterpret_cast<LPARAM>(window));
}

} // namespace

int application_main() {
    text_assign(wk_app.program_name, "Close test");
    closing_win window;
    the_window = &window;
    SetTimer(window.window_handle, 1, 200, close_then_click);
    event_loop(window);
    for (int tries = 0; tries < 1000 && IsWindow(window.window_handle) != FALSE; ++tries) {
        Sleep(10);
    }
    if (IsWindow(window.window_handle) != FALSE) {
        ExitProcess(1);
    }
    return 0;
}
