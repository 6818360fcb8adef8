#include "tests/framework/in_process/test_windows.h"

#include <atomic>
#include <thread>

#include "framework/wk_app.h"

namespace {

std::vector<std::unique_ptr<recording_win>>& windows() {
    static std::vector<std::unique_ptr<recording_win>> all;
    return all;
}

std::string text_of(HWND window) {
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

struct box_search {
    const char* caption;
    HWND found;
};

BOOL CALLBACK match_box(HWND window, LPARAM search_address) {
    auto& search = *reinterpret_cast<box_search*>(search_address);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char class_name[16] = {};
    GetClassNameA(window, class_name, sizeof class_name);
    if (process == GetCurrentProcessId() && std::string(class_name) == "#32770" &&
        IsWindowVisible(window) != FALSE && text_of(window) == search.caption) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK read_box_text(HWND child, LPARAM text_address) {
    char class_name[16] = {};
    GetClassNameA(child, class_name, sizeof class_name);
    if (std::string(class_name) == "Static" && !text_of(child).empty()) {
        *reinterpret_cast<std::string*>(text_address) = text_of(child);
    }
    return TRUE;
}

} // namespace

int recording_win::handle_event(wk_event* event) {
    received.push_back(*event);
    if (on_event) {
        on_event(*event);
    }
    return received.size() < stop_after ? loop_go_on : loop_end;
}

recording_win& new_window() {
    windows().push_back(std::make_unique<recording_win>());
    return *windows().back();
}

void destroy_test_windows() {
    windows().clear();
}

void clear_events(wk_win& window) {
    while (take_event(window).kind != event_none) {
    }
    while (WaitForSingleObject(wk_instance.event_semaphore, 0) == WAIT_OBJECT_0) {
    }
}

bool wait_until(const std::function<bool()>& condition) {
    const ULONGLONG deadline = GetTickCount64() + 10000;
    while (!condition()) {
        if (GetTickCount64() >= deadline) {
            return false;
        }
        Sleep(10);
    }
    return true;
}

HWND find_box(const char* caption) {
    box_search search{caption, nullptr};
    EnumWindows(match_box, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void type_keys(HWND window, std::initializer_list<WORD> keys) {
    wait_until([&] {
        SetForegroundWindow(window);
        return GetForegroundWindow() == window;
    });
    std::vector<INPUT> inputs;
    for (const WORD key : keys) {
        for (const DWORD up : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = key;
            input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
            const bool arrow = key >= VK_LEFT && key <= VK_DOWN;
            input.ki.dwFlags = up | (arrow ? KEYEVENTF_EXTENDEDKEY : 0);
            inputs.push_back(input);
        }
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

struct error_box_watcher::state {
    std::atomic<bool> stop{false};
    std::string text;
    HWND owner = nullptr;
    std::thread thread;
};

error_box_watcher::error_box_watcher(const char* caption) : state_(std::make_unique<state>()) {
    state_->thread = std::thread([s = state_.get(), wanted = std::string(caption)] {
        HWND box = nullptr;
        wait_until([&] {
            box = find_box(wanted.c_str());
            return s->stop || box != nullptr;
        });
        if (box == nullptr) {
            return;
        }
        EnumChildWindows(box, read_box_text, reinterpret_cast<LPARAM>(&s->text));
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
