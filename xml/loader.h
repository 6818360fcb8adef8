// Loads an XML file whole (8-bit or UTF-16) and parses it.
#pragma once

#include "xml/parser.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

ElementRef load_xml_file(const char* path, ParseResult* result);
// The same, printing the report to standard output when the code is not 0.
ElementRef load_xml_file_reported(const char* path);
// The same, and hands back the printed text ("" when the code is 0).
ElementRef load_xml_file_reported(const char* path, std::string& report);
// The report text for a load of path with the given result ("" when the code is 0).
std::string format_load_report(const char* path, const ParseResult& result);

// parse_ok when a file of this many bytes can be loaded: positions in the text are 32-bit, so
// files of 2 GB or more give parse_file_too_large.
int check_file_size(std::int64_t size);

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
