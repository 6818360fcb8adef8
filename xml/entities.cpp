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

// The entity whose name starts at text, within available characters; null when none.
const Entity* match_entity(const char* text, int available) {
    for (const Entity& entity : entity_table) {
        if (entity.name_length > available)
            continue;
        int i = 0;
        while (i < entity.name_length && fold_ascii(text[i]) == entity.name[i])
            ++i;
        if (i == entity.name_length)
            return &entity;
    }
    return nullptr;
}

// Extra characters the entity of c needs beyond c itself.
int extra_length(char c) {
    switch (c) {
    case '<':
    case '>':
        return 3;
    case '&':
        return 4;
    case '\'':
    case '"':
        return 5;
    default:
        return 0;
    }
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
    case '"':
        return "&quot;";
    default:
        return nullptr;
    }
}

} // namespace

std::size_t encoded_length(const char* text) {
    std::size_t length = 0;
    for (const char* p = text; *p != '\0'; ++p)
        length += 1 + static_cast<std::size_t>(extra_length(*p));
    return length;
}

void encode_entities(const char* text, char* destination) {
    for (const char* p = text; *p != '\0'; ++p) {
        const char* const entity = entity_text(*p);
        if (entity == nullptr) {
            *destination++ = *p;
            continue;
        }
        const std::size_t n = std::strlen(entity);
        std::memcpy(destination, entity, n);
        destination += n;
    }
    *destination = '\0';
}

char* decode_entities(const char* start, int length, int& code) {
    if (start == nullptr)
        return nullptr;
    // First pass: count and check, so the copy is allocated once at its exact size.
    int count = 0;
    int plain_run = 1; // stays 1 while the span holds no "&": then the copy is a plain memcpy
    int i = 0;
    while (i < length && start[i] != '\0') {
        if (start[i] == '&') {
            const Entity* const entity = match_entity(start + i + 1, length - i - 1);
            if (entity == nullptr) {
                code = 13;
                return nullptr;
            }
            i += 1 + entity->name_length;
            plain_run = 0;
        } else {
            ++i;
        }
        ++count;
    }
    char* const result = static_cast<char*>(std::malloc(static_cast<std::size_t>(count) + 1));
    if (plain_run != 0) {
        std::memcpy(result, start, static_cast<std::size_t>(count));
        result[count] = '\0';
        return result;
    }
    char* out = result;
    for (int k = 0; k < i;) {
        if (start[k] == '&') {
            const Entity* const entity = match_entity(start + k + 1, length - k - 1);
            *out++ = entity->character;
            k += 1 + entity->name_length;
        } else {
            *out++ = start[k++];
        }
    }
    *out = '\0';
    return result;
}
