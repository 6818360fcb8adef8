// The main window's commands: which control starts which command, and the
// commands themselves.
#include <cstring>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <utility>

#include "app/box_texts.h"
#include "app/list_box_lines.h"
#include "app/main_win.h"
#include "docfile/document_file.h"
#include "framework/choosers.h"
#include "framework/controls.h"
#include "framework/wk_app.h"

namespace lines = list_box_lines;

namespace {

// What happens after a row's command ran.
enum class after_row {
    test_next_row, // the following rows are tested too
    stop_rows,     // no further row is tested; the event loop goes on
    end_loop,      // the event loop ends (after the remaining rows)
};

template <void (main_win::*command)()> after_row run(main_win& window) {
    (window.*command)();
    return after_row::test_next_row;
}

// Commands that report whether they found what they act on (true: done).
// Linking and unlinking stop the rows when no paragraph (or symbol) is
// selected; a result line stops them once it has selected its paragraph.
template <bool (main_win::*command)()> after_row run_and_stop_unless_done(main_win& window) {
    return (window.*command)() ? after_row::test_next_row : after_row::stop_rows;
}

template <bool (main_win::*command)()> after_row run_and_stop_if_done(main_win& window) {
    return (window.*command)() ? after_row::stop_rows : after_row::test_next_row;
}

after_row end_loop(main_win&) {
    return after_row::end_loop;
}

void show(HWND owner, const box_message& box) {
    switch (box.kind) {
    case box_message::box_kind::none:
        return;
    case box_message::box_kind::error:
        show_error_box(owner, box.text.c_str());
        return;
    case box_message::box_kind::warning:
        show_warning_box(owner, box.text.c_str());
        return;
    }
}

// Enter names the window, not a control: it is never taken for a control's.
bool comes_from(const wk_event& event, HWND control) {
    return is_acted_on(event.kind) && control != nullptr && event.value == reinterpret_cast<LPARAM>(control);
}

} // namespace

struct main_win::command_row {
    HWND gen_main_win::*control;
    after_row (*command)(main_win& window);
    bool also_on_enter = false;      // Enter in any control
    bool also_when_finished = false; // the window was closed

    bool acts_on(const main_win& window, const wk_event& event) const {
        return comes_from(event, window.*control) || (also_on_enter && event.kind == event_enter) ||
               (also_when_finished && wk_app.finished != 0);
    }
};

// Tested in this order for every event; at most one of rows 1 to 17 acts.
// clang-format off
const main_win::command_row main_win::command_table[] = {
    // control                                   command                                               Enter  closed
    {&gen_main_win::all_paragraphs_list,         run<&main_win::show_selected>},
    {&gen_main_win::result_list,                 run_and_stop_if_done<&main_win::select_result_line>},
    {&gen_main_win::linked_symbols_list,         run<&main_win::list_paragraphs_of_linked_symbol>},
    {&gen_main_win::all_symbols_list,            run<&main_win::list_paragraphs_of_symbol>},
    {&gen_main_win::new_paragraph_button,        run<&main_win::new_paragraph_after>},
    {&gen_main_win::update_button,               run<&main_win::update_paragraph>},
    {&gen_main_win::update_new_button,           run<&main_win::update_and_new>,                       true},
    {&gen_main_win::link_symbol_button,          run_and_stop_unless_done<&main_win::link_typed_symbol>},
    {&gen_main_win::link_listed_symbol_button,   run_and_stop_unless_done<&main_win::link_listed_symbol>},
    {&gen_main_win::delete_symbol_button,        run_and_stop_unless_done<&main_win::unlink_symbol>},
    {&gen_main_win::cut_button,                  run<&main_win::cut>},
    {&gen_main_win::paste_before_button,         run<&main_win::paste_before>},
    {&gen_main_win::paste_after_button,          run<&main_win::paste_after>},
    {&gen_main_win::search_button,               run<&main_win::list_search_results>},
    {&gen_main_win::open_button,                 run<&main_win::open_file>},
    {&gen_main_win::save_button,                 run<&main_win::save_file>},
    {&gen_main_win::new_file_button,             run<&main_win::new_file>},
    {&gen_main_win::exit_button,                 end_loop,                                             false, true},
};
// clang-format on

// Running out of memory ends the command where it was: say so, and show the
// document again, since the lists may be half refilled.
int main_win::handle_event(wk_event* event) {
    bool end = false;
    for (const command_row& row : command_table) {
        if (!row.acts_on(*this, *event)) {
            continue;
        }
        after_row next = after_row::stop_rows;
        try {
            next = row.command(*this);
        } catch (const std::bad_alloc&) {
            report_out_of_memory();
            return loop_go_on;
        }
        if (next == after_row::stop_rows) {
            return loop_go_on;
        }
        end = end || next == after_row::end_loop;
    }
    return end ? loop_end : loop_go_on;
}

// Showing the document again needs memory too; when even that fails, the
// lists stay as they are until the next command refills them.
void main_win::report_out_of_memory() {
    show(window_handle, out_of_memory_box());
    try {
        refresh_all_lists();
    } catch (const std::bad_alloc&) {
    }
}

void main_win::update_paragraph() {
    const int position = selected_paragraph_position();
    Paragraph* paragraph = paragraph_at(document, position);
    if (paragraph == nullptr) {
        return;
    }
    Text text;
    read_control_text(paragraph_edit, text);
    set_paragraph_text(document, *paragraph, std::move(text));
    show_paragraph_changed(position);
    show_selected_paragraph(true);
}

