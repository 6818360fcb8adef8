#include "tests/framework/in_process/test_windows.h"

#include <atomic>
#include <thread>

#include "framework/wk_app.h"
#include "tests/driver/gui_driver.h"

namespace {

std::vector<std::unique_ptr<recording_win>>& windows() {
    static std::vector<std::unique_ptr<recording_win>> all;
    return all;
}

} // namespace

int recording_win::handle_event(wk_event* event) {
    received.push_back(*event);
    return received.size() < stop_after ? 1 : 0;
}

recording_win& new_window() {
    windows().push_back(std::make_unique<recording_win>());
    return *windows().back();
}

void destroy_test_windows() {
    windows().clear();
}

wk_event take_event(wk_win& window) {
    const std::lock_guard<std::mutex> guard(window.event_lock);
    const wk_event event{window.event_kind, window.event_kind == event_none ? 0 : window.event_value};
    window.event_kind = event_none;
    window.event_value = 0;
    return event;
}

void clear_events(wk_win& window) {
    take_event(window);
    while (WaitForSingleObject(wk_instance.event_semaphore, 0) == WAIT_OBJECT_0) {
    }
}

struct error_box_watcher::state {
    std::atomic<bool> stop{false};
    std::string text;
    HWND owner = nullptr;
    std::thread thread;
};

error_box_watcher::error_box_watcher() : state_(std::make_unique<state>()) {
    state_->thread = std::thread([s = state_.get()] {
        HWND box = nullptr;
        gui::wait_until([&] {
            if (s->stop) {
                return true;
            }
            for (const HWND candidate : gui::top_level_windows(GetCurrentProcessId(), "#32770")) {
                if (IsWindowVisible(candidate) != FALSE && gui::text_of(candidate) == "Error") {
                    box = candidate;
                    return true;
                }
            }
            return false;
        });
        if (box == nullptr) {
            return;
        }
        for (const HWND label : gui::children(box, "Static")) {
            if (const std::string text = gui::text_of(label); !text.empty()) {
                s->text = text;
            }
        }
        s->owner = GetWindow(box, GW_OWNER);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
}

std::string error_box_watcher::text() {
    if (state_->thread.joinable()) {
        state_->thread.join();
    }
    owner_ = state_->owner;
    return state_->text;
}

std::string error_box_watcher::stop() {
    state_->stop = true;
    return text();
}

error_box_watcher::~error_box_watcher() {
    stop();
}
