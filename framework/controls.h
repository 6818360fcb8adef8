// Child controls created through the GUI thread, their font, their keyboard
// handling and the readers of their contents.
#pragma once

#include <windows.h>

#include "framework/wk_win.h"
#include "model/text.h"

HWND create_label(wk_win& owner, const char* text, int x, int y, int width, int height);
HWND create_edit_line(wk_win& owner, int x, int y); // 150 x 24
HWND create_edit_box(wk_win& owner);                // multi-line, at 15, 422, 945 x 162
HWND create_button(wk_win& owner, int x, int y, int height, const char* label, bool is_default); // 75 wide
HWND create_list_box(wk_win& owner, int x, int y, int width, int height);

// Application thread: the control's whole text.
void read_control_text(HWND control, Text& text);
// Application thread: the selected entry's whole text, or "" with no selection.
void read_list_selection(HWND list_box, Text& text);

// GUI thread (keyboard handling of the subclassed controls): 1 when the
// message was consumed, 0 to pass it on to the control.
int key_filter(UINT message, WPARAM key, HWND control);
// The control after (or before) the given one in the tab order, wrapping
// around; null when the control is not in it.
tab_entry* tab_target(wk_win& owner, HWND control, bool backwards);
// The first button whose label marks the character with '&', or null.
tab_entry* find_accelerator(wk_win& owner, char character);
