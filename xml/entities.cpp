#include "xml/entities.h"

#include "xml/allocation.h"
#include "xml/element.h"
#include "xml/parser.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

struct Entity {
    const char* name; // after the "&", with its ";"
    int name_length;
    char character;
};

// Tried in this order when decoding.
constexpr Entity entity_table[] = {
    {"lt;", 3, '<'}, {"gt;", 3, '>'}, {"amp;", 4, '&'}, {"apos;", 5, '\''}, {"quot;", 5, '"'},
};

// True when text[i] is the letter lower or its upper-case form.
bool letter_at(const char* text, int i, int available, char lower) {
    return i < available && fold_ascii(text[i]) == lower;
}

bool semicolon_at(const char* text, int i, int available) {
    return i < available && text[i] == ';';
}

// The entity whose name starts at text, within available characters; null when none. The
// names differ in their first letter except "amp;" and "apos;", which differ in the second,
// so the first letters pick the only candidate, in the table's order of trying.
const Entity* match_entity(const char* text, int available) {
    if (available < 3) {
        return nullptr;
    }
    switch (fold_ascii(text[0])) {
    case 'l':
        return letter_at(text, 1, available, 't') && semicolon_at(text, 2, available) ? &entity_table[0]
                                                                                      : nullptr;
    case 'g':
        return letter_at(text, 1, available, 't') && semicolon_at(text, 2, available) ? &entity_table[1]
                                                                                      : nullptr;
    case 'a':
        if (letter_at(text, 1, available, 'm')) {
            return letter_at(text, 2, available, 'p') && semicolon_at(text, 3, available) ? &entity_table[2]
                                                                                          : nullptr;
        }
        return letter_at(text, 1, available, 'p') && letter_at(text, 2, available, 'o') &&
                       letter_at(text, 3, available, 's') && semicolon_at(text, 4, available)
                   ? &entity_table[3]
                   : nullptr;
    case 'q':
        return letter_at(text, 1, available, 'u') && letter_at(text, 2, available, 'o') &&
                       letter_at(text, 3, available, 't') && semicolon_at(text, 4, available)
                   ? &entity_table[4]
                   : nullptr;
    default:
        return nullptr;
    }
}

// Characters the encoded form of each byte takes: 1, or the length of its entity; 0 for NUL.
struct EncodedLengths {
    unsigned char of[256];
    constexpr EncodedLengths() : of{} {
        for (int c = 1; c < 256; ++c) {
            of[c] = 1;
        }
        of[static_cast<unsigned char>('<')] = 4;
        of[static_cast<unsigned char>('>')] = 4;
        of[static_cast<unsigned char>('&')] = 5;
        of[static_cast<unsigned char>('\'')] = 6;
        of[static_cast<unsigned char>('"')] = 6;
    }
};
constexpr EncodedLengths encoded_lengths;

unsigned char encoded_length_of(char c) {
    return encoded_lengths.of[static_cast<unsigned char>(c)];
}

const char* entity_text(char c) {
    switch (c) {
    case '<':
        return "&lt;";
    case '>':
        return "&gt;";
    case '&':
        return "&amp;";
    case '\'':
        return "&apos;";
    default:
        return "&quot;";
    }
}

// True when the n characters at text begin one of the names without completing it.
bool begins_entity_name(const char* text, int n) {
    for (const Entity& entity : entity_table) {
        int matched = 0;
        while (matched < n && matched < entity.name_length &&
               fold_ascii(text[matched]) == entity.name[matched]) {
            ++matched;
        }
        if (matched == n && n < entity.name_length) {
            return true;
        }
    }
    return false;
}

} // namespace

// The five characters that are written as entities.
constexpr const char* special_characters = "<>&'\"";

std::size_t encoded_length(const char* text) {
    std::size_t length = 0;
    for (const char* p = text;;) {
        const std::size_t run = std::strcspn(p, special_characters);
        length += run;
        p += run;
        if (*p == '\0') {
            return length;
        }
        length += encoded_length_of(*p);
        ++p;
    }
}

