#include "model/symbol_index.h"

#include "model/document.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <unordered_set>

namespace {

// Each distinct symbol (exact bytes) once, in order of first occurrence. The
// views point into the paragraphs' own symbols.
std::vector<const char*> distinct_symbols(const Document& d) {
    std::unordered_set<std::string_view> seen;
    std::vector<const char*> distinct;
    for (const Paragraph* p = d.paragraphs; p; p = p->next_paragraph) {
        for (const Text* x = p->symbols.first; x; x = x->chain) {
            if (seen.insert(std::string_view(x->chars)).second) {
                distinct.push_back(x->chars);
            }
        }
    }
    return distinct;
}

} // namespace

void rebuild_all_symbols(Document& d) {
    std::vector<const char*> symbols = distinct_symbols(d);
    // Stable: symbols equal but for case stay in first-occurrence order, as
    // sorted insertion of that sequence would leave them.
    std::stable_sort(symbols.begin(), symbols.end(),
                     [](const char* a, const char* b) { return compare_ignoring_ascii_case(a, b) < 0; });
    TextList sorted;
    Text** tail = &sorted.first;
    for (const char* const s : symbols) {
        *tail = new Text(s);
        tail = &(*tail)->chain;
    }
    d.all_symbols = std::move(sorted);
}

std::vector<const Paragraph*> paragraphs_with_symbol(const Document& d, const char* s) {
    std::vector<const Paragraph*> found;
    if (!s) {
        return found;
    }
    for (const Paragraph* p = d.paragraphs; p; p = p->next_paragraph) {
        for (const Text* x = p->symbols.first; x; x = x->chain) {
            if (std::strcmp(x->chars, s) == 0) {
                found.push_back(p);
            }
        }
    }
    return found;
}

std::vector<const Paragraph*> paragraphs_with_symbol_containing(const Document& d, const char* t) {
    std::vector<const Paragraph*> found;
    if (!t) {
        return found;
    }
    const std::string_view wanted(t);
    for (const Paragraph* p = d.paragraphs; p; p = p->next_paragraph) {
        for (const Text* x = p->symbols.first; x; x = x->chain) {
            if (std::string_view(x->chars).find(wanted) != std::string_view::npos) {
                found.push_back(p);
            }
        }
    }
    return found;
}
