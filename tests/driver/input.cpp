// Real input: SendInput key presses and mouse clicks, as a user makes them.
#include <vector>

#include "tests/driver/gui_driver.h"

namespace gui {

namespace {

bool is_extended(WORD key) {
    switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_INSERT:
    case VK_DELETE:
    case VK_RMENU:
    case VK_RCONTROL:
        return true;
    default:
        return false;
    }
}

INPUT key_input(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (is_extended(key) ? KEYEVENTF_EXTENDEDKEY : 0);
    return input;
}

void send(std::vector<INPUT>& inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

INPUT mouse_input(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    return input;
}

POINT centre(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    return {(rect.right - rect.left) / 2, (rect.bottom - rect.top) / 2};
}

// The button events carry the position themselves: under Wine a cursor moved
// just before may not have arrived when the button is pressed, and the click
// would land where the cursor was.
void clicks_at(HWND window, POINT client_point, int count) {
    POINT screen = client_point;
    ClientToScreen(window, &screen);
    SetCursorPos(screen.x, screen.y);
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    const auto button = [&](DWORD flags) {
        INPUT input = mouse_input(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags);
        input.mi.dx = (screen.x * 65536 + width - 1) / width;
        input.mi.dy = (screen.y * 65536 + height - 1) / height;
        return input;
    };
    std::vector<INPUT> inputs;
    for (int i = 0; i < count; ++i) {
        inputs.push_back(button(MOUSEEVENTF_LEFTDOWN));
        inputs.push_back(button(MOUSEEVENTF_LEFTUP));
    }
    send(inputs);
}

} // namespace

bool make_foreground(HWND window, DWORD timeout_ms) {
    return wait_until(
        [&] {
            if (GetForegroundWindow() == window) {
                return true;
            }
            SetForegroundWindow(window);
            return GetForegroundWindow() == window;
        },
        timeout_ms, 50);
}

void click(HWND window) {
    clicks_at(window, centre(window), 1);
}
void click_at(HWND window, POINT client_point) {
    clicks_at(window, client_point, 1);
}
void double_click(HWND window) {
    clicks_at(window, centre(window), 2);
}
void double_click_at(HWND window, POINT client_point) {
    clicks_at(window, client_point, 2);
}

void press_key(WORD key) {
    press_keys({key});
}

void press_keys(std::initializer_list<WORD> keys) {
    std::vector<INPUT> inputs;
    for (const WORD key : keys) {
        inputs.push_back(key_input(key, false));
    }
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) {
        inputs.push_back(key_input(*key, true));
    }
    send(inputs);
}

void type_text(const std::string& text) {
    for (const char c : text) {
        const SHORT scan = VkKeyScanA(c);
        const auto key = static_cast<WORD>(scan & 0xFF);
        const bool shift = (scan & 0x100) != 0;
        if (shift) {
            press_keys({VK_SHIFT, key});
        } else {
            press_key(key);
        }
    }
}

} // namespace gui
