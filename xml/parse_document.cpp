// The parse driver: parses a whole text, finds its "body" element and reports the outcome.
#include "xml/parser.h"

#include "xml/tokenizer.h"

#include <utility>

namespace {

// Line and column (from 1) of the character at index p.
void locate(const char* input, int p, ParseResult& result) {
    int line = 1;
    int column = 1;
    for (int i = 0; i < p && input[i] != '\0'; ++i) {
        if (input[i] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    result.line = line;
    result.column = column;
}

// The element named "body" at the top level or inside top-level question tags.
ElementRef find_document_element(const ElementRef& root) {
    ElementRef current = root;
    int i = 0;
    while (i < current->child_count) {
        ElementRef child = child_at(current, i);
        if (names_equal(child->name, document_element_name)) {
            return child;
        }
        if (child->question_tag != 0) {
            current = std::move(child);
            i = 0;
        } else {
            ++i;
        }
    }
    return {};
}

void report(ParseResult* result, int code) {
    if (result != nullptr) {
        *result = ParseResult{code, 0, 0};
    }
}

} // namespace

ElementRef parse_document(const char* input, ParseResult* result) {
    if (input == nullptr) {
        report(result, parse_no_elements);
        return {};
    }
    ElementRef root = new_document_root();
    if (!root) {
        report(result, parse_out_of_memory);
        return {};
    }
    ParseState state{input, 0, 0, parse_ok, nullptr, 0, 1, verbatim_markers, 0, 0};
    parse_into(root.get(), state);
    if (state.code == parse_out_of_memory) {
        report(result, parse_out_of_memory);
        return {};
    }

    ElementRef found;
    if (parse_keeps_tree(state.code)) {
        found = find_document_element(root);
        if (!found) {
            report(result, parse_first_tag_not_found);
            return {};
        }
    }
    root = ElementRef(); // the rest of the tree goes; the found element stands alone
    if (result != nullptr) {
        result->code = state.code;
        if (state.code != parse_ok) {
            const bool warning = state.code == parse_unmatched_end_tag_warning ||
                                 state.code == parse_ends_inside_element_warning;
            locate(input, warning ? state.warning_position : state.position, *result);
        }
    }
    return found;
}

const char* parse_message(int code) {
    static constexpr const char* messages[] = {
        "No error",
        "Warning: Unmatched end tag",
        "Error: No XML data",
        "Error: First token not start tag",
        "Error: Missing start tag name",
        "Error: Missing end tag name",
        "Error: Unmatched quote",
        "Error: Unmatched end tag",
        "Error: Unexpected token found",
        "Error: Invalid tag found",
        "Error: No elements found",
        "Error: File not found",
        "Error: First Tag not found",
        "Error: Unknown character entity",
        "Error: Elements nested too deeply",
        "Warning: The file ends inside an element",
        "Error: Out of memory",
        "Error: File too large",
    };
    if (code < 0 || code >= static_cast<int>(sizeof messages / sizeof messages[0])) {
        return "Unknown";
    }
    return messages[code];
}
