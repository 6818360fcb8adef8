// Turns a UTF-16 file's bytes into 8-bit text in the system's ANSI code page.
#pragma once

#include <string>

// True when the bytes were taken for UTF-16 and were converted in place.
bool convert_utf16_to_ansi(std::string& bytes);

// Files this program writes are 8-bit and may hold any byte from 1 to 255; such a file starts
// with "<" (possibly after whitespace) and has no NUL byte, which a UTF-16 file of markup
// always has. True when the bytes are certainly 8-bit.
bool is_certainly_8bit_markup(const std::string& bytes);
