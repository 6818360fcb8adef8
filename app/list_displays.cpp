// How the main window shows the document: its four lists and the text of the
// selected paragraph.
#include <string>

#include "app/list_entries.h"
#include "app/main_win.h"
#include "framework/controls.h"
#include "framework/wk_app.h"

Paragraph* main_win::selected_paragraph() const {
    return paragraph_at(document, selected_position(paragraph_entries));
}

// The whole refill runs on the GUI thread in one request: one cross-thread
// round trip instead of three per entry.
void main_win::fill(shown_list& list, const std::vector<const char*>& entries, keep_place keep) {
    run_on_gui_thread([&] { fill_list_box_here(list, entries, keep); });
}

void main_win::fill_results(const std::vector<const Paragraph*>& found) {
    std::vector<const char*> texts;
    texts.reserve(found.size());
    for (const Paragraph* p : found) {
        texts.push_back(p->text.chars);
    }
    fill(result_entries, texts);
}

void main_win::empty_results() {
    SendMessageA(result_list, LB_RESETCONTENT, 0, 0);
    result_entries.dropped = 0;
}

void main_win::fill_paragraph_list() {
    fill(paragraph_entries, entry_texts(document.paragraphs), keep_place::yes);
}

void main_win::fill_linked_symbols_of(const Paragraph* paragraph) {
    fill(linked_symbol_entries,
         paragraph != nullptr ? entry_texts(paragraph->symbols) : std::vector<const char*>{});
}

void main_win::fill_linked_symbol_list() {
    fill_linked_symbols_of(selected_paragraph());
}

void main_win::show_selected_paragraph(bool empty_result_list) {
    const Paragraph* paragraph = selected_paragraph();
    SetWindowTextA(paragraph_edit, "");
    if (paragraph != nullptr) {
        SetWindowTextA(paragraph_edit, paragraph->text.chars);
    }
    fill_linked_symbols_of(paragraph);
    if (empty_result_list) {
        empty_results();
    }
}

void main_win::fill_all_symbol_list() {
    rebuild_all_symbols(document);
    fill(all_symbol_entries, entry_texts(document.all_symbols));
}

void main_win::list_paragraphs_of_linked_symbol() {
    const Paragraph* paragraph = selected_paragraph();
    const Text* symbol = paragraph != nullptr
                             ? text_list_at(paragraph->symbols, selected_position(linked_symbol_entries))
                             : nullptr;
    fill_results(symbol != nullptr ? paragraphs_with_symbol(document, symbol->chars)
                                   : std::vector<const Paragraph*>{});
}

void main_win::list_paragraphs_of_symbol() {
    const Text* symbol = text_list_at(document.all_symbols, selected_position(all_symbol_entries));
    fill_results(symbol != nullptr ? paragraphs_with_symbol(document, symbol->chars)
                                   : std::vector<const Paragraph*>{});
}

void main_win::list_search_results() {
    Text search_text;
    read_control_text(search_edit, search_text);
    fill_results(paragraphs_with_symbol_containing(document, search_text.chars));
}

void main_win::new_paragraph_after() {
    auto* paragraph = new Paragraph;
    const int selected = selected_position(paragraph_entries);
    Paragraph* before = paragraph_at(document, selected);
    int target = 0;
    if (before == nullptr) {
        paragraph_list_append(document, paragraph);
    } else {
        paragraph_list_insert_after(before, paragraph);
        target = selected + 1;
    }
    fill_paragraph_list();
    select_position(paragraph_entries, target);
    show_selected_paragraph(true);
    request_focus(paragraph_edit);
}
