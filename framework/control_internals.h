// Pieces of the controls' implementation shared between its files (private).
#pragma once

#include <windows.h>

enum class control_class { edit, button, list_box };

// Replaces the control's window procedure with its class's subclass
// procedure, keeping the replaced one as the class's saved procedure.
void subclass_control(HWND control, control_class kind);

// Accelerators are read from the first 79 characters of a control's text.
constexpr int accelerator_text_size = 80;
// The lower-case character after the first '&' of the control's text, or 0.
char control_accelerator(HWND control);
