// The commands that change the paragraphs of the document or which one is
// shown.
#include <cstring>

#include "app/main_win.h"
#include "framework/controls.h"

void main_win::update_paragraph() {
    Paragraph* paragraph = selected_paragraph();
    if (paragraph == nullptr) {
        return;
    }
    read_control_text(paragraph_edit, paragraph->text);
    fill_paragraph_list();
    show_selected_paragraph(true);
}

// Result lines are copies of paragraph texts: the first paragraph with the
// same text is the one to show.
bool main_win::select_result_line() {
    if (SendMessageA(result_list, LB_GETCURSEL, 0, 0) < 0) {
        return false;
    }
    Text line;
    read_list_selection(result_list, line);
    int position = 0;
    for (const Paragraph* p = document.paragraphs; p != nullptr; p = p->next_paragraph, ++position) {
        if (std::strcmp(p->text.chars, line.chars) == 0) {
            select_position(paragraph_entries, position);
            show_selected_paragraph(false);
            return true;
        }
    }
    return false;
}

void main_win::cut() {
    Paragraph* paragraph = selected_paragraph();
    if (paragraph != nullptr) {
        paragraph_assign(document.cut_paragraph, *paragraph);
        paragraph_list_remove(document, paragraph);
    }
    fill_paragraph_list();
    show_selected_paragraph(true);
    fill_all_symbol_list();
}

void main_win::paste_before() {
    auto* pasted = new Paragraph(document.cut_paragraph);
    const int selected = selected_position(paragraph_entries);
    Paragraph* before = selected >= 1 ? paragraph_at(document, selected - 1) : nullptr;
    if (before == nullptr) {
        paragraph_list_prepend(document, pasted);
        fill_paragraph_list();
        select_position(paragraph_entries, 0);
    } else {
        paragraph_list_insert_after(before, pasted);
        fill_paragraph_list(); // the kept position is now the pasted paragraph
    }
    show_selected_paragraph(true);
}

void main_win::paste_after() {
    auto* pasted = new Paragraph(document.cut_paragraph);
    const int selected = selected_position(paragraph_entries);
    Paragraph* before = paragraph_at(document, selected);
    if (before == nullptr) {
        paragraph_list_append(document, pasted);
        fill_paragraph_list();
        select_position(paragraph_entries, 0);
    } else {
        paragraph_list_insert_after(before, pasted);
        fill_paragraph_list();
        select_position(paragraph_entries, selected + 1);
    }
    show_selected_paragraph(true);
}

void main_win::new_file() {
    paragraph_list_clear(document);
    fill_paragraph_list();
    show_selected_paragraph(true);
    fill_all_symbol_list();
    new_paragraph_after();
}
