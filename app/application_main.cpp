// What the application thread runs: the main window until Exit or close.
#include "app/main_win.h"
#include "framework/wk_app.h"

int application_main() {
    // The window class is registered under the program name, so it comes first.
    text_assign(wk_app.program_name, "Norvane");
    main_win window;
    // Activation only takes effect on the thread that owns the window.
    const HWND main_window = window.window_handle;
    run_on_gui_thread([main_window] { SetActiveWindow(main_window); });
    set_title(window.window_handle);
    window.new_paragraph_after();
    const int result = event_loop(window);
    window.leave_document_to_the_end();
    return result;
}
