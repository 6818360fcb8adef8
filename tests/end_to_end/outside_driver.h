// Drives a real Win32 program from outside, as a user does: starts it in a
// folder of its own, sends real keys and clicks (SendInput) to the foreground
// window and reads what its windows show through cross-process messages.
//
// What Wine on Xvfb without a window manager asks of a driver:
// - nothing activates a window by itself: a window is made the foreground
//   one (and checked to be) before any key is sent to it;
// - the ANSI text and list-box messages carry only the first character
//   between processes, so reading uses the Unicode ones;
// - a press goes to the window holding the mouse when it is queued, so a
//   click waits until the one before it was taken, and each button event
//   carries its own absolute position;
// - a closed top-level window takes about 2 s to go: every wait is generous.
#pragma once

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace outside {

constexpr DWORD patience_ms = 20000; // a busy machine is slow, never this slow

// When the last key or mouse button input was sent (GetTickCount64).
inline ULONGLONG last_input_sent = 0;

// Polls the condition until it holds; false once patience_ms have passed.
inline bool wait_until(const std::function<bool()>& condition) {
    const ULONGLONG deadline = GetTickCount64() + patience_ms;
    while (!condition()) {
        if (GetTickCount64() > deadline) {
            return false;
        }
        Sleep(20);
    }
    return true;
}

// A program started in a new empty working folder; ended if still running,
// and its folder removed, when the object goes.
class started_program {
  public:
    explicit started_program(const std::string& exe_path) {
        static int started = 0;
        folder_ = std::filesystem::temp_directory_path() /
                  ("norvane-e2e-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++started));
        std::filesystem::create_directories(folder_);
        std::string command_line = "\"" + exe_path + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        if (CreateProcessA(nullptr, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           folder_.string().c_str(), &startup, &info) != FALSE) {
            CloseHandle(info.hThread);
            process_ = info.hProcess;
            id_ = info.dwProcessId;
        }
    }
    started_program(const started_program&) = delete;
    started_program& operator=(const started_program&) = delete;
    ~started_program() {
        if (process_ != nullptr) {
            TerminateProcess(process_, 1); // no effect once it has ended
            WaitForSingleObject(process_, patience_ms);
            CloseHandle(process_);
        }
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    DWORD id() const { return id_; }
    std::string path_of(const std::string& file_name) const { return (folder_ / file_name).string(); }
    // The exit code once the program has ended; nullopt if it runs on.
    std::optional<DWORD> exit_code() const {
        DWORD code = 0;
        if (WaitForSingleObject(process_, patience_ms) != WAIT_OBJECT_0 ||
            GetExitCodeProcess(process_, &code) == FALSE) {
            return std::nullopt;
        }
        return code;
    }

  private:
    std::filesystem::path folder_;
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// A visible top-level window of the process with this class, or null.
inline HWND visible_window(DWORD process_id, const char* class_name) {
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, class_name, nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == process_id && IsWindowVisible(window) != FALSE) {
            return window;
        }
    }
    return nullptr;
}

inline bool make_foreground(HWND window) {
    return wait_until([&] {
        if (GetForegroundWindow() != window) {
            SetForegroundWindow(window);
        }
        return GetForegroundWindow() == window;
    });
}

// The keys pressed in order and released in reverse order (e.g. Shift+Tab),
// once the window is the foreground one; false if it never became it.
inline bool press(HWND foreground, const std::vector<WORD>& keys) {
    if (!make_foreground(foreground)) {
        return false;
    }
    std::vector<INPUT> inputs;
    const auto add = [&](WORD key, DWORD up) {
        const bool extended = key == VK_HOME || key == VK_END || key == VK_DELETE;
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = up | (extended ? KEYEVENTF_EXTENDEDKEY : 0);
        inputs.push_back(input);
    };
    for (const WORD key : keys) {
        add(key, 0);
    }
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
        add(*key, KEYEVENTF_KEYUP);
    }
    const bool sent =
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
    last_input_sent = GetTickCount64();
    return sent;
}

// Types the text as key presses, with Shift where the layout needs it.
inline bool type(HWND foreground, const std::string& text) {
    for (const char c : text) {
        const SHORT scan = VkKeyScanA(c);
        const auto key = static_cast<WORD>(scan & 0xFF);
        if (!press(foreground,
                   (scan & 0x100) != 0 ? std::vector<WORD>{VK_SHIFT, key} : std::vector<WORD>{key})) {
            return false;
        }
    }
    return true;
}

// The window that holds the mouse in the thread that owns the window; null
// when none does (or the thread has ended).
inline HWND capture_of(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    return thread != 0 && GetGUIThreadInfo(thread, &info) != FALSE ? info.hwndCapture : nullptr;
}

inline bool send_button(POINT point, DWORD button) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = (point.x * 65536 + GetSystemMetrics(SM_CXSCREEN) - 1) / GetSystemMetrics(SM_CXSCREEN);
    input.mi.dy = (point.y * 65536 + GetSystemMetrics(SM_CYSCREEN) - 1) / GetSystemMetrics(SM_CYSCREEN);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | button;
    const bool sent = SendInput(1, &input, sizeof(INPUT)) == 1;
    last_input_sent = GetTickCount64();
    return sent;
}

