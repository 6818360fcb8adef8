#include "xml/entities.h"

#include <cstdlib>
#include <cstring>

namespace {

struct Entity {
    char character;
    const char* name; // after the "&", with its ";"
    int name_length;
};

// Tried in this order when decoding.
constexpr Entity entity_table[] = {
    {'<', "lt;", 3}, {'>', "gt;", 3}, {'&', "amp;", 4}, {'\'', "apos;", 5}, {'"', "quot;", 5},
};

char fold_ascii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool matches_folded(const char* text, const Entity& entity) {
    for (int i = 0; i < entity.name_length; ++i) {
        if (fold_ascii(text[i]) != entity.name[i])
            return false;
    }
    return true;
}

// The entity whose name starts at text, within available characters; null when none. The
// names differ in their first letter except "amp;" and "apos;", which differ in the second,
// so one look at the first letter picks the only candidate.
const Entity* match_entity(const char* text, int available) {
    if (available <= 0)
        return nullptr;
    const Entity* candidate = nullptr;
    switch (fold_ascii(text[0])) {
    case 'l':
        candidate = &entity_table[0];
        break;
    case 'g':
        candidate = &entity_table[1];
        break;
    case 'a':
        candidate = available > 1 && fold_ascii(text[1]) == 'p' ? &entity_table[3] : &entity_table[2];
        break;
    case 'q':
        candidate = &entity_table[4];
        break;
    default:
        return nullptr;
    }
    if (candidate->name_length > available || !matches_folded(text, *candidate))
        return nullptr;
    return candidate;
}

// Characters the encoded form of each byte takes: 1, or the length of its entity; 0 for NUL.
struct EncodedLengths {
    unsigned char of[256];
    constexpr EncodedLengths() : of{} {
        for (int c = 1; c < 256; ++c)
            of[c] = 1;
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

} // namespace

// The five characters that are written as entities.
constexpr const char* special_characters = "<>&'\"";

std::size_t encoded_length(const char* text) {
    std::size_t length = 0;
    for (const char* p = text;;) {
        const std::size_t run = std::strcspn(p, special_characters);
        length += run;
        p += run;
        if (*p == '\0')
            return length;
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
        if (*p == '\0')
            break;
        const unsigned char n = encoded_length_of(*p);
        std::memcpy(destination, entity_text(*p), n);
        destination += n;
        ++p;
    }
    *destination = '\0';
    return destination;
}

char* decode_entities(const char* start, int length, int& code) {
    if (start == nullptr)
        return nullptr;
    // The span ends at its length or at a NUL, whichever comes first.
    std::size_t span = length > 0 ? static_cast<std::size_t>(length) : 0;
    if (const void* const nul = std::memchr(start, '\0', span))
        span = static_cast<std::size_t>(static_cast<const char*>(nul) - start);
    const char* const end = start + span;
    // First pass: count and check, so the copy is allocated once at its exact size.
    std::size_t count = span;
    for (const char* p = start;
         (p = static_cast<const char*>(std::memchr(p, '&', static_cast<std::size_t>(end - p))));) {
        const Entity* const entity = match_entity(p + 1, static_cast<int>(end - p - 1));
        if (entity == nullptr) {
            code = 13;
            return nullptr;
        }
        count -= static_cast<std::size_t>(entity->name_length);
        p += 1 + entity->name_length;
    }
    char* const result = static_cast<char*>(std::malloc(count + 1));
    char* out = result;
    const char* p = start;
    for (const char* amp;
         (amp = static_cast<const char*>(std::memchr(p, '&', static_cast<std::size_t>(end - p))));) {
        const auto run = static_cast<std::size_t>(amp - p);
        std::memcpy(out, p, run);
        out += run;
        const Entity* const entity = match_entity(amp + 1, static_cast<int>(end - amp - 1));
        *out++ = entity->character;
        p = amp + 1 + entity->name_length;
    }
    const auto rest = static_cast<std::size_t>(end - p);
    std::memcpy(out, p, rest);
    out[rest] = '\0';
    return result;
}
