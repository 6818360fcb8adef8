// A program on the framework whose window the user closes while its event
// loop waits: the loop gets an empty event and ends although the handler never
// asks it to, the window goes, and the program ends by itself with exit code
// 0 (a hang, a crash or another code fails the test).
#include "framework/wk_app.h"
#include "framework/wk_win.h"

namespace {

struct closing_win : wk_win {
    int handle_event(wk_event* event) override {
        woken_by_close = woken_by_close || (event->kind == event_none && wk_app.finished != 0);
        return loop_go_on;
    }
    bool woken_by_close = false;
};

} // namespace

int application_main() {
    text_assign(wk_app.program_name, "Close test");
    closing_win window;
    PostMessageA(window.window_handle, WM_SYSCOMMAND, SC_CLOSE, 0); // the title bar's close button
    event_loop(window);
    for (int tries = 0; tries < 1000 && IsWindow(window.window_handle) != FALSE; ++tries) {
        Sleep(10);
    }
    if (!window.woken_by_close || IsWindow(window.window_handle) != FALSE) {
        ExitProcess(1);
    }
    return 0;
}
