#pragma once

// The plain algorithms the model's fast versions must agree with: nested walks
// over every paragraph and symbol, and sorting by repeated sorted insertion.
// Shared by the tests and the benchmark.

#include "model/document.h"

#include <cstring>
#include <vector>

inline void reference_text_list_sort(TextList& list) {
    TextList sorted;
    for (const Text* e = list.first; e; e = e->chain) {
        text_list_insert_sorted(sorted, e->chars);
    }
    text_list_clear(list);
    for (const Text* e = sorted.first; e; e = e->chain) {
        text_list_append(list, e->chars);
    }
}

inline bool reference_list_contains(const TextList& list, const char* s) {
    for (const Text* e = list.first; e; e = e->chain) {
        if (std::strcmp(e->chars, s) == 0) {
            return true;
        }
    }
    return false;
}

inline void reference_rebuild_all_symbols(Document& d) {
    text_list_clear(d.all_symbols);
    for (const Paragraph* p = d.paragraphs; p; p = p->next_paragraph) {
        for (const Text* x = p->symbols.first; x; x = x->chain) {
            if (!reference_list_contains(d.all_symbols, x->chars)) {
                text_list_append(d.all_symbols, x->chars);
            }
        }
    }
    reference_text_list_sort(d.all_symbols);
}

inline std::vector<const Paragraph*> reference_paragraphs_with_symbol(const Document& d, const char* s) {
    std::vector<const Paragraph*> found;
    for (const Paragraph* p = d.paragraphs; p; p = p->next_paragraph) {
        for (const Text* x = p->symbols.first; x; x = x->chain) {
            if (std::strcmp(x->chars, s) == 0) {
                found.push_back(p);
            }
        }
    }
    return found;
}

inline std::vector<const Paragraph*> reference_paragraphs_with_symbol_containing(const Document& d,
                                                                                 const char* t) {
    std::vector<const Paragraph*> found;
    for (const Paragraph* p = d.paragraphs; p; p = p->next_paragraph) {
        for (const Text* x = p->symbols.first; x; x = x->chain) {
            if (std::strstr(x->chars, t)) {
                found.push_back(p);
            }
        }
    }
    return found;
}
