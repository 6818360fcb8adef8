// Modal file choosers and the framework's error message box.
#pragma once

#include <windows.h>

#include "framework/wk_win.h"
#include "model/text.h"

// file_chosen when a file was chosen (path holds it), chooser_cancelled otherwise (path becomes "").
chooser_result choose_open_file(wk_win& owner, Text& path);
// Proposes path's content; file_chosen when a name was chosen (path holds it),
// chooser_cancelled otherwise (path becomes ""; a chooser failure is reported in an "Error" box).
chooser_result choose_save_file(wk_win& owner, Text& path);

// Shows "GetSaveFileName error <error>" in an "Error" box owned by owner.
void report_save_chooser_error(HWND owner, DWORD error);

// A modal box with caption "Error" and one OK button.
void show_error_box(HWND owner, const char* text);
