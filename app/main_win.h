// The main window: its 28 controls at fixed places, and the document it shows
// in its lists and changes through its commands.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/wk_win.h"
#include "model/document.h"

// The window and its controls, created in a fixed order at fixed places. The
// controls are the window's interface: a user (or a test) sets their state
// and hands the window an event naming one of them.
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

// The window with its document. Everything it does starts from an event on
// one of its controls (handle_event); what is current is what the list boxes
// have selected.
class main_win : public gen_main_win {
  public:
    main_win();
    // Carries out the command of the control the event names; loop_end after Exit.
    int handle_event(wk_event* event) override;
    // A new empty paragraph after the selected one (or last), selected and
    // shown, with the focus in the paragraph box: the start-up state.
    void new_paragraph_after();

  private:
    // A list box showing a list of the document. It holds at most
    // list_box_capacity entries: a longer fill shows the last ones, so entry
    // index + dropped = position in the list.
    struct shown_list {
        HWND list_box = nullptr;
        int dropped = 0;
    };
    enum class keep_place { no, yes };
    struct command_row;
    static const command_row command_table[];

    // Lists (lists.cpp).
    Paragraph* selected_paragraph() const;
    int selected_position(const shown_list& list) const;
    void select_position(const shown_list& list, int position);
    void fill(shown_list& list, const std::vector<const char*>& entries, keep_place keep = keep_place::no);
    void fill_results(const std::vector<const Paragraph*>& found);
    void empty_results();
    void fill_paragraph_list();
    void fill_linked_symbols_of(const Paragraph* paragraph);
    void fill_linked_symbol_list();
    void show_selected_paragraph(bool empty_result_list);
    void show_selected() { show_selected_paragraph(true); }
    void fill_all_symbol_list();
    void refresh_all_lists();
    void list_paragraphs_of_linked_symbol();
    void list_paragraphs_of_symbol();
    void list_search_results();

    // Commands (commands.cpp).
    void report_out_of_memory();
    void update_paragraph();
    void update_and_new();
    bool select_result_line(); // true when a paragraph with the line's text was selected
    bool link_typed_symbol();  // false when no paragraph is selected
    bool link_listed_symbol(); // false when no paragraph or no listed symbol is selected
    bool unlink_symbol();      // false when no paragraph is selected
    void cut();
    void paste_before();
    void paste_after();
    void new_file();
    void open_file();
    void save_file();
    void load_document(Text& chosen_name); // the name becomes the document's unless memory runs out
    void save_document();

    Document document;
    shown_list paragraph_entries{all_paragraphs_list};
    shown_list linked_symbol_entries{linked_symbols_list};
    shown_list all_symbol_entries{all_symbols_list};
    shown_list result_entries{result_list};
};
