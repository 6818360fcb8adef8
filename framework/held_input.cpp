// Input given while a command runs. It is taken from the queue as it comes
// rather than left there: the modal loops of the system (moving the window
// by its caption, a scroll bar) take every message of the queue, and would
// eat keys and clicks given before them. Taking a key decides its window by
// the focus at that time, so a kept key is sent anew to the focus when it is
// carried out (a click kept before it may have moved the focus), as the
// system does with a key the program takes. A click stays with the control
// under the pointer when it was given.
#include "framework/held_input.h"

#include <windowsx.h>

#include <array>
#include <deque>

namespace {

using keyboard_state = std::array<BYTE, 256>;

struct kept_input {
    MSG message;
    keyboard_state keys; // as this message left them: Shift for Tab, the case of a letter
    bool given = false;  // given by the user (sent anew), not posted to a window
};

// GUI thread only.
std::deque<kept_input> kept;
// The keys as the newest input taken left them. While kept input is carried
// out the thread's keys are older, and taking input changes only the key it
// concerns: they are put back first.
keyboard_state keys_taken{};
bool keys_older = false;

// How long one wait for a message lasts at most (the end of the hold also
// ends it).
constexpr DWORD wait_step_ms = 50;
constexpr UINT key_to_system_key = WM_SYSKEYDOWN - WM_KEYDOWN;

bool is_key(UINT message) {
    return message >= WM_KEYFIRST && message <= WM_KEYLAST;
}

bool is_client_mouse(UINT message) {
    return message >= WM_MOUSEFIRST && message <= WM_MOUSELAST;
}

bool is_kept_kind(UINT message) {
    return is_key(message) || is_client_mouse(message);
}

void keep(const MSG& message, bool given) {
    kept_input entry{message, {}, given};
    GetKeyboardState(entry.keys.data());
    keys_taken = entry.keys;
    kept.push_back(entry);
}

bool take(MSG& message, UINT kinds) {
    return PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_SENDMESSAGE | kinds) != FALSE;
}

// Takes one message, posted ones first, then input, then painting; false
// when there was none. Client input is kept; `dispatch` tells whether the
// message taken is for the caller to dispatch.
bool take_one(MSG& message, bool& dispatch) {
    dispatch = false;
    if (take(message, PM_QS_POSTMESSAGE)) {
        // A key or click posted to a window goes to that window, in its turn.
        if (is_kept_kind(message.message)) {
            keep(message, false);
        } else {
            dispatch = true;
        }
        return true;
    }
    if (keys_older) {
        SetKeyboardState(keys_taken.data());
        keys_older = false;
    }
    if (take(message, PM_QS_INPUT)) {
        // The window frame's mouse messages are not kept: moving the window
        // and its close box go on.
        if (is_kept_kind(message.message)) {
            keep(message, true);
        } else {
            dispatch = true;
        }
        return true;
    }
    dispatch = take(message, PM_QS_PAINT);
    return dispatch;
}

// To the focus; with nothing focused, as a system key to the active window.
bool route_key(MSG& message) {
    if (const HWND focus = GetFocus(); focus != nullptr) {
        message.hwnd = focus;
        return true;
    }
    message.hwnd = GetActiveWindow();
    if (message.message == WM_KEYDOWN || message.message == WM_KEYUP) {
        message.message += key_to_system_key;
    }
    return message.hwnd != nullptr;
}

// A click stays with the control the system found under the pointer when it
// was taken, which is when it was given (the window may have moved since),
// unless a control holds the mouse now: the release of a click goes where
// its press went.
bool route_mouse(MSG& message) {
    if (message.message == WM_MOUSEWHEEL || message.message == WM_MOUSEHWHEEL) {
        message.hwnd = GetFocus();
        return message.hwnd != nullptr;
    }
    if (IsWindow(message.hwnd) == FALSE) {
        return false;
    }
    if (const HWND capture = GetCapture(); capture != nullptr && capture != message.hwnd) {
        POINT point{GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam)};
        MapWindowPoints(message.hwnd, capture, &point, 1);
        message.hwnd = capture;
        message.lParam = MAKELPARAM(static_cast<WORD>(point.x), static_cast<WORD>(point.y));
    }
    return true;
}

// The characters a key typed, before the next kept input (which may move
// the focus) is carried out.
void dispatch_typed_characters() {
    MSG typed{};
    while (PeekMessageA(&typed, nullptr, WM_CHAR, WM_DEADCHAR, PM_REMOVE | PM_QS_POSTMESSAGE) != FALSE ||
           PeekMessageA(&typed, nullptr, WM_SYSCHAR, WM_SYSDEADCHAR, PM_REMOVE | PM_QS_POSTMESSAGE) !=
               FALSE) {
        DispatchMessageA(&typed);
    }
}

} // namespace

bool take_message_holding_input(MSG& message, HANDLE hold_ended) {
    bool dispatch = false;
    if (take_one(message, dispatch)) {
        return dispatch;
    }
    MsgWaitForMultipleObjects(1, &hold_ended, FALSE, wait_step_ms, QS_ALLINPUT);
    return take_one(message, dispatch) && dispatch;
}

bool carry_out_kept_input() {
    if (kept.empty()) {
        return false;
    }
    kept_input entry = kept.front();
    kept.pop_front();
    SetKeyboardState(entry.keys.data());
    keys_older = !kept.empty();
    const bool routed = !entry.given || (is_key(entry.message.message) ? route_key(entry.message)
                                                                       : route_mouse(entry.message));
    if (routed) {
        TranslateMessage(&entry.message);
        DispatchMessageA(&entry.message);
        dispatch_typed_characters();
    }
    return true;
}

std::size_t kept_input_count() {
    return kept.size();
}
