// A program on the framework whose window the user closes while its event
// loop waits: the loop gets an empty event and ends although the handler never
// asks it to, the window goes, and the program ends by itself with exit code
// 0 (a hang, a crash or another code fails the test).
#include <cstdio>

#include "framework/wk_app.h"
#include "framework/wk_win.h"

namespace {

class closing_win : public wk_win {
  public:
    int handle_event(wk_event* event) override {
        woken_by_close = woken_by_close || (event->kind == event_none && wk_app.finished != 0);
        return loop_go_on;
    }
    bool woken_by_close = false;
};

bool window_gone(HWND window) {
    for (int tries = 0; tries < 1000 && IsWindow(window) != FALSE; ++tries) {
        Sleep(10);
    }
    return IsWindow(window) == FALSE;
}

} // namespace

int application_main() {
    text_assign(wk_app.program_name, "Close test");
    closing_win window;
    // What the title bar's close button does.
    PostMessageA(window.window_handle, WM_SYSCOMMAND, SC_CLOSE, 0);
    event_loop(window);
    const bool ok = window.woken_by_close && window_gone(window.window_handle);
    std::printf("%s\n", ok ? "closed cleanly" : "FAILED: no empty event on close, or the window stayed");
    std::fflush(stdout);
    if (!ok) {
        ExitProcess(1);
    }
    return 0;
}
