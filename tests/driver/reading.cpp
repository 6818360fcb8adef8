// Reading what the program under test shows, through cross-process messages.
#include <vector>

#include "tests/driver/gui_driver.h"

namespace gui {

namespace {

constexpr UINT message_timeout_ms = 5000;

LRESULT send_w(HWND window, UINT message, WPARAM word, LPARAM value) {
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(window, message, word, value, SMTO_ABORTIFHUNG, message_timeout_ms, &result) ==
        0) {
        return -1;
    }
    return static_cast<LRESULT>(result);
}

std::string narrow(const std::wstring& wide) {
    if (wide.empty()) {
        return {};
    }
    const int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string text(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size, nullptr,
                        nullptr);
    return text;
}

std::string read_with(HWND window, UINT length_message, UINT text_message, WPARAM index) {
    const LRESULT length = send_w(window, length_message, index, 0);
    if (length < 0) {
        return {};
    }
    std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
    const bool list = text_message == LB_GETTEXT;
    const LRESULT copied =
        list ? send_w(window, text_message, index, reinterpret_cast<LPARAM>(wide.data()))
             : send_w(window, text_message, wide.size(), reinterpret_cast<LPARAM>(wide.data()));
    wide.resize(copied < 0 ? 0 : static_cast<size_t>(copied));
    return narrow(wide);
}

} // namespace

std::string text_of(HWND window) {
    return read_with(window, WM_GETTEXTLENGTH, WM_GETTEXT, 0);
}

std::vector<std::string> list_entries(HWND list_box) {
    std::vector<std::string> entries;
    const LRESULT count = send_w(list_box, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        entries.push_back(read_with(list_box, LB_GETTEXTLEN, LB_GETTEXT, static_cast<WPARAM>(i)));
    }
    return entries;
}

int list_selection(HWND list_box) {
    return static_cast<int>(send_w(list_box, LB_GETCURSEL, 0, 0));
}

std::pair<int, int> edit_selection(HWND edit) {
    const auto packed = static_cast<DWORD>(send_w(edit, EM_GETSEL, 0, 0));
    return {LOWORD(packed), HIWORD(packed)};
}

HWND focused_window(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) == FALSE) {
        return nullptr;
    }
    return info.hwndFocus;
}

DWORD style_of(HWND window) {
    return static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE));
}
DWORD ex_style_of(HWND window) {
    return static_cast<DWORD>(GetWindowLongPtrA(window, GWL_EXSTYLE));
}

} // namespace gui
