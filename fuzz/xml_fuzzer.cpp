// Parses arbitrary bytes, then writes the element found, counted and then written, in both
// forms; the two passes must agree and the tree must hold no NUL inside its strings. A text
// that gives a tree gives one also when cut short (a cut inside a quoted string may meet the
// error that a ">" after its opening quote is). Some inputs are parsed first with only a few allocations
// allowed: running out of memory must give parse_out_of_memory and release everything, and otherwise change
// nothing in the outcome.
#include "xml/allocation.h"
#include "xml/parser.h"
#include "xml/tokenizer.h"
#include "xml/utf16_conversion.h"
#include "xml/writer.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// The element written in all three forms, one after the other.
std::string write_both_ways(const Element* element) {
    std::string all;
    for (const int level : {0, -1, 3}) {
        const std::size_t count = write_element(element, nullptr, level);
        std::string buffer(count + 1, '\x7f');
        check(write_element(element, buffer.data(), level) == count);
        check(buffer[count] == '\0');
        check(std::strlen(buffer.c_str()) == count);
        all += buffer;
    }
    return all;
}

struct Outcome {
    ParseResult result;
    std::string written;
};

// The parser skips runs of text tokens in one scan; it must stop exactly where token-by-token
// scanning stops, and report the same start.
void check_text_skip(const char* text, int from) {
    ParseState by_token{text, from, 0, 0, nullptr, 0, 0, verbatim_markers, 0, 0};
    const char* first = nullptr;
    for (;;) {
        const int before = by_token.position;
        const Token token = scan_token(by_token);
        if (token.kind != TokenKind::word && token.kind != TokenKind::quoted &&
            token.kind != TokenKind::equals) {
            by_token.position = before;
            skip_whitespace(by_token);
            break;
        }
        if (first == nullptr) {
            first = token.start;
        }
    }
    ParseState skipped{text, from, 0, 0, nullptr, 0, 0, verbatim_markers, 0, 0};
    check(skip_text_tokens(skipped) == first);
    check(skipped.position == by_token.position);
}

Outcome parse_and_write(const char* text) {
    Outcome outcome{{-1, -1, -1}, {}};
    ParseResult& result = outcome.result;
    const ElementRef body = parse_document(text, &result);
    check(result.code >= parse_ok && result.code <= parse_out_of_memory);
    check(static_cast<bool>(body) == parse_keeps_tree(result.code));
    if (result.code != parse_ok && result.code != parse_first_tag_not_found &&
        result.code != parse_out_of_memory) {
        check(result.line >= 1 && result.column >= 1);
    }
    if (body) {
        check(body->parent == nullptr && body->references == 1);
        outcome.written = write_both_ways(body.get());
    }
    return outcome;
}

// The index of the opening quote of the string that index at falls inside (after its opening
// quote, before its closing one or the end that cut it), in a text read token by token as the
// parser reads it; npos when at is outside every string.
std::size_t quoted_string_around(const char* text, int at) {
    ParseState state{text, 0, 0, 0, nullptr, 0, 0, verbatim_markers, 0, 0};
    for (;;) {
        const Token token = scan_token(state);
        const int start = static_cast<int>(token.start - text);
        if (token.kind == TokenKind::end_of_text || start >= at) {
            return std::string::npos;
        }
        const bool string =
            token.kind == TokenKind::quoted ||
            (token.kind == TokenKind::word && (token.start[0] == '\'' || token.start[0] == '"'));
        if (string) {
            if (at < start + token.length) {
                return static_cast<std::size_t>(start);
            }
        } else if (token.kind == TokenKind::verbatim_open) {
            const char* const end = std::strstr(text + state.position, token.marker->closing);
            if (end == nullptr) {
                return std::string::npos;
            }
            state.position =
                static_cast<int>(end - text) + static_cast<int>(std::strlen(token.marker->closing));
        }
    }
}

// A text cut short loads what it holds: when the whole text gives a tree, so does every cut of
// it, unless the cut falls before "body" was opened, or inside a quoted string whose part
// before the cut holds a ">": the unclosed quote is then read as the start of a word, and
// that ">" may be an error.
void check_cuts(const std::string& text) {
    constexpr std::size_t cuts = 16;
    for (std::size_t cut = 0; cut < text.size(); cut += text.size() / cuts + 1) {
        ParseResult result{};
        const std::string kept = text.substr(0, cut);
        parse_document(kept.c_str(), &result);
        if (parse_keeps_tree(result.code) || result.code == parse_first_tag_not_found) {
            continue;
        }
        const std::size_t opening = quoted_string_around(text.c_str(), static_cast<int>(cut));
        check(result.code == parse_unexpected_token && opening != std::string::npos &&
              kept.find('>', opening) != std::string::npos);
    }
}

// With allowed allocations only: out of memory, or exactly the outcome of an unlimited parse.
void parse_with_limit(const char* text, long long allowed) {
    Outcome limited;
    {
        const AllocationLimitScope limit(allowed);
        limited = parse_and_write(text);
    }
    const Outcome full = parse_and_write(text);
    check(full.result.code != parse_out_of_memory);
    if (limited.result.code == parse_out_of_memory) {
        check(limited.result.line == 0 && limited.result.column == 0);
        return;
    }
    check(limited.result.code == full.result.code);
    if (full.result.code != parse_ok) {
        check(limited.result.line == full.result.line && limited.result.column == full.result.column);
    }
    check(limited.written == full.written);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    const int length = static_cast<int>(std::strlen(bytes.c_str()));
    check_text_skip(bytes.c_str(), 0);
    for (int i = 0, checked = 0; i < length && checked < 8; ++i) {
        if (bytes[i] == '>') {
            check_text_skip(bytes.c_str(), i + 1);
            ++checked;
        }
    }
    // A quarter of the inputs run short of memory after as many allocations as their last byte.
    if (size % 4 == 1) {
        parse_with_limit(bytes.c_str(), data[size - 1]);
    } else if (parse_keeps_tree(parse_and_write(bytes.c_str()).result.code)) {
        check_cuts(bytes.c_str());
    }
    // The loader's path: bytes taken for UTF-16 are converted first.
    LoadedText text;
    text.bytes.reset(static_cast<char*>(std::malloc(size + 1)));
    if (size > 0) {
        std::memcpy(text.bytes.get(), data, size);
    }
    text.bytes.get()[size] = '\0';
    text.size = size;
    if (convert_utf16_to_ansi(text) == Utf16Conversion::converted) {
        parse_and_write(text.bytes.get());
    }
    return 0;
}
