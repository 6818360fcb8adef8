// Readers that copy a control's text or a list box's selected entry into a Text.
#include <vector>

#include "framework/controls.h"

namespace {

void assign_from(Text& text, std::vector<char>& buffer) {
    buffer.back() = '\0';
    text_assign(text, buffer.data());
}

} // namespace

void read_control_text(HWND control, Text& text) {
    const LRESULT length = SendMessageA(control, WM_GETTEXTLENGTH, 0, 0);
    std::vector<char> buffer(static_cast<size_t>(length < 0 ? 0 : length) + 1, '\0');
    SendMessageA(control, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    assign_from(text, buffer);
}

void read_list_selection(HWND list_box, Text& text) {
    const LRESULT index = SendMessageA(list_box, LB_GETCURSEL, 0, 0);
    const LRESULT length = index == LB_ERR ? LB_ERR : SendMessageA(list_box, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR || length < 0) {
        text_assign(text, "");
        return;
    }
    // The entry is read whole, whatever its length.
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    if (SendMessageA(list_box, LB_GETTEXT, index, reinterpret_cast<LPARAM>(buffer.data())) == LB_ERR) {
        text_assign(text, "");
        return;
    }
    assign_from(text, buffer);
}
