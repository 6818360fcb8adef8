// Loads an XML file whole (8-bit or UTF-16) and parses it.
#pragma once

#include "xml/parser.h"

#include <cstdint>
#include <string>

// The file's "body" element, or the empty handle; result (may be null) gets
// the parse's code, line and column, or parse_file_not_found when the file
// cannot be opened as a file.
ElementRef load_xml_file(const char* path, ParseResult* result);
// The same, printing the report to standard output when the code is not 0.
ElementRef load_xml_file_reported(const char* path);
// The same, and hands back the printed text ("" when the code is 0).
ElementRef load_xml_file_reported(const char* path, std::string& report);
// The same, and hands back the result the report was made from.
ElementRef load_xml_file_reported(const char* path, ParseResult& result);
// The report text for a load of path with the given result ("" when the code is 0).
std::string format_load_report(const char* path, const ParseResult& result);

// parse_ok when a file of this many bytes can be loaded: positions in the text are 32-bit, so
// files of 2 GB or more give parse_file_too_large.
int check_file_size(std::int64_t size);