void encode_entities(const char* text, char* destination) {
    encode_entities_to_end(text, destination);
}

char* encode_entities_to_end(const char* text, char* destination) {
    for (const char* p = text;;) {
        // Copy the run of characters that stand for themselves in one move.
        const std::size_t run = std::strcspn(p, special_characters);
        std::memcpy(destination, p, run);
        destination += run;
        p += run;
        if (*p == '\0') {
            break;
        }
        const unsigned char n = encoded_length_of(*p);
        std::memcpy(destination, entity_text(*p), n);
        destination += n;
        ++p;
    }
    *destination = '\0';
    return destination;
}

char* decode_entities(const char* start, int length, int& code) {
    if (start == nullptr) {
        return nullptr;
    }
    // The span ends at its length or at a NUL, whichever comes first.
    std::size_t span = length > 0 ? static_cast<std::size_t>(length) : 0;
    if (const void* const nul = std::memchr(start, '\0', span)) {
        span = static_cast<std::size_t>(static_cast<const char*>(nul) - start);
    }
    return decode_entities_in_span(start, static_cast<int>(span), code);
}

char* decode_entities_in_span(const char* start, int length, int& code) {
    // Entities only shorten the text: one allocation of the span's size holds any result, so
    // the text is checked and decoded in a single pass.
    char* const result = static_cast<char*>(xml_malloc(static_cast<std::size_t>(length) + 1));
    if (result == nullptr) {
        code = parse_out_of_memory;
        return nullptr;
    }
    if (decode_entities_to(start, length, result) == nullptr) {
        std::free(result);
        code = parse_unknown_entity;
        return nullptr;
    }
    return result;
}

namespace {

// Whether any of the eight bytes of x is an ampersand.
bool holds_ampersand(std::uint64_t x) {
    constexpr std::uint64_t ones = 0x0101010101010101ULL;
    constexpr std::uint64_t highs = 0x8080808080808080ULL;
    const std::uint64_t y = x ^ (ones * static_cast<unsigned char>('&'));
    return ((y - ones) & ~y & highs) != 0;
}

} // namespace

char* decode_entities_to(const char* start, int length, char* out) {
    const char* p = start;
    const char* const end = start + length;
    for (;;) {
        // Many characters at a time up to the next ampersand; the output never runs ahead of the
        // input, so it has room for them.
#if defined(__SSE2__)
        const __m128i ampersands = _mm_set1_epi8('&');
        while (end - p >= 16) {
            const __m128i sixteen = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out), sixteen);
            const int found = _mm_movemask_epi8(_mm_cmpeq_epi8(sixteen, ampersands));
            if (found != 0) {
                const int before = __builtin_ctz(static_cast<unsigned>(found));
                p += before;
                out += before;
                break;
            }
            p += 16;
            out += 16;
        }
#endif
        while (end - p >= 8) {
            std::uint64_t eight = 0;
            std::memcpy(&eight, p, 8);
            if (holds_ampersand(eight)) {
                break;
            }
            std::memcpy(out, &eight, 8);
            out += 8;
            p += 8;
        }
        while (p < end && *p != '&') {
            *out++ = *p++;
        }
        if (p == end) {
            *out = '\0';
            return out;
        }
        const Entity* const entity = match_entity(p + 1, static_cast<int>(end - p - 1));
        if (entity == nullptr) {
            return nullptr;
        }
        *out++ = entity->character;
        p += 1 + entity->name_length;
    }
}

int without_cut_entity(const char* start, int length) {
    constexpr int longest_name = 5;
    for (int at = length - 1; at >= 0 && at >= length - longest_name; --at) {
        if (start[at] == '&') {
            return begins_entity_name(start + at + 1, length - at - 1) ? at : length;
        }
    }
    return length;
}
