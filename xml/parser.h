// Parses NUL-terminated 8-bit XML text and returns its "body" element.
#pragma once

#include "xml/element.h"

enum parse_code : int {
    parse_ok = 0,
    parse_unmatched_end_tag_warning = 1,
    parse_no_xml_data = 2,
    parse_first_token_not_start_tag = 3,
    parse_missing_start_tag_name = 4,
    parse_missing_end_tag_name = 5,
    parse_unmatched_quote = 6,
    parse_unmatched_end_tag = 7,
    parse_unexpected_token = 8,
    parse_invalid_tag = 9,
    parse_no_elements = 10,
    parse_file_not_found = 11,
    parse_first_tag_not_found = 12,
    parse_unknown_entity = 13,
    parse_nested_too_deeply = 14,
    parse_ends_inside_element_warning = 15,
    parse_out_of_memory = 16,
    parse_file_too_large = 17,
};

// The outcomes that still give back the "body" element.
inline bool parse_keeps_tree(int code) {
    return code == parse_ok || code == parse_unmatched_end_tag_warning ||
           code == parse_ends_inside_element_warning;
}

struct ParseResult {
    int code;
    int line;
    int column;
};

// Deepest element nesting accepted; deeper input gives parse_nested_too_deeply. Chosen so that
// the recursive parse, release and write stay far inside the application thread's stack.
constexpr int max_nesting_depth = 1000;

// The element searched for at the top level and inside top-level question tags.
constexpr const char* document_element_name = "body";

// Reentrant: the state of a parse and its working buffers belong to the call. Out of memory,
// everything built is released and the code is parse_out_of_memory.
ElementRef parse_document(const char* input, ParseResult* result);
const char* parse_message(int code);

struct ParseState;
// Fills element from the parse state; 1 when the element was closed, 0 at the end of the text
// or on an error (code set). Its working buffers belong to the call.
int parse_into(Element* element, ParseState& state);
