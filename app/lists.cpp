// How the main window shows the document: its four lists and the text of the
// selected paragraph. A command changes only the lines it affects; a whole
// list is shown anew only when all of it is new (a file opened, a new file,
// another paragraph's symbols, a query's results).
#include <optional>
#include <string>

#include "app/list_box_lines.h"
#include "app/main_win.h"
#include "framework/controls.h"
#include "framework/wk_app.h"

namespace lines = list_box_lines;

namespace {

std::vector<const char*> texts_of(const Document& document) {
    std::vector<const char*> texts;
    texts.reserve(static_cast<std::size_t>(paragraph_count(document)));
    for (const Paragraph* p = document.paragraphs; p != nullptr; p = p->next_paragraph) {
        texts.push_back(p->text.chars);
    }
    return texts;
}

std::vector<const char*> texts_of(const TextList& list) {
    std::vector<const char*> texts;
    for (const Text* t = list.first; t != nullptr; t = t->chain) {
        texts.push_back(t->chars);
    }
    return texts;
}

std::vector<const char*> texts_of(const AllSymbols& all) {
    std::vector<const char*> texts;
    texts.reserve(static_cast<std::size_t>(all.size()));
    for (int i = 0; i < all.size(); ++i) {
        texts.push_back(all.at(i)->chars);
    }
    return texts;
}

} // namespace

int main_win::selected_paragraph_position() const {
    return lines::selected(all_paragraphs_list);
}

Paragraph* main_win::selected_paragraph() const {
    return paragraph_at(document, selected_paragraph_position());
}

void main_win::fill_paragraph_list() {
    lines::show_whole(all_paragraphs_list, texts_of(document), lines::keep_place::yes);
}

void main_win::show_paragraph_changed(int position) {
    lines::replace(all_paragraphs_list, position, paragraph_at(document, position)->text.chars);
}

void main_win::show_paragraph_inserted(int position) {
    lines::insert(all_paragraphs_list, position, paragraph_at(document, position)->text.chars);
}

void main_win::show_paragraph_removed(int position) {
    lines::remove(all_paragraphs_list, position);
}

void main_win::fill_linked_symbol_list() {
    const Paragraph* paragraph = selected_paragraph();
    lines::show_whole(linked_symbols_list,
                      paragraph != nullptr ? texts_of(paragraph->symbols) : std::vector<const char*>{},
                      lines::keep_place::no);
}

void main_win::show_selected_paragraph(bool empty_result_list) {
    const Paragraph* paragraph = selected_paragraph();
    SetWindowTextA(paragraph_edit, "");
    if (paragraph != nullptr) {
        SetWindowTextA(paragraph_edit, paragraph->text.chars);
    }
    fill_linked_symbol_list();
    if (empty_result_list) {
        empty_results();
    }
}

// All symbols follows the document's own record of how its sorted symbols
// changed: a line inserted or removed for each, or the whole list anew after
// a new document.
void main_win::show_symbol_changes(const std::optional<std::string>& keep_selected) {
    if (document.all_symbols.rebuilt()) {
        fill_all_symbol_list();
    } else {
        for (const SymbolListEdit& edit : document.all_symbols.edits()) {
            if (edit.what == SymbolListEdit::kind::insert) {
                lines::insert(all_symbols_list, edit.position, edit.text);
            } else {
                lines::remove(all_symbols_list, edit.position);
            }
        }
        document.all_symbols.take_edits();
        if (!keep_selected) {
            lines::forget_place(all_symbols_list);
        }
    }
    if (keep_selected) {
        lines::select(all_symbols_list, document.all_symbols.position_of(keep_selected->c_str()));
    }
}

std::optional<std::string> main_win::selected_symbol() const {
    const Text* const chosen = document.all_symbols.at(lines::selected(all_symbols_list));
    return chosen != nullptr ? std::optional<std::string>(chosen->chars) : std::nullopt;
}

void main_win::fill_all_symbol_list() {
    lines::show_whole(all_symbols_list, texts_of(document.all_symbols), lines::keep_place::no);
    document.all_symbols.take_edits();
}

void main_win::refresh_all_lists() {
    fill_paragraph_list();
    show_selected_paragraph(true);
    fill_all_symbol_list();
}

void main_win::fill_results(const std::vector<const Paragraph*>& found) {
    std::vector<const char*> texts;
    texts.reserve(found.size());
    for (const Paragraph* p : found) {
        texts.push_back(p->text.chars);
    }
    lines::show_whole(result_list, texts, lines::keep_place::no);
}

void main_win::empty_results() {
    lines::empty(result_list);
}

void main_win::list_paragraphs_of_linked_symbol() {
    const Paragraph* paragraph = selected_paragraph();
    const Text* symbol = paragraph != nullptr
                             ? text_list_at(paragraph->symbols, lines::selected(linked_symbols_list))
                             : nullptr;
    fill_results(symbol != nullptr ? paragraphs_with_symbol(document, symbol->chars)
                                   : std::vector<const Paragraph*>{});
}

void main_win::list_paragraphs_of_symbol() {
    const Text* symbol = document.all_symbols.at(lines::selected(all_symbols_list));
    fill_results(symbol != nullptr ? paragraphs_with_symbol(document, symbol->chars)
                                   : std::vector<const Paragraph*>{});
}

void main_win::list_search_results() {
    Text search_text;
    read_control_text(search_edit, search_text);
    fill_results(paragraphs_with_symbol_containing(document, search_text.chars));
}

void main_win::new_paragraph_after() {
    const int selected = selected_paragraph_position();
    const bool after_selected = paragraph_at(document, selected) != nullptr;
    const int position = after_selected ? selected + 1 : paragraph_count(document);
    paragraph_list_insert_at(document, position, new Paragraph);
    show_paragraph_inserted(position);
    lines::select(all_paragraphs_list, after_selected ? position : 0);
    show_selected_paragraph(true);
    request_focus(paragraph_edit);
}
