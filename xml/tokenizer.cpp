#include "xml/tokenizer.h"

#include "xml/element.h"

#include <cstring>
#include <initializer_list>

const VerbatimMarker verbatim_markers[] = {
    {"<![CDATA[", "]]>"}, {"<PRE>", "</PRE>"}, {"<Script>", "</Script>"},
    {"<!--", "-->"},      {"<!DOCTYPE", ">"},  {nullptr, nullptr},
};

namespace {

// True when text starts with prefix, ignoring ASCII case. Stops at the first mismatch, so it
// never reads past the NUL that ends text.
bool starts_with_folded(const char* text, const char* prefix) {
    for (; *prefix != '\0'; ++text, ++prefix) {
        if (fold_ascii(*text) != fold_ascii(*prefix)) {
            return false;
        }
    }
    return true;
}

// Every opening of the standard table starts with "<" and then "!", "P" or "S"; other text is
// turned away before the five case-insensitive compares.
const VerbatimMarker* match_marker(const VerbatimMarker* markers, const char* text) {
    if (markers == verbatim_markers) {
        if (text[0] != '<') {
            return nullptr;
        }
        // Only the entries with this second character can match; a tag such as "<P" meets
        // just the one compare with "<PRE>".
        switch (fold_ascii(text[1])) {
        case '!':
            break;
        case 'p':
            return starts_with_folded(text, markers[1].opening) ? &markers[1] : nullptr;
        case 's':
            return starts_with_folded(text, markers[2].opening) ? &markers[2] : nullptr;
        default:
            return nullptr;
        }
    }
    for (const VerbatimMarker* m = markers; m->opening != nullptr; ++m) {
        if (starts_with_folded(text, m->opening)) {
            return m;
        }
    }
    return nullptr;
}

// Bytes that may end a word: NUL, whitespace, "<", "=", ">" and "/" (only before ">").
struct WordEnds {
    bool at[256];
    constexpr WordEnds() : at{} {
        for (const char c : {'\0', '\t', '\n', '\r', ' ', '<', '=', '>', '/'}) {
            at[static_cast<unsigned char>(c)] = true;
        }
    }
};
constexpr WordEnds word_ends;

// Index of the end of the word whose first character is at start.
int word_end(const char* input, int start) {
    int p = start + 1;
    for (;;) {
        while (!word_ends.at[static_cast<unsigned char>(input[p])]) {
            ++p;
        }
        if (input[p] != '/' || input[p + 1] == '>') {
            return p;
        }
        ++p; // "/" alone belongs to the word
    }
}

// Reads a word whose first character is at position; the word's delimiter is consumed only
// when it is whitespace.
Token read_word(ParseState& state) {
    const char* const input = state.input;
    const int start = state.position;
    const int p = word_end(input, start);
    state.position = is_xml_whitespace(input[p]) ? p + 1 : p;
    return Token{TokenKind::word, input + start, p - start, nullptr};
}

// The index of the character that stops the quoted string opening at start: its closing
// quote, a "<", or the NUL.
int quoted_string_stop(const char* input, int start) {
    const char stops[] = {input[start], '<', '\0'};
    return start + 1 + static_cast<int>(std::strcspn(input + start + 1, stops));
}

// The string opening at start met neither its closing quote nor a "<" before the end. Read
// token by token, as an unclosed quote is (the first character of a word), the rest holds a
// ">" only when a tag ends there or an error stands there; otherwise nothing in the rest could
// have ended the string, and the text was cut inside it.
bool string_cut_by_end(const char* input, int start) {
    int p = start + 1;
    bool at_token_start = false;
    for (;;) {
        p += static_cast<int>(std::strcspn(input + p, ">'\"\t\n\r ="));
        const char c = input[p];
        if (c == '\0') {
            return true;
        }
        if (c == '>') {
            return false;
        }
        if (c == '\'' || c == '"') {
            if (at_token_start) {
                const int q = quoted_string_stop(input, p);
                if (input[q] == c) {
                    p = q + 1; // a closed string: a ">" inside it ends nothing
                    continue;
                }
            }
            at_token_start = false; // an unclosed quote is read as a word character
            ++p;
            continue;
        }
        at_token_start = true; // after whitespace or "="
        ++p;
    }
}

Token read_quoted(ParseState& state) {
    const char* const input = state.input;
    const int start = state.position;
    const char quote = input[start];
    const int p = quoted_string_stop(input, start);
    if (input[p] == quote) {
        state.position = p + 1;
        skip_whitespace(state);
        return Token{TokenKind::quoted, input + start, p + 1 - start, nullptr};
    }
    if (input[p] == '\0' && string_cut_by_end(input, start)) {
        // The text was cut inside the string: all the rest is one word that runs into the end.
        state.position = p;
        return Token{TokenKind::word, input + start, p - start, nullptr};
    }
    // No closing quote: the opening quote becomes the first character of a word.
    state.position = start;
    return read_word(state);
}

} // namespace

