#include "xml/parser.h"

#include "xml/content_collector.h"
#include "xml/entities.h"
#include "xml/tokenizer.h"

#include <cstring>
#include <utility>

namespace {

constexpr int parse_growth_step = 50;

enum class TagState { expect_name, after_name, after_equals };

// What one parse_into call remembers between tokens.
struct Frame {
    Element* element;
    ContentCollector& content; // the element's content until it is finished
    CollectorStack& collectors;
    int level; // nesting level of the element, 0 for the element parse_into was called on
    bool content_mode;
    TagState tag_state = TagState::expect_name;
    const char* text_start = nullptr;
    const char* attribute_name = nullptr;
    int attribute_name_length = 0;
};

// Stores the remembered text, decoded and trimmed; false when decoding failed.
bool flush_text(ParseState& state, Frame& frame, const char* token_start) {
    if (frame.text_start == nullptr) {
        return true;
    }
    const int length =
        trim_trailing_whitespace(frame.text_start, static_cast<int>(token_start - frame.text_start));
    char* const value = decode_entities_in_span(frame.text_start, length, state.code);
    frame.text_start = nullptr;
    if (value == nullptr) {
        return false;
    }
    frame.content.add_text(value);
    return true;
}

bool read_verbatim_block(ParseState& state, ContentCollector& content, const VerbatimMarker& marker) {
    const char* const start = state.input + state.position;
    const char* const end = std::strstr(start, marker.closing);
    if (end == nullptr) {
        state.code = parse_unmatched_end_tag;
        return false;
    }
    const int length = static_cast<int>(end - start);
    content.add_block(copy_span(start, length), marker.opening, marker.closing);
    state.position += length + static_cast<int>(std::strlen(marker.closing));
    return true;
}

int fill_element(Element* element, ParseState& state, CollectorStack& collectors, int level);

int fail(ParseState& state, int code) {
    state.code = code;
    return 0;
}

// "<" or "<?" in content: opens a child and parses it. Returns -1 to go on in content mode,
// otherwise parse_into's result for element.
int open_child(ParseState& state, Frame& frame, bool question) {
    Element* const element = frame.element;
    const Token name = scan_token(state);
    if (name.kind != TokenKind::word) {
        return fail(state, parse_missing_start_tag_name);
    }
    if (state.depth >= max_nesting_depth) {
        return fail(state, parse_nested_too_deeply);
    }
    // The creation reference becomes the one of the child's entry in element's children.
    Element* const child =
        new_element(element, copy_span(name.start, name.length), question).release_ownership();
    frame.content.add_child(child);
    ++state.depth;
    const int closed = fill_element(child, state, frame.collectors, frame.level + 1);
    --state.depth;
    if (closed == 0) {
        return 0;
    }
    if (state.pending_end_length == 0) {
        return -1;
    }
    // An end tag that did not match the child closes this element as well.
    if (element->name == nullptr) {
        return fail(state, parse_unmatched_end_tag);
    }
    if (end_name_matches(element->name, state.pending_end_name)) {
        state.pending_end_length = 0;
    }
    return 1;
}

int read_end_tag(Element* element, ParseState& state) {
    const Token name = scan_token(state);
    if (name.kind != TokenKind::word) {
        return fail(state, parse_missing_end_tag_name);
    }
    const Token close = scan_token(state);
    if (close.kind != TokenKind::tag_close) {
        return fail(state, parse_missing_end_tag_name);
    }
    if (!end_name_matches(element->name, name.start)) {
        state.code = parse_unmatched_end_tag_warning;
        state.warning_position = state.position;
        state.pending_end_name = name.start;
        state.pending_end_length = name.length;
    }
    return 1;
}

// One token in content mode: -1 to go on, otherwise parse_into's result.
int content_token(ParseState& state, Frame& frame, const Token& token) {
    switch (token.kind) {
    case TokenKind::word:
    case TokenKind::quoted:
    case TokenKind::equals:
        if (frame.text_start == nullptr) {
            frame.text_start = token.start;
        }
        return -1;
    case TokenKind::tag_close:
    case TokenKind::empty_tag_close:
        return fail(state, parse_unexpected_token);
    case TokenKind::tag_open:
    case TokenKind::question_open:
        if (!flush_text(state, frame, token.start)) {
            return 0;
        }
        return open_child(state, frame, token.kind == TokenKind::question_open);
    case TokenKind::end_tag_open:
        if (!flush_text(state, frame, token.start)) {
            return 0;
        }
        return read_end_tag(frame.element, state);
    case TokenKind::verbatim_open:
        if (!flush_text(state, frame, token.start)) {
            return 0;
        }
        return read_verbatim_block(state, frame.content, *token.marker) ? -1 : 0;
    default:
        return 0;
    }
}

// Drops a question tag's closing "?" from the end of a name or value.
int without_question_mark(const Element* element, const char* start, int length) {
    if (element->question_tag != 0 && length > 0 && start[length - 1] == '?') {
        return length - 1;
    }
    return length;
}

void store_bare_attribute(const Frame& frame) {
    frame.content.add_attribute(copy_span(frame.attribute_name, frame.attribute_name_length), nullptr);
}

// One token in tag mode: -1 to go on, otherwise parse_into's result.
int tag_token(ParseState& state, Frame& frame, const Token& token) {
    const Element* const element = frame.element;
    switch (frame.tag_state) {
    case TagState::expect_name:
        if (token.kind == TokenKind::word) {
            frame.attribute_name = token.start;
            frame.attribute_name_length = token.length;
            frame.tag_state = TagState::after_name;
            return -1;
        }
        if (token.kind == TokenKind::tag_close) {
            frame.content_mode = true;
            return -1;
        }
        if (token.kind == TokenKind::empty_tag_close) {
            return 1;
        }
        return fail(state, parse_unexpected_token);
    case TagState::after_name:
        if (token.kind == TokenKind::word) {
            store_bare_attribute(frame);
            frame.attribute_name = token.start;
            frame.attribute_name_length = token.length;
            return -1;
        }
        if (token.kind == TokenKind::equals) {
            frame.tag_state = TagState::after_equals;
            return -1;
        }
        if (token.kind == TokenKind::tag_close || token.kind == TokenKind::empty_tag_close) {
            frame.attribute_name_length =
                without_question_mark(element, frame.attribute_name, frame.attribute_name_length);
            if (frame.attribute_name_length > 0) {
                store_bare_attribute(frame);
            }
            if (token.kind == TokenKind::empty_tag_close) {
                return 1;
            }
            frame.content_mode = true;
            return -1;
        }
        return fail(state, parse_unexpected_token);
    case TagState::after_equals:
        if (token.kind == TokenKind::word || token.kind == TokenKind::quoted) {
            const char* start = token.start;
            int length = without_question_mark(element, start, token.length);
            if (token.kind == TokenKind::quoted) {
                start += 1;
                length -= 2;
            }
            char* const value = decode_entities_in_span(start, length < 0 ? 0 : length, state.code);
            if (value == nullptr) {
                return 0;
            }
            frame.content.add_attribute(copy_span(frame.attribute_name, frame.attribute_name_length), value);
            frame.tag_state = TagState::expect_name;
            return -1;
        }
        return fail(state, parse_unexpected_token);
    }
    return 0;
}

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

// Reads tokens into the frame's element until it is closed (1), the text ends or an error is
// set (0).
int read_element(ParseState& state, Frame& frame) {
    for (;;) {
        if (frame.content_mode) {
            const char* const text = skip_text_tokens(state);
            if (frame.text_start == nullptr) {
                frame.text_start = text;
            }
        }
        const Token token = scan_token(state);
        if (token.kind == TokenKind::end_of_text) {
            return 0;
        }
        const int outcome =
            frame.content_mode ? content_token(state, frame, token) : tag_token(state, frame, token);
        if (outcome >= 0) {
            return outcome;
        }
    }
}

// Fills element at the given nesting level. Its content is stored in it on every outcome, at
// exact sizes, so that the tree is whole (and can be released) also after an error.
int fill_element(Element* element, ParseState& state, CollectorStack& collectors, int level) {
    ContentCollector& content = collectors.at_level(level);
    Frame frame{element, content, collectors, level, state.at_top != 0};
    state.at_top = 0;
    const int outcome = read_element(state, frame);
    content.store_in(element);
    return outcome;
}

} // namespace

