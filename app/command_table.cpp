// The main window's commands: which control starts which command.
#include "app/main_win.h"
#include "framework/wk_app.h"

namespace {

enum class after_row {
    next_row, // test the following rows
    go_on,    // skip the following rows, keep the event loop running
    end,      // end the event loop (after the remaining rows)
};

struct command_row {
    HWND gen_main_win::*control;
    after_row (*command)(main_win& window);
    bool also_on_enter = false;      // Enter in any control
    bool also_when_finished = false; // the window was closed
};

template <void (main_win::*command)()> after_row run(main_win& window) {
    (window.*command)();
    return after_row::next_row;
}

// For commands that find no selected paragraph (or symbol) to act on.
template <bool (main_win::*command)()> after_row run_unless_unselected(main_win& window) {
    return (window.*command)() ? after_row::next_row : after_row::go_on;
}

after_row show_selected(main_win& window) {
    window.show_selected_paragraph(true);
    return after_row::next_row;
}

after_row select_result_line(main_win& window) {
    return window.select_result_line() ? after_row::go_on : after_row::next_row;
}

after_row update_and_new(main_win& window) {
    window.update_paragraph();
    window.new_paragraph_after();
    return after_row::next_row;
}

after_row exit_program(main_win&) {
    return after_row::end;
}

// Tested in this order for every event; at most one of rows 1 to 17 acts.
// clang-format off
const command_row command_table[] = {
    // control                                   command                                                 Enter  closed
    {&gen_main_win::all_paragraphs_list,         show_selected},
    {&gen_main_win::result_list,                 select_result_line},
    {&gen_main_win::linked_symbols_list,         run<&main_win::list_paragraphs_of_linked_symbol>},
    {&gen_main_win::all_symbols_list,            run<&main_win::list_paragraphs_of_symbol>},
    {&gen_main_win::new_paragraph_button,        run<&main_win::new_paragraph_after>},
    {&gen_main_win::update_button,               run<&main_win::update_paragraph>},
    {&gen_main_win::update_new_button,           update_and_new,                                         true},
    {&gen_main_win::link_symbol_button,          run_unless_unselected<&main_win::link_typed_symbol>},
    {&gen_main_win::link_listed_symbol_button,   run_unless_unselected<&main_win::link_listed_symbol>},
    {&gen_main_win::delete_symbol_button,        run_unless_unselected<&main_win::unlink_symbol>},
    {&gen_main_win::cut_button,                  run<&main_win::cut>},
    {&gen_main_win::paste_before_button,         run<&main_win::paste_before>},
    {&gen_main_win::paste_after_button,          run<&main_win::paste_after>},
    {&gen_main_win::search_button,               run<&main_win::list_search_results>},
    {&gen_main_win::open_button,                 run<&main_win::open_file>},
    {&gen_main_win::save_button,                 run<&main_win::save_file>},
    {&gen_main_win::new_file_button,             run<&main_win::new_file>},
    {&gen_main_win::exit_button,                 exit_program,                                           false, true},
};
// clang-format on

bool comes_from(const wk_event& event, HWND control) {
    return (event.kind == event_activate || event.kind == event_select) && control != nullptr &&
           event.value == reinterpret_cast<LPARAM>(control);
}

bool row_acts(const command_row& row, const main_win& window, const wk_event& event) {
    return comes_from(event, window.*row.control) || (row.also_on_enter && event.kind == event_enter) ||
           (row.also_when_finished && wk_app.finished != 0);
}

} // namespace

int main_win::handle_event(wk_event* event) {
    bool end = false;
    for (const command_row& row : command_table) {
        if (!row_acts(row, *this, *event)) {
            continue;
        }
        switch (row.command(*this)) {
        case after_row::go_on:
            return loop_go_on;
        case after_row::end:
            end = true;
            break;
        case after_row::next_row:
            break;
        }
    }
    return end ? loop_end : loop_go_on;
}
