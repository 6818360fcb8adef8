// Turns a WM_COMMAND from a control into an event.
#include "framework/controls.h"
#include "framework/wk_event.h"

namespace {

constexpr WORD notify_clicked = 0;   // BN_CLICKED, also menu and accelerator commands
constexpr WORD notify_selchange = 1; // LBN_SELCHANGE
constexpr WORD notify_dblclk = 2;    // LBN_DBLCLK
constexpr WORD id_ok = 1;
constexpr WORD id_cancel = 2;

} // namespace

wk_event classify_command(WPARAM word, LPARAM value) {
    const WORD notification = HIWORD(word);
    const WORD id = LOWORD(word);
    switch (notification) {
    case notify_dblclk:
        return {event_double_click, value};
    case notify_selchange:
        return {event_select, value};
    case notify_clicked:
        if (id == control_id) {
            return {event_activate, value};
        }
        if (id == id_ok) {
            return {event_enter, value};
        }
        if (id == id_cancel) {
            return {event_escape, value};
        }
        return {event_command, static_cast<LPARAM>(id)};
    default:
        return {event_none, value}; // edit-box notifications and the like
    }
}
