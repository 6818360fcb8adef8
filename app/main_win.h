// The main window: its 28 controls at fixed places, and the document it shows
// in its lists and changes through its commands.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
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

    // At the end of the program: the document is left to the system, which
    // frees a process's memory at once.
    void leave_document_to_the_end() noexcept { leave_paragraphs_to_the_end(document); }
    // The document as the window shows it, for reading only.
    const Document& shown_document() const { return document; }

  private:
    struct command_row;
    static const command_row command_table[];

    // Lists (lists.cpp). Each list box shows its list in list order, line for
    // element, so a selected line is the position of what it shows.
    Paragraph* selected_paragraph() const;
    int selected_paragraph_position() const;
    void fill_paragraph_list();
    void show_paragraph_changed(int position);
    void show_paragraph_inserted(int position);
    void show_paragraph_removed(int position);
    void fill_linked_symbol_list();
    void show_selected_paragraph(bool empty_result_list);
    void show_selected() { show_selected_paragraph(true); }
    // All symbols after a change of the document's symbols: with nothing
    // selected and the last line in view, as a list shown anew, or with the
    // symbol given (the one selected before the change) selected where it now
    // stands.
    void show_symbol_changes(const std::optional<std::string>& keep_selected = std::nullopt);
    std::optional<std::string> selected_symbol() const; // read before the document changes
    void fill_all_symbol_list();
    void refresh_all_lists();
    void fill_results(const std::vector<const Paragraph*>& found);
    void empty_results();
    void list_paragraphs_of_linked_symbol();
    void list_paragraphs_of_symbol();
    void list_search_results();

    // Commands (commands.cpp).
    void report_out_of_memory();
    void update_paragraph();
    void update_and_new();
    bool select_result_line(); // true when a paragraph with the line's text was selected
    void link_symbol(Paragraph& paragraph, Text* symbol); // takes the symbol
    bool link_typed_symbol();                             // false when no paragraph is selected
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
};
