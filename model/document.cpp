#include "model/document.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <unordered_set>
#include <utility>

namespace {

// Each distinct symbol (exact bytes) once, in order of first occurrence. The
// pointers point into the paragraphs' own symbols.
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

// The paragraphs, in document order, once per symbol for which matches(symbol) holds.
template <typename Match>
std::vector<const Paragraph*> paragraphs_with_symbols_where(const Document& d, Match matches) {
    std::vector<const Paragraph*> found;
    for (const Paragraph* p = d.paragraphs; p; p = p->next_paragraph) {
        for (const Text* x = p->symbols.first; x; x = x->chain) {
            if (matches(x->chars)) {
                found.push_back(p);
            }
        }
    }
    return found;
}

} // namespace

Paragraph::Paragraph(const Paragraph& other) : text(other.text), symbols(other.symbols) {}

Paragraph& Paragraph::operator=(const Paragraph& other) {
    if (this != &other) {
        paragraph_assign(*this, other);
    }
    return *this;
}

Paragraph::Paragraph(Paragraph&& other) noexcept
    : text(std::move(other.text)), symbols(std::move(other.symbols)) {}

Paragraph& Paragraph::operator=(Paragraph&& other) noexcept {
    text = std::move(other.text);
    symbols = std::move(other.symbols);
    return *this;
}

Document::~Document() {
    paragraph_list_clear(*this);
}

Paragraph& paragraph_assign(Paragraph& dst, const Paragraph& src) {
    // Copy both parts aside first: should the symbols' copy fail, dst keeps
    // its old text as well.
    Paragraph copy(src);
    dst.text = std::move(copy.text);
    dst.symbols = std::move(copy.symbols);
    return dst;
}

void link_symbol_after(Paragraph& p, int k, Text* e) {
    if (!e) {
        return;
    }
    Text* const anchor = text_list_at(p.symbols, k);
    if (!anchor) {
        // No selection, or a position that no longer exists: link it last
        // rather than dropping the symbol.
        text_list_append_element(p.symbols, e);
        return;
    }
    e->chain = anchor->chain;
    anchor->chain = e;
}

void unlink_symbol_at(Paragraph& p, int k) {
    text_list_remove(p.symbols, text_list_at(p.symbols, k));
}

Paragraph* paragraph_at(const Document& d, int i) {
    return chain_at<Paragraph, &Paragraph::next_paragraph>(d.paragraphs, i);
}

void paragraph_list_append(Document& d, Paragraph* p) {
    if (!p) {
        return;
    }
    p->next_paragraph = nullptr;
    Paragraph** link = &d.paragraphs;
    while (*link) {
        link = &(*link)->next_paragraph;
    }
    *link = p;
}

void paragraph_list_prepend(Document& d, Paragraph* p) {
    if (!p) {
        return;
    }
    p->next_paragraph = d.paragraphs;
    d.paragraphs = p;
}

void paragraph_list_insert_after(Paragraph* q, Paragraph* p) {
    if (!p) {
        return;
    }
    if (!q) {
        delete p; // owned but with nowhere to go
        return;
    }
    p->next_paragraph = q->next_paragraph;
    q->next_paragraph = p;
}

Paragraph* paragraph_list_remove(Document& d, Paragraph* p) {
    return chain_remove<Paragraph, &Paragraph::next_paragraph>(d.paragraphs, p);
}

void paragraph_list_clear(Document& d) {
    chain_clear<Paragraph, &Paragraph::next_paragraph>(d.paragraphs);
}

void rebuild_all_symbols(Document& d) {
    std::vector<const char*> symbols = distinct_symbols(d);
    // Stable: symbols equal but for case stay in first-occurrence order, as
    // sorted insertion of that sequence would leave them.
    std::stable_sort(symbols.begin(), symbols.end(),
                     [](const char* a, const char* b) { return compare_ignoring_ascii_case(a, b) < 0; });
    // Built aside, so that a failed allocation leaves the old list.
    TextList sorted;
    Text** tail = &sorted.first;
    for (const char* const s : symbols) {
        *tail = new Text(s);
        tail = &(*tail)->chain;
    }
    d.all_symbols = std::move(sorted);
}

std::vector<const Paragraph*> paragraphs_with_symbol(const Document& d, const char* s) {
    if (!s) {
        return {};
    }
    return paragraphs_with_symbols_where(d, [s](const char* symbol) { return std::strcmp(symbol, s) == 0; });
}

std::vector<const Paragraph*> paragraphs_with_symbol_containing(const Document& d, const char* t) {
    if (!t) {
        return {};
    }
    const std::string_view wanted(t);
    return paragraphs_with_symbols_where(d, [wanted](const char* symbol) {
        return std::string_view(symbol).find(wanted) != std::string_view::npos;
    });
}