// A left click at the point of the screen, on the window there (of the same
// thread as `window`). A press goes to the window that holds the mouse when
// the press is queued, not to the one under the point: while the release of
// an earlier click has not been taken yet, the control clicked before would
// get it. So each step waits for its effect: no window holds the mouse, the
// press took it, the release gave it back.
inline bool click_at(HWND window, POINT point) {
    if (!wait_until([&] { return capture_of(window) == nullptr; })) {
        return false;
    }
    SetCursorPos(point.x, point.y);
    if (!send_button(point, MOUSEEVENTF_LEFTDOWN) ||
        !wait_until([&] { return capture_of(window) != nullptr; })) {
        return false;
    }
    return send_button(point, MOUSEEVENTF_LEFTUP) &&
           wait_until([&] { return capture_of(window) == nullptr; });
}

// A left click in the middle of the window.
inline bool click(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return click_at(window, {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
}

// A message sent across processes with a time-out, so that a hung program
// cannot hang the test; -1 when it got no answer.
inline LRESULT ask(HWND window, UINT message, WPARAM word = 0, LPARAM value = 0) {
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(window, message, word, value, SMTO_ABORTIFHUNG, 5000, &result) == 0) {
        return -1;
    }
    return static_cast<LRESULT>(result);
}

// The middle of the window's title-bar close box (screen coordinates): the
// window itself tells what lies under each point near its top right corner.
inline std::optional<POINT> close_box_of(HWND window) {
    constexpr LONG corner = 64; // the caption's buttons lie within this of the corner
    constexpr LONG step = 2;
    RECT rect{};
    GetWindowRect(window, &rect);
    LONG x_sum = 0;
    LONG y_sum = 0;
    LONG hits = 0;
    for (LONG y = rect.top; y < rect.top + corner; y += step) {
        for (LONG x = rect.right - corner; x < rect.right; x += step) {
            if (ask(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) {
                x_sum += x;
                y_sum += y;
                ++hits;
            }
        }
    }
    if (hits == 0) {
        return std::nullopt;
    }
    return POINT{x_sum / hits, y_sum / hits};
}

// Reads a text with the message into a buffer; the tests' texts are ASCII.
inline std::string read_text(HWND window, UINT message, WPARAM word) {
    std::wstring wide(4096, L'\0');
    const LRESULT length = ask(window, message, word, reinterpret_cast<LPARAM>(wide.data()));
    std::string text;
    for (LRESULT i = 0; i < length && i < static_cast<LRESULT>(wide.size()); ++i) {
        text += static_cast<char>(wide[static_cast<std::size_t>(i)]);
    }
    return text;
}

inline std::string text_of(HWND window) {
    return read_text(window, WM_GETTEXT, 4096);
}

inline std::vector<std::string> entries_of(HWND list_box) {
    std::vector<std::string> entries;
    for (LRESULT i = 0, count = ask(list_box, LB_GETCOUNT); i < count; ++i) {
        entries.push_back(read_text(list_box, LB_GETTEXT, static_cast<WPARAM>(i)));
    }
    return entries;
}

// The control with the keyboard focus in the thread that owns the window.
inline HWND focus_of(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

inline std::string file_bytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

} // namespace outside
