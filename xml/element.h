// The in-memory XML tree: reference-counted elements that own their strings.
#pragma once

#include "xml/element_ref.h"

struct Attribute {
    char* name;  // owned; never null in a stored attribute
    char* value; // owned; null for an attribute written without a value
};

struct VerbatimBlock {
    const char* opening; // points into the marker table, not owned
    char* content;       // owned, raw (no entity processing)
    const char* closing; // points into the marker table, not owned
};

struct Element {
    char* name; // null only for an unnamed document root
    int child_count;
    int text_count;
    int block_count;
    int attribute_count;
    int question_tag; // nonzero when opened with "<?"
    Element* parent;  // not counted
    Element** children;
    char** texts;
    VerbatimBlock* blocks;
    Attribute* attributes;
    int* content_order; // entry = index * 4 + content_kind
    int references;
};

// Kinds stored in the low two bits of a content_order entry.
enum content_kind : int { content_child = 0, content_attribute = 1, content_text = 2, content_block = 3 };

inline int content_entry_kind(int entry) {
    return entry & 3;
}
inline int content_entry_index(int entry) {
    return entry >> 2;
}

// Array growth step: 0 outside a parse (every add reallocates to the exact size), 50 during one.
extern int growth_step;

// Owned strings handed to the tree are allocated with these (malloc) and freed by the tree (free).
char* copy_string(const char* s); // null -> null
char* copy_span(const char* start, int n);

ElementRef new_element(Element* parent, char* name, bool question_tag);
ElementRef new_document_root();
ElementRef append_child(Element* element, char* name, bool question_tag); // takes ownership of name
Attribute* append_attribute(Element* element, char* name, char* value);   // takes ownership of both
char* append_text(Element* element, char* text);                          // takes ownership
VerbatimBlock* append_verbatim_block(Element* element, char* content, const char* opening,
                                     const char* closing);

ElementRef child_at(const ElementRef& handle, int index);
int count_children_named(const ElementRef& handle, const char* name);
const char* attribute_value_named(const Element* element, const char* name, int n);
const char* first_text(const Element* element);

void release_element(Element* element);
void unlink_from_parent(Element* element);
void compact_element(Element* element);

// Equality ignoring the case of ASCII letters only, as XML names are matched here.
bool names_equal(const char* a, const char* b);
