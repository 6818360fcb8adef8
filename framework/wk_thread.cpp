// Framework thread objects and the application thread.
#include "framework/wk_thread.h"

#include <process.h>

#include "framework/wk_app.h"

namespace {

bool thread_running(HANDLE thread) {
    DWORD code = 0;
    // A failing query counts as an ended thread.
    return GetExitCodeThread(thread, &code) == TRUE && code == STILL_ACTIVE;
}

unsigned __stdcall thread_entry(void* object) {
    return static_cast<wk_thread*>(object)->run();
}

} // namespace

bool wk_thread::start(unsigned stack_size) {
    unsigned id = 0;
    const uintptr_t handle = _beginthreadex(nullptr, stack_size, thread_entry, this, 0, &id);
    if (handle == 0) {
        return false;
    }
    thread_handle = reinterpret_cast<HANDLE>(handle);
    thread_id = id;
    return true;
}

bool wk_thread::running() const {
    return thread_handle != nullptr && thread_running(thread_handle);
}

wk_thread::~wk_thread() {
    stop_requested = 1;
    while (running()) {
        MessageBeep(0xFFFFFFFF);
        Sleep(500);
    }
    if (thread_handle != nullptr) {
        CloseHandle(thread_handle);
    }
}

DWORD app_thread::run() {
    const int result = application_main();
    wk_app.finished = 1;
    // Wake the GUI thread if it waits for a message that will never come (a
    // program that ends without a window left to close).
    PostThreadMessageA(gui_thread_id, WM_NULL, 0, 0);
    return static_cast<DWORD>(result);
}
