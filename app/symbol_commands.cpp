// The commands that link symbols to the selected paragraph and unlink them.
#include "app/main_win.h"
#include "framework/controls.h"

// The symbol goes right after the selected linked symbol, or last.
bool main_win::link_typed_symbol() {
    Paragraph* paragraph = selected_paragraph();
    if (paragraph == nullptr) {
        return false;
    }
    auto* symbol = new Text;
    read_control_text(symbol_edit, *symbol);
    link_symbol_after(*paragraph, selected_position(linked_symbol_entries), symbol);
    fill_linked_symbol_list();
    fill_all_symbol_list();
    return true;
}

// The all-symbols list is left as it is, so its selection stays for linking
// the same symbol to the next paragraph.
bool main_win::link_listed_symbol() {
    Paragraph* paragraph = selected_paragraph();
    if (paragraph == nullptr) {
        return false;
    }
    const Text* listed = text_list_at(document.all_symbols, selected_position(all_symbol_entries));
    if (listed == nullptr) {
        return false;
    }
    link_symbol_after(*paragraph, selected_position(linked_symbol_entries), new Text(*listed));
    fill_linked_symbol_list();
    return true;
}

bool main_win::unlink_symbol() {
    Paragraph* paragraph = selected_paragraph();
    if (paragraph == nullptr) {
        return false;
    }
    const int selected = selected_position(linked_symbol_entries);
    if (selected >= 0) {
        unlink_symbol_at(*paragraph, selected);
    }
    fill_linked_symbol_list();
    fill_all_symbol_list();
    empty_results();
    return true;
}
