// The labels fit their places in the font the window shows them with.
#include <gtest/gtest.h>

#include <string>

#include "tests/app/main_window_session.h"

namespace {

using g = gen_main_win;

TEST(labels, show_their_whole_text_on_one_line) {
    const control_field labels[] = {&g::paragraph_label,      &g::linked_symbols_label, &g::result_label,
                                    &g::all_paragraphs_label, &g::all_symbols_label,    &g::symbol_label,
                                    &g::search_label};
    for (const control_field label : labels) {
        const std::string text = text_of(label);
        SCOPED_TRACE(text);
        const HWND control = the_window().*label;
        RECT client{};
        GetClientRect(control, &client);
        const HDC dc = GetDC(control);
        const HGDIOBJ old =
            SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
        SIZE size{};
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
        SelectObject(dc, old);
        ReleaseDC(control, dc);
        EXPECT_LE(size.cx, client.right) << "wide";
        EXPECT_LE(size.cy, client.bottom) << "high";
    }
}

} // namespace
