// Modal file choosers and the framework's message boxes.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include "framework/wk_win.h"
#include "model/text.h"

// What a file chooser returns.
enum chooser_result : int { chooser_cancelled = 0, file_chosen = 1 };

// file_chosen when a file was chosen (path holds it), chooser_cancelled otherwise (path becomes "").
chooser_result choose_open_file(wk_win& owner, Text& path);
// Proposes path's content; file_chosen when a name was chosen (path holds it),
// chooser_cancelled otherwise (path becomes ""; a chooser failure is reported in an "Error" box).
chooser_result choose_save_file(wk_win& owner, Text& path);

// A modal box with caption "Error" and one OK button.
void show_error_box(HWND owner, const char* text);
// A modal box with caption "Warning" and one OK button.
void show_warning_box(HWND owner, const char* text);

// The platform calls behind the choosers, replaceable so that a chooser can
// be made to fail on purpose.
struct chooser_calls {
    BOOL(WINAPI* open_file_name)(LPOPENFILENAMEA);
    BOOL(WINAPI* save_file_name)(LPOPENFILENAMEA);
    DWORD(WINAPI* extended_error)();
};
// The platform's own calls.
chooser_calls platform_chooser_calls();
// The calls the choosers use; platform_chooser_calls() unless replaced.
chooser_calls& active_chooser_calls();
