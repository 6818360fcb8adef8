// The main window under test: one real main_win for the whole run (closing a
// framework window ends the program's message pump), driven on the
// application thread the way a user's events drive it: control state set with
// ordinary messages, then an event naming the control handed to handle_event.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/main_win.h"
#include "tests/framework/in_process/test_windows.h"

using control_field = HWND gen_main_win::*;

// One user action: a click on a button, a list line selected (the line's
// index), text typed into an edit box, or Enter.
struct user_step {
    enum kind_type { click = event_activate, select = event_select, enter = event_enter, type = -1 } kind;
    control_field control = nullptr;
    int line = -1;
    const char* text = "";
};

// clang-format off
inline user_step click_on(control_field button) { return {user_step::click, button}; }
inline user_step select_line(control_field list, int line) { return {user_step::select, list, line}; }
inline user_step type_into(control_field edit, const char* text) { return {user_step::type, edit, -1, text}; }
// clang-format on

main_win& the_window();
void perform(const std::vector<user_step>& steps);

// Runs the window's real event loop, its events coming from the GUI thread,
// until `done` holds after an event (or twenty seconds passed). Whatever was
// given to `inside_next_command` runs at the start of the next command, while
// that command holds the user's input.
void run_event_loop_until(const std::function<bool()>& done);
void do_inside_next_command(std::function<void()> inside_next_command);
// Real input, as the user gives it: a click at a point of a control (its
// client coordinates), a drag of the window by its caption, typed letters.
bool give_click(HWND control, POINT point);
bool drag_caption_by(HWND window, int dx, int dy);
bool type_letters(const char* letters);
// Application thread: waits until the GUI thread has taken all input of these
// kinds (QS_KEY, QS_MOUSEBUTTON) given so far and keeps it, not yet carried
// out, for the command to finish.
bool input_kept(UINT kinds);
// Presses the keys together (e.g. Ctrl+End), as the user does.
bool press_keys(const std::vector<WORD>& keys);

// A document written as paragraphs separated by '|', each text optionally
// followed by ':' and its symbols separated by ','; "" is no paragraph.
// Example: "a:x,y|b|c:y".
void write_document(const std::string& described, const std::string& path);
// New file, then Open file with the chooser answering `path`.
void open_document(const std::string& path);
// What the choosers answer from now on ("": the user cancels them).
void answer_choosers(const std::string& path);
// Open file alone, with the chooser answering `path`.
void open_only(const std::string& path);
// Save file with the chooser answering `path` ("": the user cancels it).
void save_document_as(const std::string& path);
// The name the last chooser proposed when it opened.
extern std::string proposed_name;
// A path for a file of the test's own in the temporary folder (deleted with
// the guard).
struct temporary_file {
    explicit temporary_file(const char* name);
    ~temporary_file();
    temporary_file(const temporary_file&) = delete;
    temporary_file& operator=(const temporary_file&) = delete;
    std::string path;
};

// A list box's entries joined by '|', the selected one in brackets.
std::string shown(control_field list);
// One line of a list box (LB_GETTEXT), and the selected line (-1: none).
std::string line_of(control_field list, int line);
int selected_line(control_field list);
// An edit box's whole text.
std::string text_of(control_field edit);
