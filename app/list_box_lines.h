// The lines of a list box as the main window changes them: a whole list
// shown anew, or one line inserted, removed or replaced, each leaving the
// selection and the top line where showing the whole list again would.
#pragma once

#include <windows.h>

#include <vector>

namespace list_box_lines {

// Where a list shown anew leaves its selection and top line: the same
// indices as before, or (as adding its lines one by one leaves it) nothing
// selected and the last line in view.
enum class keep_place { no, yes };

int selected(HWND box); // -1 when nothing is selected
int line_count(HWND box);
// Selects line (nothing for a negative line or one past the end).
void select(HWND box, int line);

// Every line anew, in steps that let the window paint between them.
void show_whole(HWND box, const std::vector<const char*>& lines, keep_place keep);
void empty(HWND box);

// One line changed; the selected index and the top line stay as they were
// (the control then clamps them), as when the whole list is shown again.
void insert(HWND box, int line, const char* text);
void remove(HWND box, int line);
void replace(HWND box, int line, const char* text);
// Nothing selected and the last line in view, as after showing the list anew.
void forget_place(HWND box);

} // namespace list_box_lines
