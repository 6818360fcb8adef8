// Drives the real norvane.exe for end-to-end tests: starts it in a fresh
// working folder, finds its main window and the 28 controls by their places,
// acts on them with real input and reads what they show.
//
// The program takes one event at a time and a newer event replaces one not
// yet taken, so every action here waits for its effect before returning.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/driver/gui_driver.h"

namespace norvane_test {

// One control of the main window: its class, text and place in the client area.
struct control_place {
    HWND* handle;
    const char* name;
    const char* class_name;
    const char* text;
    int x, y, width, height;
};

// What the window shows, read in one go.
struct window_view {
    std::vector<std::string> paragraphs;
    int paragraph_selected = -1;
    std::string paragraph_text;
    std::vector<std::string> linked_symbols;
    int linked_selected = -1;
    std::vector<std::string> all_symbols;
    int symbol_selected = -1;
    std::vector<std::string> results;
    int result_selected = -1;

    bool operator==(const window_view&) const = default;
};

using gui::click;
using gui::click_at;

// How view() shows a list entry too long to read from another process.
std::string long_entry(std::size_t length);
// One entry of a list box (a long one as long_entry).
std::string entry_at(HWND list_box, int index);
// A list box's entries (long ones, or all of them, as long_entry).
std::vector<std::string> list_entries(HWND list_box, bool lengths_only = false);

// Printed by gtest when a comparison fails.
void PrintTo(const window_view& view, std::ostream* out);

class norvane_window {
  public:
    norvane_window();
    norvane_window(const norvane_window&) = delete;
    norvane_window& operator=(const norvane_window&) = delete;
    ~norvane_window();

    // Starts the program and waits for its start-up state (one empty
    // paragraph, focus in the paragraph box). Check with HasFatalFailure().
    void start();

    gui::program program;
    std::string folder; // the program's working folder, created empty
    HWND top = nullptr;

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

    // The 28 controls in order of creation.
    std::vector<control_place> layout();

    window_view view() const;
    // Read list entries by their lengths only (see long_entry): needed while a
    // list may change to hold a long entry between reading its length and
    // its text.
    bool entry_lengths_only = false;
    // A text as view() shows it in a list.
    std::string as_listed(const std::string& text) const;
    HWND focus() const { return gui::focused_window(top); }

    // Waits until the view satisfies the condition; on a time-out the test
    // fails, showing the last view.
    void wait_for(const std::function<bool(const window_view&)>& condition, const char* what);
    // Waits until the view equals expected.
    void wait_for_view(const window_view& expected, const char* what);

    // Actions (each waits for the effect the caller names).
    void click_and_wait(HWND control, const std::function<bool(const window_view&)>& effect,
                        const char* what);
    // Replaces an edit box's whole text by typing (the document does not change).
    void type_into(HWND edit, const std::string& text);
    // Puts a long text into an edit box through the clipboard (Ctrl+V).
    void paste_into(HWND edit, const std::string& text);
    // Clicks entry `index` of a list box (it must be scrolled into view).
    void click_entry(HWND list_box, int index);
    // Types the paragraph's text and presses Enter (Update + New), waiting
    // until the focus is back in the paragraph box.
    void enter_paragraph(const std::string& text);
    // Selects paragraph `index` (a click) and waits for it to be shown.
    void select_paragraph(int index);
    // Types a symbol and clicks "&Link Symbol".
    void link_symbol(const std::string& symbol);

    // Waits for one of the program's file choosers; null on a time-out.
    HWND wait_for_chooser();
    // Types the path into the chooser's file name field and presses Enter.
    void choose_path(HWND chooser, const std::string& path);
    // The file name the chooser proposes.
    std::string chooser_file_name(HWND chooser);
    // Waits for an "Error" box; null on a time-out.
    HWND wait_for_error_box();
    // The text of a message box.
    std::string message_of(HWND box);

    // A path inside the working folder.
    std::string path_of(const std::string& file_name) const { return folder + "\\" + file_name; }
};

// Whole-file helpers for the working folder.
std::string read_file(const std::string& path);
bool write_file(const std::string& path, const std::string& bytes);
bool file_exists(const std::string& path);
std::vector<std::string> files_in(const std::string& folder);

// A document file with these paragraphs, each with the given symbols.
struct sample_paragraph {
    std::string text;
    std::vector<std::string> symbols;
};
std::string document_file_text(const std::vector<sample_paragraph>& paragraphs);

} // namespace norvane_test
