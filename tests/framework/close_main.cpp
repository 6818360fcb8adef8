// A program on the framework whose window the user closes while its event
// loop runs: the loop ends although the handler never asks it to, the window
// goes, and the program ends by itself with exit code 0 (a hang, a crash or
// another code fails the test).
#include "framework/wk_app.h"
#include "framework/wk_win.h"

int application_main() {
    text_assign(wk_app.program_name, "Close test");
    wk_win window;                                                  // its handler always goes on
    PostMessageA(window.window_handle, WM_SYSCOMMAND, SC_CLOSE, 0); // the title bar's close button
    event_loop(window);
    for (int tries = 0; tries < 1000 && IsWindow(window.window_handle) != FALSE; ++tries) {
        Sleep(10);
    }
    if (IsWindow(window.window_handle) != FALSE) {
        ExitProcess(1);
    }
    return 0;
}
