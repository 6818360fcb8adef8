// Parses arbitrary bytes, then writes the element found, counted and then written, in both
// forms; the two passes must agree and the tree must hold no NUL inside its strings.
#include "xml/parser.h"
#include "xml/utf16.h"
#include "xml/writer.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
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

void parse_and_write(const char* text) {
    ParseResult result{-1, -1, -1};
    const ElementRef body = parse_document(text, &result);
    check(growth_step == 0);
    check(result.code >= parse_ok && result.code <= parse_nested_too_deeply);
    const bool kept = result.code == parse_ok || result.code == parse_unmatched_end_tag_warning;
    check(static_cast<bool>(body) == kept);
    if (result.code != parse_ok && result.code != parse_first_tag_not_found)
        check(result.line >= 1 && result.column >= 1);
    if (body) {
        check(body->parent == nullptr && body->references == 1);
        write_both_ways(body.get());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    parse_and_write(bytes.c_str());
    // The loader's path: bytes taken for UTF-16 are converted first.
    if (convert_utf16_to_ansi(bytes))
        parse_and_write(bytes.c_str());
    return 0;
}
