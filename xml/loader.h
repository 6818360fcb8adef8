// Loads an XML file whole (8-bit or UTF-16) and parses it.
#pragma once

#include "xml/parser.h"

#include <string>

ElementRef load_xml_file(const char* path, ParseResult* result);
// The same, printing the report to standard output when the code is not 0.
ElementRef load_xml_file_reported(const char* path);
// The same, and hands back the printed text ("" when the code is 0).
ElementRef load_xml_file_reported(const char* path, std::string& report);
// The report text for a load of path with the given result ("" when the code is 0).
std::string format_load_report(const char* path, const ParseResult& result);
