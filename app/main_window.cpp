// The main window's layout: which control goes where, created in order.
#include "app/main_win.h"

#include "framework/controls.h"

namespace {

enum class control_kind { label, edit_line, edit_box, list_box, button, default_button };

struct control_place {
    control_kind kind;
    HWND gen_main_win::*field;
    const char* text;
    int x, y, width, height;
};

// The window's layout, in order of creation (client area 976 x 734).
constexpr control_place main_window_layout[] = {
    {control_kind::button, &gen_main_win::exit_button, "E&xit", 855, 674, 75, 32},
    {control_kind::edit_box, &gen_main_win::paragraph_edit, "", 15, 422, 945, 162},
    {control_kind::label, &gen_main_win::paragraph_label, "Paragraph", 15, 390, 75, 16},
    {control_kind::label, &gen_main_win::linked_symbols_label, "Symbols linked to paragraph", 390, 21, 150,
     16},
    {control_kind::list_box, &gen_main_win::linked_symbols_list, "", 390, 56, 240, 121},
    {control_kind::list_box, &gen_main_win::result_list, "", 390, 211, 240, 113},
    {control_kind::label, &gen_main_win::result_label, "Paragraphs linked to symbol or search results", 390,
     186, 240, 16},
    {control_kind::label, &gen_main_win::all_paragraphs_label, "All paragraphs", 15, 21, 105, 16},
    {control_kind::list_box, &gen_main_win::all_paragraphs_list, "", 15, 56, 195, 268},
    {control_kind::button, &gen_main_win::new_paragraph_button, "&New paragraph after", 30, 609, 75, 40},
    {control_kind::button, &gen_main_win::cut_button, "&Cut", 225, 195, 75, 32},
    {control_kind::button, &gen_main_win::paste_before_button, "Paste &before", 225, 235, 75, 32},
    {control_kind::label, &gen_main_win::all_symbols_label, "All symbols", 645, 21, 105, 16},
    {control_kind::list_box, &gen_main_win::all_symbols_list, "", 645, 56, 195, 268},
    {control_kind::button, &gen_main_win::save_button, "&Save file", 765, 674, 75, 32},
    {control_kind::button, &gen_main_win::open_button, "&Open file", 675, 674, 75, 32},
    {control_kind::button, &gen_main_win::link_symbol_button, "&Link Symbol", 225, 105, 75, 32},
    {control_kind::edit_line, &gen_main_win::symbol_edit, "", 225, 55, 150, 24},
    {control_kind::label, &gen_main_win::symbol_label, "Symbol to link:", 225, 21, 105, 16},
    {control_kind::button, &gen_main_win::link_listed_symbol_button, "L&ink Symbol", 855, 56, 75, 32},
    {control_kind::button, &gen_main_win::update_button, "&Update paragraph", 120, 609, 75, 32},
    {control_kind::button, &gen_main_win::search_button, "&Search", 180, 341, 75, 32},
    {control_kind::button, &gen_main_win::delete_symbol_button, "&Delete Symbol", 307, 105, 75, 32},
    {control_kind::default_button, &gen_main_win::update_new_button, "Update &+ New", 202, 609, 75, 32},
    {control_kind::button, &gen_main_win::new_file_button, "New &file", 585, 674, 75, 32},
    {control_kind::label, &gen_main_win::search_label, "Search text in paragraph list:", 15, 333, 150, 16},
    {control_kind::edit_line, &gen_main_win::search_edit, "", 15, 349, 150, 24},
    {control_kind::button, &gen_main_win::paste_after_button, "Paste &after", 225, 284, 75, 32},
};

HWND create_control(wk_win& owner, const control_place& place) {
    switch (place.kind) {
    case control_kind::label:
        return create_label(owner, place.text, place.x, place.y, place.width, place.height);
    case control_kind::edit_line:
        return create_edit_line(owner, place.x, place.y);
    case control_kind::edit_box:
        return create_edit_box(owner);
    case control_kind::list_box:
        return create_list_box(owner, place.x, place.y, place.width, place.height);
    case control_kind::button:
        return create_button(owner, place.x, place.y, place.height, place.text, false);
    case control_kind::default_button:
        return create_button(owner, place.x, place.y, place.height, place.text, true);
    }
    return nullptr;
}

} // namespace

gen_main_win::gen_main_win() {
    for (const control_place& place : main_window_layout) {
        this->*place.field = create_control(*this, place);
    }
}

// The lists know their list boxes from the start, since the controls exist
// before the document state.
main_win::main_win() = default;