char skip_whitespace(ParseState& state) {
    const char* const input = state.input;
    int p = state.position;
    while (is_xml_whitespace(input[p])) {
        ++p;
    }
    state.position = p;
    return input[p];
}

namespace {

// "<", "</" or "<?" at `at`, which is position `start` of the input.
Token read_tag_open(ParseState& state, const char* at, int start) {
    if (at[1] == '/') {
        state.position = start + 2;
        return Token{TokenKind::end_tag_open, at, 2, nullptr};
    }
    if (at[1] == '?') {
        state.position = start + 2;
        return Token{TokenKind::question_open, at, 2, nullptr};
    }
    state.position = start + 1;
    return Token{TokenKind::tag_open, at, 1, nullptr};
}

// Every token that is not one of the common ones scan_token reads itself.
Token scan_other_token(ParseState& state) {
    const char c = state.input[state.position];
    const int start = state.position;
    const char* const at = state.input + start;
    if (c == '\0') {
        return Token{TokenKind::end_of_text, nullptr, 0, nullptr};
    }
    if (const VerbatimMarker* const marker = match_marker(state.markers, at)) {
        state.position = start + static_cast<int>(std::strlen(marker->opening));
        return Token{TokenKind::verbatim_open, at, 0, marker};
    }
    switch (c) {
    case '"':
    case '\'':
        return read_quoted(state);
    case '<':
        return read_tag_open(state, at, start);
    case '=':
        state.position = start + 1;
        return Token{TokenKind::equals, at, 1, nullptr};
    case '>':
        state.position = start + 1;
        return Token{TokenKind::tag_close, at, 1, nullptr};
    case '/':
        if (at[1] == '>') {
            state.position = start + 2;
            return Token{TokenKind::empty_tag_close, at, 2, nullptr};
        }
        return read_word(state);
    default:
        return read_word(state);
    }
}

bool is_ascii_letter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Whether "<" followed by c may open a verbatim block of the standard table.
bool may_open_marker(char c) {
    const char folded = fold_ascii(c);
    return folded == '!' || folded == 'p' || folded == 's';
}

} // namespace

bool scan_start_tag(ParseState& state, Token& name) {
    const char* const input = state.input;
    int p = state.position;
    while (is_xml_whitespace(input[p])) {
        ++p;
    }
    const char c = input[p + (input[p] == '<' ? 1 : 0)];
    if (input[p] != '<' || state.markers != verbatim_markers || !(is_ascii_letter(c)) || may_open_marker(c)) {
        return false;
    }
    state.position = p + 1;
    name = read_word(state);
    return true;
}

