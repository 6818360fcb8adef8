// The main window's controls: created in a fixed order at fixed places, each
// handle kept in its own field.
#pragma once

#include <windows.h>

#include "framework/wk_win.h"

class gen_main_win : public wk_win {
  public:
    gen_main_win(); // the top-level window, then the 28 controls in layout order

    // In order of creation; buttons, edit boxes and list boxes enter the tab
    // order in this order.
    HWND exit_button = nullptr;
    HWND paragraph_edit = nullptr;
    HWND paragraph_label = nullptr;
    HWND linked_symbols_label = nullptr;
    HWND linked_symbols_list = nullptr;
    HWND result_list = nullptr;
    HWND result_label = nullptr;
    HWND all_paragraphs_label = nullptr;
    HWND all_paragraphs_list = nullptr;
    HWND new_paragraph_button = nullptr;
    HWND cut_button = nullptr;
    HWND paste_before_button = nullptr;
    HWND all_symbols_label = nullptr;
    HWND all_symbols_list = nullptr;
    HWND save_button = nullptr;
    HWND open_button = nullptr;
    HWND link_symbol_button = nullptr;
    HWND symbol_edit = nullptr;
    HWND symbol_label = nullptr;
    HWND link_listed_symbol_button = nullptr;
    HWND update_button = nullptr;
    HWND search_button = nullptr;
    HWND delete_symbol_button = nullptr;
    HWND update_new_button = nullptr;
    HWND new_file_button = nullptr;
    HWND search_label = nullptr;
    HWND search_edit = nullptr;
    HWND paste_after_button = nullptr;
};
