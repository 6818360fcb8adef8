// The process-wide records of the framework. They live in one file so that
// their static initialisation runs in a fixed order: the event semaphore
// exists before the application record refers to the instance record.
#include "framework/wk_app.h"

#include "framework/framework_state.h"

namespace {

HANDLE make_event_semaphore() {
    // Maximum 1: any number of releases before a wait wake the waiter once.
    return CreateSemaphoreA(nullptr, 0, 1, nullptr);
}

} // namespace

wk_instance_record wk_instance{nullptr, make_event_semaphore(), SW_SHOWNORMAL};
wk_app_record wk_app{&wk_instance, 1000, {0}, Text()};

DWORD gui_thread_id = 0;
UINT msg_create_window = 0;
UINT msg_set_focus = 0;
UINT msg_gui_call = 0;
std::atomic<HWND> focus_control{nullptr};
HFONT control_font = nullptr;

std::atomic<LONG> request_pending{0};
std::atomic<HWND> created_window{nullptr};
