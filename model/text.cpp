#include "model/text.h"

#include <cstring>

namespace {

// An empty Text, also a moved-from one, points here instead of owning a
// buffer: moves need no allocation and cannot throw, and the many empty
// texts of a document (new paragraphs, texts about to be assigned) cost none.
char empty_chars[1] = {'\0'};

char* copy_chars(const char* s, std::size_t n) {
    if (n == 0) {
        return empty_chars;
    }
    char* const buffer = new char[n + 1];
    std::memcpy(buffer, s, n);
    buffer[n] = '\0';
    return buffer;
}

char* copy_chars(const char* s) {
    return s ? copy_chars(s, std::strlen(s)) : copy_chars("", 0);
}

void release_chars(char* chars) {
    if (chars != empty_chars) {
        delete[] chars;
    }
}

unsigned char fold_ascii_upper(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

Text* last_element(const TextList& list) {
    Text* e = list.first;
    while (e && e->chain) {
        e = e->chain;
    }
    return e;
}

// Copies of src's elements as a new list, built with a tail pointer so that
// the copy is linear. Should an allocation fail, the local list frees what was
// copied so far.
TextList copy_of(const TextList& src) {
    TextList copy;
    Text** tail = &copy.first;
    for (const Text* e = src.first; e; e = e->chain) {
        *tail = new Text(e->chars);
        tail = &(*tail)->chain;
    }
    return copy;
}

} // namespace

Text::Text() noexcept : chars(empty_chars) {}

Text::Text(const char* s) : chars(copy_chars(s)) {}

Text::Text(const Text& other) : chars(copy_chars(other.chars)) {}

Text& Text::operator=(const Text& other) {
    if (this != &other) {
        text_assign(*this, other.chars);
    }
    return *this;
}

Text::Text(Text&& other) noexcept : chars(other.chars) {
    other.chars = empty_chars;
}

Text& Text::operator=(Text&& other) noexcept {
    if (this != &other) {
        release_chars(chars);
        chars = other.chars;
        other.chars = empty_chars;
    }
    return *this;
}

Text::~Text() {
    release_chars(chars);
}

void text_assign(Text& t, const char* s) {
    if (!s) {
        return;
    }
    // Copy before releasing: s may point into t's own buffer.
    char* const buffer = copy_chars(s);
    release_chars(t.chars);
    t.chars = buffer;
}

void text_append(Text& t, const char* s) {
    if (!s) {
        return;
    }
    const std::size_t old_length = std::strlen(t.chars);
    const std::size_t added_length = std::strlen(s);
    char* const buffer = new char[old_length + added_length + 1];
    std::memcpy(buffer, t.chars, old_length);
    std::memcpy(buffer + old_length, s, added_length);
    buffer[old_length + added_length] = '\0';
    release_chars(t.chars);
    t.chars = buffer;
}

int compare_ignoring_ascii_case(const char* a, const char* b) {
    const auto* x = reinterpret_cast<const unsigned char*>(a ? a : "");
    const auto* y = reinterpret_cast<const unsigned char*>(b ? b : "");
    for (;; ++x, ++y) {
        const int cx = fold_ascii_upper(*x);
        const int cy = fold_ascii_upper(*y);
        if (cx != cy || cx == 0) {
            return cx - cy;
        }
    }
}

TextList::TextList(const TextList& other) : TextList(copy_of(other)) {}

TextList& TextList::operator=(const TextList& other) {
    if (this != &other) {
        text_list_copy(*this, other);
    }
    return *this;
}

TextList::TextList(TextList&& other) noexcept : first(other.first) {
    other.first = nullptr;
}

TextList& TextList::operator=(TextList&& other) noexcept {
    if (this != &other) {
        text_list_clear(*this);
        first = other.first;
        other.first = nullptr;
    }
    return *this;
}

TextList::~TextList() {
    text_list_clear(*this);
}

Text* text_list_append_element(TextList& list, Text* e) {
    if (!e) {
        return nullptr;
    }
    e->chain = nullptr;
    if (Text* const last = last_element(list)) {
        last->chain = e;
    } else {
        list.first = e;
    }
    return e;
}

Text* text_list_at(const TextList& list, int i) {
    return chain_at<Text, &Text::chain>(list.first, i);
}

Text* text_list_remove(TextList& list, Text* e) {
    return chain_remove<Text, &Text::chain>(list.first, e);
}

void text_list_clear(TextList& list) {
    chain_clear<Text, &Text::chain>(list.first);
}

void text_list_copy(TextList& dst, const TextList& src) {
    if (&dst == &src) {
        return;
    }
    // Copy aside first: a failed allocation leaves dst as it was.
    dst = copy_of(src);
}
