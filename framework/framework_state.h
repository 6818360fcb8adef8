// Framework state shared between the framework's own files (not part of the
// interface that programs use).
#pragma once

#include <windows.h>

#include <atomic>

// 1 while a create, focus or call request of the application thread is
// outstanding; the GUI thread clears it once the request is carried out.
extern std::atomic<LONG> request_pending;
// The window produced by the last create request (null if creation failed).
extern std::atomic<HWND> created_window;

// GUI thread: carry out the application thread's requests also while a modal
// loop of the system runs instead of pump_one_message.
void serve_requests_in_modal_loops();
