// Framework thread objects: the application thread runs application_main.
#pragma once

#include <windows.h>

#include <atomic>

class wk_thread {
  public:
    wk_thread() = default;
    wk_thread(const wk_thread&) = delete;
    wk_thread& operator=(const wk_thread&) = delete;
    virtual ~wk_thread(); // waits (beeping every 500 ms) until the thread has ended
    virtual DWORD run() = 0;

    // Starts the thread with the given requested stack size; false on failure.
    bool start(unsigned stack_size);
    // True while the thread has been started and has not ended.
    bool running() const;

    HANDLE thread_handle = nullptr;
    DWORD thread_id = 0;
    std::atomic<LONG> stop_requested{0};
};

class app_thread : public wk_thread {
  public:
    DWORD run() override; // application_main, then finished = 1
};