bool scan_quoted_attribute(ParseState& state, Token& name, Token& value) {
    const char* const input = state.input;
    const int before = state.position;
    int p = before;
    while (is_xml_whitespace(input[p])) {
        ++p;
    }
    if (state.markers != verbatim_markers || !is_ascii_letter(input[p])) {
        return false;
    }
    state.position = p;
    const Token word = read_word(state);
    p = state.position;
    while (is_xml_whitespace(input[p])) {
        ++p;
    }
    if (input[p] == '=') {
        ++p;
        while (is_xml_whitespace(input[p])) {
            ++p;
        }
        const char quote = input[p];
        if (quote == '"' || quote == '\'') {
            const int stop = quoted_string_stop(input, p);
            if (input[stop] == quote) {
                name = word;
                value = Token{TokenKind::quoted, input + p, stop + 1 - p, nullptr};
                state.position = stop + 1;
                skip_whitespace(state);
                return true;
            }
        }
    }
    state.position = before; // not that run: the tokens are read one by one
    return false;
}

// The common tokens (tag punctuation, tag openings, words that start with a letter) are read
// here directly; the rest, in the same order of tests, by scan_other_token.
Token scan_token(ParseState& state) {
    const char* const input = state.input;
    int p = state.position;
    while (is_xml_whitespace(input[p])) {
        ++p;
    }
    state.position = p;
    const char* const at = input + p;
    const char c = *at;
    if (state.markers != verbatim_markers) {
        return scan_other_token(state);
    }
    if (c == '>') {
        state.position = p + 1;
        return Token{TokenKind::tag_close, at, 1, nullptr};
    }
    if (c == '/' && at[1] == '>') {
        state.position = p + 2;
        return Token{TokenKind::empty_tag_close, at, 2, nullptr};
    }
    if (c == '<' && !may_open_marker(at[1])) {
        return read_tag_open(state, at, p);
    }
    if (c == '=') {
        state.position = p + 1;
        return Token{TokenKind::equals, at, 1, nullptr};
    }
    if (c == '"' || c == '\'') {
        return read_quoted(state);
    }
    if (is_ascii_letter(c)) {
        return read_word(state);
    }
    return scan_other_token(state);
}

// Token boundaries matter in a text only where a quote may open a quoted string: at the start
// of a token, that is after whitespace, after "=", or right after a closed quoted string.
// Anywhere else a quote belongs to a word, like every character other than "<", ">", "/>" and
// the NUL. So the scan jumps from one of those few bytes to the next.
const char* skip_text_tokens(ParseState& state) {
    const char* const input = state.input;
    int p = state.position;
    while (is_xml_whitespace(input[p])) {
        ++p;
    }
    const int first = p;
    if (input[p] == '<') {
        state.position = p; // a tag right away: no text
        return nullptr;
    }
    int after_quoted = -1; // index just after the last closed quoted string
    for (;;) {
        p += static_cast<int>(std::strcspn(input + p, "<>/'\""));
        const char c = input[p];
        if (c == '\0' || c == '<' || c == '>' || (c == '/' && input[p + 1] == '>')) {
            break;
        }
        if (c == '/') {
            ++p;
            continue;
        }
        const bool at_token_start =
            p == first || p == after_quoted || is_xml_whitespace(input[p - 1]) || input[p - 1] == '=';
        if (at_token_start) {
            const int q = quoted_string_stop(input, p);
            if (input[q] == c) {
                p = q + 1;
                after_quoted = p;
                continue;
            }
            if (input[q] == '\0' && string_cut_by_end(input, p)) {
                p = q; // a string cut by the end of the text
                break;
            }
        }
        ++p; // a quote inside a word, or one that opens no string: a word character
    }
    state.position = p;
    return p == first ? nullptr : input + first;
}

bool end_name_matches(const char* name, const char* text) {
    if (name == nullptr) {
        return false;
    }
    const std::size_t length = std::strlen(name);
    for (std::size_t i = 0; i < length; ++i) {
        if (fold_ascii(text[i]) != fold_ascii(name[i])) {
            return false;
        }
    }
    switch (text[length]) {
    case '\n':
    case ' ':
    case '\t':
    case '\r':
    case '/':
    case '<':
    case '>':
    case '=':
        return true;
    default:
        return false;
    }
}

int trim_trailing_whitespace(const char* start, int length) {
    while (length > 0 && is_xml_whitespace(start[length - 1])) {
        --length;
    }
    return length;
}