int parse_into(Element* element, ParseState& state) {
    CollectorStack collectors;
    return fill_element(element, state, collectors, 0);
}

ElementRef parse_document(const char* input, ParseResult* result) {
    if (input == nullptr) {
        if (result != nullptr) {
            *result = ParseResult{parse_no_elements, 0, 0};
        }
        return {};
    }
    ElementRef root = new_document_root();
    ParseState state{input, 0, 0, 0, nullptr, 0, 1, verbatim_markers, 0};
    // Kept from one parse to the next (parses run one at a time): the collectors' buffers are
    // warm, and freeing the large ones after each parse made the allocator hand memory back to
    // the system, which the next parse then faulted in again page by page.
    static CollectorStack collectors;
    growth_step = parse_growth_step;
    fill_element(root.get(), state, collectors, 0);
    growth_step = 0;

    ElementRef found;
    if (state.code == parse_ok || state.code == parse_unmatched_end_tag_warning) {
        found = find_document_element(root);
        if (!found) {
            if (result != nullptr) {
                *result = ParseResult{parse_first_tag_not_found, 0, 0};
            }
            return {};
        }
    }
    root = ElementRef(); // the rest of the tree goes; the found element stands alone
    if (result != nullptr) {
        result->code = state.code;
        if (state.code != parse_ok) {
            locate(input,
                   state.code == parse_unmatched_end_tag_warning ? state.warning_position : state.position,
                   *result);
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
    };
    if (code < 0 || code >= static_cast<int>(sizeof messages / sizeof messages[0])) {
        return "Unknown";
    }
    return messages[code];
}
