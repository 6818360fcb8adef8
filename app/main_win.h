// The main window with the document it shows: the list displays, the commands
// and the file commands.
#pragma once

#include <vector>

#include "app/gen_main_win.h"
#include "app/list_box_fill.h"
#include "model/document.h"

class main_win : public gen_main_win {
  public:
    main_win();
    int handle_event(wk_event* event) override; // the command table

    // List displays.
    void fill_paragraph_list();
    void fill_linked_symbol_list();
    void show_selected_paragraph(bool empty_results);
    void fill_all_symbol_list();
    void list_paragraphs_of_linked_symbol();
    void list_paragraphs_of_symbol();
    void list_search_results();
    void new_paragraph_after();

    // Commands.
    void update_paragraph();
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

    // The document file.
    void save_document();
    void load_document();

    Document document;

    // The four list boxes with the number of list elements each fill left out.
    shown_list paragraph_entries;
    shown_list linked_symbol_entries;
    shown_list all_symbol_entries;
    shown_list result_entries;

  private:
    Paragraph* selected_paragraph() const;
    void fill(shown_list& list, const std::vector<const char*>& entries, keep_place keep = keep_place::no);
    void fill_results(const std::vector<const Paragraph*>& found);
    void fill_linked_symbols_of(const Paragraph* paragraph);
    void empty_results();
};
