// The loader's own view of a loaded file: its bytes, and turning UTF-16 into
// 8-bit text. Private to the loader (and the fuzzer that drives the
// conversion); callers load files through xml/loader.h.
#pragma once

#include <cstddef>
#include <memory>

struct FreeBytes {
    void operator()(char* bytes) const;
};
// A NUL-terminated text in xml_malloc'd memory; size counts the bytes before the NUL.
struct LoadedText {
    std::unique_ptr<char, FreeBytes> bytes;
    std::size_t size = 0;
};

// Files this program writes are 8-bit and may hold any byte from 1 to 255; such a file starts
// with "<" (possibly after whitespace) and has no NUL byte, which a UTF-16 file of markup
// always has. True when the bytes are certainly 8-bit.
bool is_certainly_8bit_markup(const char* bytes, std::size_t size);

enum class Utf16Conversion { not_utf16, converted, out_of_memory };
// When the platform takes the text for UTF-16, replaces it with its 8-bit form in the system's
// ANSI code page. Out of memory, the text is left as it was.
Utf16Conversion convert_utf16_to_ansi(LoadedText& text);
