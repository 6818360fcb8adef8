// The XML tokenizer: turns the input into words, quoted strings, tag punctuation and
// verbatim-block openings.
#pragma once

struct VerbatimMarker {
    const char* opening;
    const char* closing;
};

// Ended by an entry whose opening is null; tested in table order.
extern const VerbatimMarker verbatim_markers[];

struct ParseState {
    const char* input;
    int position;
    int warning_position;
    int code;
    const char* pending_end_name;
    int pending_end_length;
    int at_top;
    const VerbatimMarker* markers;
    int depth;         // elements currently open below the root
    int open_elements; // of those, the ones that need an end tag (not question tags)
};

enum class TokenKind : int {
    word = 0,
    quoted = 1,
    tag_open = 2,
    end_tag_open = 3,
    tag_close = 4,
    equals = 5,
    question_open = 6,
    empty_tag_close = 7,
    verbatim_open = 8,
    end_of_text = 9,
};

struct Token {
    TokenKind kind;
    const char* start;
    int length;
    const VerbatimMarker* marker; // for verbatim_open only
};

inline bool is_xml_whitespace(char c) {
    return c == '\t' || c == '\n' || c == '\r' || c == ' ';
}

char skip_whitespace(ParseState& state);
Token scan_token(ParseState& state);
// When the next two tokens are "<" and a name that starts with an ASCII letter right after it
// (scan_token would give tag_open and that word), reads both and gives the name.
bool scan_start_tag(ParseState& state, Token& name);
// When the next three tokens are a name that starts with an ASCII letter, "=" and a quoted
// string (as scan_token would give them), reads them and gives the name and the string.
bool scan_quoted_attribute(ParseState& state, Token& name, Token& value);
// In content, words, quoted strings and "=" only mark where a text begins: consumes every such
// token from the current position, exactly as scan_token would, and returns the start of the
// first one (null when there was none). The next scan_token gives the token that follows them.
const char* skip_text_tokens(ParseState& state);
bool end_name_matches(const char* name, const char* text);
int trim_trailing_whitespace(const char* start, int length);
