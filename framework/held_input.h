// Input given while a command runs: taken from the queue in the order given,
// kept, and carried out once the command has finished, each key at the
// control that has the focus then and each click at the control under the
// pointer where it was given.
#pragma once

#include <windows.h>

#include <cstddef>

// GUI thread, while input is held: one message taken from the queue, or none
// after a short wait (which hold_ended, once set, cuts short). Keyboard and
// mouse input in a window's client area is kept; anything else (painting,
// the window frame, requests, sent messages) comes back to be dispatched.
// False when nothing is to be dispatched.
bool take_message_holding_input(MSG& message, HANDLE hold_ended);

// GUI thread, once input is no longer held: carries out the oldest kept
// input, with the characters it types. False when none was kept.
bool carry_out_kept_input();

// GUI thread: how many messages are kept, waiting for the hold to end.
std::size_t kept_input_count();