// Enter stores the paragraph and opens the next one.
void main_win::update_and_new() {
    update_paragraph();
    new_paragraph_after();
}

// Result lines are copies of paragraph texts: the first paragraph with the
// same text is the one to show.
bool main_win::select_result_line() {
    if (lines::selected(result_list) < 0) {
        return false;
    }
    Text line;
    read_list_selection(result_list, line);
    const int position = first_paragraph_with_text(document, line.chars);
    if (position < 0) {
        return false;
    }
    lines::select(all_paragraphs_list, position);
    show_selected_paragraph(false);
    return true;
}

// The symbol goes right after the selected linked symbol, or last; the list
// of linked symbols then has no selection, so the next one goes last again.
void main_win::link_symbol(Paragraph& paragraph, Text* symbol) {
    const int selected = lines::selected(linked_symbols_list);
    const int line = text_list_at(paragraph.symbols, selected) != nullptr
                         ? selected + 1
                         : lines::line_count(linked_symbols_list);
    const char* const text = symbol->chars;
    link_symbol_after(document, paragraph, selected, symbol);
    lines::insert(linked_symbols_list, line, text);
    lines::forget_place(linked_symbols_list);
}

bool main_win::link_typed_symbol() {
    Paragraph* paragraph = selected_paragraph();
    if (paragraph == nullptr) {
        return false;
    }
    auto symbol = std::make_unique<Text>();
    read_control_text(symbol_edit, *symbol);
    link_symbol(*paragraph, symbol.release());
    show_symbol_changes();
    return true;
}

// The listed symbol stays selected for linking it to the next paragraph.
bool main_win::link_listed_symbol() {
    Paragraph* paragraph = selected_paragraph();
    if (paragraph == nullptr) {
        return false;
    }
    const std::optional<std::string> listed = selected_symbol();
    if (!listed) {
        return false;
    }
    link_symbol(*paragraph, new Text(listed->c_str()));
    show_symbol_changes(listed);
    return true;
}

bool main_win::unlink_symbol() {
    Paragraph* paragraph = selected_paragraph();
    if (paragraph == nullptr) {
        return false;
    }
    const int selected = lines::selected(linked_symbols_list);
    if (text_list_at(paragraph->symbols, selected) != nullptr) {
        unlink_symbol_at(document, *paragraph, selected);
        lines::remove(linked_symbols_list, selected);
    }
    lines::forget_place(linked_symbols_list);
    show_symbol_changes();
    empty_results();
    return true;
}

// The paragraph after the cut one takes its line, so it is shown next.
void main_win::cut() {
    const int position = selected_paragraph_position();
    if (paragraph_at(document, position) != nullptr) {
        cut_paragraph_at(document, position);
        show_paragraph_removed(position);
    }
    show_selected_paragraph(true);
    show_symbol_changes();
}

// Pasting before the first paragraph, or with nothing selected, makes the
// pasted paragraph the first.
void main_win::paste_before() {
    const std::optional<std::string> listed = selected_symbol();
    const int selected = selected_paragraph_position();
    const int position = paragraph_at(document, selected - 1) != nullptr ? selected : 0;
    paragraph_list_insert_at(document, position, new Paragraph(document.cut_paragraph));
    show_paragraph_inserted(position);
    lines::select(all_paragraphs_list, position);
    show_selected_paragraph(true);
    show_symbol_changes(listed);
}

// With nothing selected the pasted paragraph goes last and the first is selected.
void main_win::paste_after() {
    const std::optional<std::string> listed = selected_symbol();
    const int selected = selected_paragraph_position();
    const bool after_selected = paragraph_at(document, selected) != nullptr;
    const int position = after_selected ? selected + 1 : paragraph_count(document);
    paragraph_list_insert_at(document, position, new Paragraph(document.cut_paragraph));
    show_paragraph_inserted(position);
    lines::select(all_paragraphs_list, after_selected ? position : 0);
    show_selected_paragraph(true);
    show_symbol_changes(listed);
}

void main_win::new_file() {
    paragraph_list_clear(document);
    refresh_all_lists();
    new_paragraph_after();
}

// A cancelled Open empties the file name, as the chooser leaves it, so the
// next Save proposes none.
void main_win::open_file() {
    Text chosen;
    if (choose_open_file(*this, chosen) == file_chosen) {
        load_document(chosen);
    } else {
        document.file_name = std::move(chosen);
    }
}

void main_win::save_file() {
    if (choose_save_file(*this, document.file_name) == file_chosen) {
        save_document();
    }
}

void main_win::save_document() {
    show(window_handle,
         save_box(save_document_file(document, document.file_name.chars), document.file_name.chars));
}

// The old document is replaced in every case (by an empty one when nothing
// could be loaded), except when memory runs out: then the document and its
// name stay as they were.
void main_win::load_document(Text& chosen_name) {
    const LoadOutcome outcome = load_document_file(document, chosen_name.chars);
    if (outcome.result == LoadResult::out_of_memory) {
        report_out_of_memory();
        return;
    }
    document.file_name = std::move(chosen_name);
    refresh_all_lists();
    show(window_handle, load_box(outcome, document.file_name.chars));
}
