#include "model/text_list.h"

#include <algorithm>
#include <vector>

namespace {

Text* last_element(const TextList& list) {
    Text* e = list.first;
    while (e && e->chain) {
        e = e->chain;
    }
    return e;
}

// Appends copies of src's elements to an empty list, keeping a tail pointer so
// that the copy is linear.
void append_copies(TextList& dst, const TextList& src) {
    Text** tail = &dst.first;
    for (const Text* e = src.first; e; e = e->chain) {
        *tail = new Text(e->chars);
        tail = &(*tail)->chain;
    }
}

} // namespace

TextList::TextList(const TextList& other) {
    append_copies(*this, other);
}

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

void text_list_append(TextList& list, const char* s) {
    text_list_append_element(list, new Text(s));
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
    if (i < 0) {
        return nullptr;
    }
    Text* e = list.first;
    for (; e && i > 0; --i) {
        e = e->chain;
    }
    return e;
}

Text* text_list_remove(TextList& list, Text* e) {
    if (!e || !list.first) {
        return nullptr;
    }
    Text** link = &list.first;
    while (*link && *link != e) {
        link = &(*link)->chain;
    }
    if (!*link) {
        return nullptr;
    }
    Text* const successor = e->chain;
    *link = successor;
    delete e;
    return successor;
}

void text_list_clear(TextList& list) {
    Text* e = list.first;
    list.first = nullptr;
    while (e) {
        Text* const next = e->chain;
        delete e;
        e = next;
    }
}

void text_list_copy(TextList& dst, const TextList& src) {
    if (&dst == &src) {
        return;
    }
    // Build aside first: a failed allocation leaves dst as it was.
    TextList copy;
    append_copies(copy, src);
    dst = std::move(copy);
}

void text_list_insert_sorted(TextList& list, const char* s) {
    Text* const e = new Text(s);
    Text** link = &list.first;
    while (*link && compare_ignoring_ascii_case((*link)->chars, e->chars) <= 0) {
        link = &(*link)->chain;
    }
    e->chain = *link;
    *link = e;
}

void text_list_sort(TextList& list) {
    // Same result as inserting each element in turn with text_list_insert_sorted
    // (every element goes after its equals), without the quadratic walk.
    std::vector<Text*> elements;
    for (Text* e = list.first; e; e = e->chain) {
        elements.push_back(e);
    }
    std::stable_sort(elements.begin(), elements.end(), [](const Text* a, const Text* b) {
        return compare_ignoring_ascii_case(a->chars, b->chars) < 0;
    });
    Text** tail = &list.first;
    for (Text* const e : elements) {
        *tail = e;
        tail = &e->chain;
    }
    *tail = nullptr;
}

int text_list_length(const TextList& list) {
    int n = 0;
    for (const Text* e = list.first; e; e = e->chain) {
        ++n;
    }
    return n;
}
