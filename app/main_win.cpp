#include "app/main_win.h"

main_win::main_win() {
    paragraph_entries.list_box = all_paragraphs_list;
    linked_symbol_entries.list_box = linked_symbols_list;
    all_symbol_entries.list_box = all_symbols_list;
    result_entries.list_box = result_list;
}
