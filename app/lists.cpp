// How the main window shows the document: its four lists and the text of the
// selected paragraph, and how list-box selections name list positions.
#include <algorithm>
#include <cstring>
#include <memory>

#include "app/main_win.h"
#include "framework/controls.h"
#include "framework/wk_app.h"

namespace {

// A list box holds at most this many entries; a longer list shows its last ones.
constexpr int list_box_capacity = 5000;
// A fill scrolls so that the newest entry shows in the last of this many rows.
constexpr int rows_up_to_newest = 12;

// The list boxes are reached two ways, for a measured reason. A fill sends
// thousands of messages: from this thread each is a round trip to the GUI
// thread (about a quarter of a millisecond under Wine: refilling 1,000
// paragraphs entry by entry took 774 ms, in one request 8 ms; see
// bench/app/refill_benchmark.cpp), so a fill runs whole on the GUI thread.
// Reading or setting a selection is a single message: sent directly it is one
// round trip, as a request would be.
int send(HWND list_box, UINT message, WPARAM word = 0, LPARAM value = 0) {
    return static_cast<int>(SendMessageA(list_box, message, word, value));
}

int dropped_entries(int count) {
    return std::max(0, count - list_box_capacity);
}

int position_of_index(int index, int dropped) {
    return index < 0 ? -1 : index + dropped;
}

// -1 when the position is not shown.
int index_of_position(int position, int dropped) {
    return position < dropped ? -1 : position - dropped;
}

std::size_t total_bytes(const std::vector<const char*>& entries, std::size_t from) {
    std::size_t total = 0;
    for (std::size_t i = from; i < entries.size(); ++i) {
        total += std::strlen(entries[i]) + 1;
    }
    return total;
}

std::vector<const char*> entry_texts(const Paragraph* first) {
    std::vector<const char*> texts;
    for (const Paragraph* p = first; p != nullptr; p = p->next_paragraph) {
        texts.push_back(p->text.chars);
    }
    return texts;
}

std::vector<const char*> entry_texts(const TextList& list) {
    std::vector<const char*> texts;
    for (const Text* t = list.first; t != nullptr; t = t->chain) {
        texts.push_back(t->chars);
    }
    return texts;
}

// Runs on the GUI thread, which owns the list box: every message is then a
// plain call instead of a cross-thread round trip. Leaves what adding the
// entries one by one (dropping the first past the capacity, scrolling to the
// newest) leaves; with keep, the selected and the top element stay at their
// list positions. Repainted once at the end.
int fill_list_box_here(HWND box, int old_dropped, const std::vector<const char*>& entries, bool keep) {
    send(box, WM_SETREDRAW, FALSE);
    const int selected = position_of_index(send(box, LB_GETCURSEL), old_dropped);
    const int top = send(box, LB_GETTOPINDEX) + old_dropped;

    send(box, LB_RESETCONTENT);
    const int count = static_cast<int>(entries.size());
    const int dropped = dropped_entries(count);
    send(box, LB_INITSTORAGE, static_cast<WPARAM>(count - dropped),
         static_cast<LPARAM>(total_bytes(entries, static_cast<std::size_t>(dropped))));
    for (int i = dropped; i < count; ++i) {
        send(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entries[static_cast<std::size_t>(i)]));
    }
    if (count > 0) {
        // The count the last one-by-one step would have seen, before it
        // dropped the first entry; the control clamps it alike.
        const int last_seen_count = dropped > 0 ? list_box_capacity + 1 : count;
        send(box, LB_SETTOPINDEX, static_cast<WPARAM>(last_seen_count - rows_up_to_newest));
    }
    if (keep) {
        send(box, LB_SETCURSEL, static_cast<WPARAM>(index_of_position(selected, dropped)));
        send(box, LB_SETTOPINDEX, static_cast<WPARAM>(std::max(0, top - dropped)));
    }
    send(box, WM_SETREDRAW, TRUE);
    InvalidateRect(box, nullptr, TRUE);
    return dropped;
}

} // namespace

int main_win::selected_position(const shown_list& list) const {
    return position_of_index(send(list.list_box, LB_GETCURSEL), list.dropped);
}

// A list box keeps its selection when asked to select past its end.
void main_win::select_position(const shown_list& list, int position) {
    int index = index_of_position(position, list.dropped);
    if (index >= send(list.list_box, LB_GETCOUNT)) {
        index = -1;
    }
    send(list.list_box, LB_SETCURSEL, static_cast<WPARAM>(index));
}

Paragraph* main_win::selected_paragraph() const {
    return paragraph_at(document, selected_position(paragraph_entries));
}

void main_win::fill(shown_list& list, const std::vector<const char*>& entries, keep_place keep) {
    run_on_gui_thread([&] {
        list.dropped = fill_list_box_here(list.list_box, list.dropped, entries, keep == keep_place::yes);
    });
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
    send(result_list, LB_RESETCONTENT);
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

void main_win::refresh_all_lists() {
    fill_paragraph_list();
    show_selected_paragraph(true);
    fill_all_symbol_list();
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
    auto paragraph = std::make_unique<Paragraph>();
    const int selected = selected_position(paragraph_entries);
    Paragraph* before = paragraph_at(document, selected);
    int target = 0;
    if (before == nullptr) {
        paragraph_list_append(document, paragraph.release());
    } else {
        paragraph_list_insert_after(before, paragraph.release());
        target = selected + 1;
    }
    fill_paragraph_list();
    select_position(paragraph_entries, target);
    show_selected_paragraph(true);
    request_focus(paragraph_edit);
}
