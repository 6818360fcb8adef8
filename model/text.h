#pragma once

#include <cstddef>

// An owned, NUL-terminated 8-bit string. `chars` is never null and is always
// exactly length + 1 bytes; change it only through the functions below.
struct Text {
    Text* chain = nullptr; // next element while in a TextList
    char* chars;           // owned; empty = one NUL byte

    Text();
    explicit Text(const char* s);           // exact-size copy; null -> empty
    Text(const Text& other);                // deep copy; chain = nullptr
    Text& operator=(const Text& other);     // deep copy of chars; chain unchanged
    Text(Text&& other) noexcept;            // other is left a valid empty Text
    Text& operator=(Text&& other) noexcept; // other is left a valid empty Text; chains unchanged
    ~Text();

    std::size_t length() const;
};

// Replaces t's content with an exact-size copy of s; null s leaves t unchanged.
void text_assign(Text& t, const char* s);
// Replaces t's content with t's old content followed by s; null s leaves t unchanged.
void text_append(Text& t, const char* s);

// The order used to sort symbols: bytes compared unsigned, only 'A'-'Z' folded
// to lower case. Returns <0, 0 or >0. Null is treated as "".
int compare_ignoring_ascii_case(const char* a, const char* b);
