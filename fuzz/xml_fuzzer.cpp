// Parses arbitrary bytes, then writes the element found, counted and then written, in both
// forms; the two passes must agree and the tree must hold no NUL inside its strings.
#include "xml/parser.h"
#include "xml/tokenizer.h"
#include "xml/utf16.h"
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

void write_both_ways(const Element* element) {
    for (const int level : {0, -1, 3}) {
        const std::size_t count = write_element(element, nullptr, level);
        std::string buffer(count + 1, '\x7f');
        check(write_element(element, buffer.data(), level) == count);
        check(buffer[count] == '\0');
        check(std::strlen(buffer.c_str()) == count);
    }
}

// The parser skips runs of text tokens in one scan; it must stop exactly where token-by-token
// scanning stops, and report the same start.
void check_text_skip(const char* text, int from) {
    ParseState by_token{text, from, 0, 0, nullptr, 0, 0, verbatim_markers, 0};
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
    ParseState skipped{text, from, 0, 0, nullptr, 0, 0, verbatim_markers, 0};
    check(skip_text_tokens(skipped) == first);
    check(skipped.position == by_token.position);
}

void parse_and_write(const char* text) {
    ParseResult result{-1, -1, -1};
    const ElementRef body = parse_document(text, &result);
    check(growth_step == 0);
    check(result.code >= parse_ok && result.code <= parse_nested_too_deeply);
    const bool kept = result.code == parse_ok || result.code == parse_unmatched_end_tag_warning;
    check(static_cast<bool>(body) == kept);
    if (result.code != parse_ok && result.code != parse_first_tag_not_found) {
        check(result.line >= 1 && result.column >= 1);
    }
    if (body) {
        check(body->parent == nullptr && body->references == 1);
        write_both_ways(body.get());
    }
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
    parse_and_write(bytes.c_str());
    // The loader's path: bytes taken for UTF-16 are converted first.
    if (convert_utf16_to_ansi(bytes)) {
        parse_and_write(bytes.c_str());
    }
    return 0;
}
