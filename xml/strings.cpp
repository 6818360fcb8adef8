#include "xml/element.h"

#include <cstdlib>
#include <cstring>

char* copy_span(const char* start, int n) {
    if (n < 0) {
        n = 0;
    }
    char* const copy = static_cast<char*>(std::malloc(static_cast<std::size_t>(n) + 1));
    if (n > 0) {
        std::memcpy(copy, start, static_cast<std::size_t>(n));
    }
    copy[n] = '\0';
    return copy;
}

char* copy_string(const char* s) {
    if (s == nullptr) {
        return nullptr;
    }
    const std::size_t length = std::strlen(s);
    char* const copy = static_cast<char*>(std::malloc(length + 1));
    std::memcpy(copy, s, length + 1);
    return copy;
}

namespace {
char fold_ascii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
} // namespace

bool names_equal(const char* a, const char* b) {
    if (a == nullptr || b == nullptr) {
        return false;
    }
    for (; *a != '\0' && *b != '\0'; ++a, ++b) {
        if (fold_ascii(*a) != fold_ascii(*b)) {
            return false;
        }
    }
    return *a == *b;
}
