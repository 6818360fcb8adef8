// The controls' labels and letters: the order the window creates its controls
// in (which is the Tab order and decides which button an Alt letter reaches),
// and labels that fit their places in the font the window shows them with.
#include <gtest/gtest.h>

#include <string>

#include "framework/controls.h"
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

// Alt+S must reach "&Save file", created before "&Search".
TEST(labels, controls_are_created_in_layout_order_and_each_alt_letter_reaches_its_button) {
    const struct {
        const char* name;
        control_field control;
        char alt_letter;       // 0: not a button
        control_field reaches; // the button that letter reaches
    } layout[] = {
        {"E&xit", &g::exit_button, 'x', &g::exit_button},
        {"paragraph box", &g::paragraph_edit, 0, nullptr},
        {"Paragraph", &g::paragraph_label, 0, nullptr},
        {"Symbols linked to paragraph", &g::linked_symbols_label, 0, nullptr},
        {"linked symbols", &g::linked_symbols_list, 0, nullptr},
        {"results", &g::result_list, 0, nullptr},
        {"Paragraphs linked to symbol or search results", &g::result_label, 0, nullptr},
        {"All paragraphs", &g::all_paragraphs_label, 0, nullptr},
        {"all paragraphs", &g::all_paragraphs_list, 0, nullptr},
        {"&New paragraph after", &g::new_paragraph_button, 'n', &g::new_paragraph_button},
        {"&Cut", &g::cut_button, 'c', &g::cut_button},
        {"Paste &before", &g::paste_before_button, 'b', &g::paste_before_button},
        {"All symbols", &g::all_symbols_label, 0, nullptr},
        {"all symbols", &g::all_symbols_list, 0, nullptr},
        {"&Save file", &g::save_button, 's', &g::save_button},
        {"&Open file", &g::open_button, 'o', &g::open_button},
        {"&Link Symbol", &g::link_symbol_button, 'l', &g::link_symbol_button},
        {"symbol box", &g::symbol_edit, 0, nullptr},
        {"Symbol to link:", &g::symbol_label, 0, nullptr},
        {"L&ink Symbol", &g::link_listed_symbol_button, 'i', &g::link_listed_symbol_button},
        {"&Update paragraph", &g::update_button, 'u', &g::update_button},
        {"&Search", &g::search_button, 's', &g::save_button},
        {"&Delete Symbol", &g::delete_symbol_button, 'd', &g::delete_symbol_button},
        {"Update &+ New", &g::update_new_button, '+', &g::update_new_button},
        {"New &file", &g::new_file_button, 'f', &g::new_file_button},
        {"Search text in paragraph list:", &g::search_label, 0, nullptr},
        {"search box", &g::search_edit, 0, nullptr},
        {"Paste &after", &g::paste_after_button, 'a', &g::paste_after_button},
    };
    main_win& window = the_window();
    HWND child = GetWindow(window.window_handle, GW_CHILD);
    for (const auto& control : layout) {
        SCOPED_TRACE(control.name);
        EXPECT_EQ(child, window.*control.control);
        child = child != nullptr ? GetWindow(child, GW_HWNDNEXT) : nullptr;
        if (control.alt_letter != 0) {
            const tab_entry* const reached = find_accelerator(window, control.alt_letter);
            EXPECT_EQ(reached != nullptr ? reached->control : nullptr, window.*control.reaches);
        }
    }
    EXPECT_EQ(child, nullptr) << "a control beyond the layout";
}

} // namespace
