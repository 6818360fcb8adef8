#include "model/document.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <utility>

namespace {

std::vector<const Paragraph*> in_document_order(std::vector<const Paragraph*> found) {
    std::sort(found.begin(), found.end(),
              [](const Paragraph* a, const Paragraph* b) { return a->place < b->place; });
    return found;
}

// Unlinks e from p's symbols without destroying it.
void detach_symbol(Paragraph& p, Text* e) {
    Text** link = &p.symbols.first;
    while (*link != e) {
        link = &(*link)->chain;
    }
    *link = e->chain;
    e->chain = nullptr;
}

// A chain handed over but not yet the document's: destroyed if it never becomes so.
struct ChainGuard {
    Paragraph* first;
    explicit ChainGuard(Paragraph* chain) : first(chain) {}
    ChainGuard(const ChainGuard&) = delete;
    ChainGuard& operator=(const ChainGuard&) = delete;
    ~ChainGuard() { chain_clear<Paragraph, &Paragraph::next_paragraph>(first); }
};

// Unlinks the paragraph at position i, which must exist, and destroys it; room
// for its symbols' edits must have been reserved. Returns its successor.
Paragraph* remove_reserved(Document& d, int i) noexcept {
    Paragraph* const p = d.order.at(i);
    d.all_symbols.remove_links(*p);
    Paragraph* const next = p->next_paragraph;
    if (i == 0) {
        d.paragraphs = next;
    } else {
        d.order.at(i - 1)->next_paragraph = next;
    }
    d.order.erase(i);
    delete p;
    return next;
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

void link_symbol_after(Document& d, Paragraph& p, int k, Text* e) {
    if (!e) {
        return;
    }
    link_symbol_after(p, k, e);
    try {
        d.all_symbols.add_link(p, *e);
    } catch (...) {
        text_list_remove(p.symbols, e);
        throw;
    }
}

void unlink_symbol_at(Document& d, Paragraph& p, int k) {
    Text* const e = text_list_at(p.symbols, k);
    if (!e) {
        return;
    }
    d.all_symbols.reserve_for_removal(p, e);
    detach_symbol(p, e);
    const std::unique_ptr<Text> unlinked(e);
    d.all_symbols.remove_link(p, *unlinked);
}

void set_paragraph_text(Document& d, Paragraph& p, Text&& text) noexcept {
    p.text = std::move(text);
    d.order.text_changed(d.order.position_of(&p));
}

int paragraph_count(const Document& d) {
    return d.order.size();
}

Paragraph* paragraph_at(const Document& d, int i) {
    return d.order.at(i);
}

int position_of(const Document& d, const Paragraph* p) {
    return d.order.position_of(p);
}

int first_paragraph_with_text(const Document& d, const char* text) {
    return text != nullptr ? d.order.first_with_text(text) : -1;
}

void paragraph_list_insert_at(Document& d, int i, Paragraph* p) {
    if (!p) {
        return;
    }
    std::unique_ptr<Paragraph> owned(p);
    const int count = d.order.size();
    if (i < 0 || i > count) {
        i = count;
    }
    d.order.reserve_one_more();
    d.order.insert(i, p); // placed first: where its symbols stand depends on it
    try {
        d.all_symbols.add_links(*p);
    } catch (...) {
        d.order.erase(i);
        throw;
    }
    p->next_paragraph = d.order.at(i + 1);
    if (i == 0) {
        d.paragraphs = p;
    } else {
        d.order.at(i - 1)->next_paragraph = p;
    }
    static_cast<void>(owned.release()); // the document owns it now
}

void paragraph_list_append(Document& d, Paragraph* p) {
    paragraph_list_insert_at(d, d.order.size(), p);
}

void paragraph_list_prepend(Document& d, Paragraph* p) {
    paragraph_list_insert_at(d, 0, p);
}

void paragraph_list_insert_after(Document& d, Paragraph* q, Paragraph* p) {
    const int position = d.order.position_of(q);
    if (position < 0) {
        delete p; // owned but with nowhere to go
        return;
    }
    paragraph_list_insert_at(d, position + 1, p);
}

Paragraph* paragraph_list_remove(Document& d, Paragraph* p) {
    const int position = d.order.position_of(p);
    if (position < 0) {
        return nullptr;
    }
    d.all_symbols.reserve_for_removal(*p);
    return remove_reserved(d, position);
}

void cut_paragraph_at(Document& d, int i) {
    const Paragraph* const p = d.order.at(i);
    if (!p) {
        return;
    }
    d.all_symbols.reserve_for_removal(*p);
    Paragraph copy(*p);
    remove_reserved(d, i);
    d.cut_paragraph = std::move(copy);
}

void paragraph_list_clear(Document& d) {
    chain_clear<Paragraph, &Paragraph::next_paragraph>(d.paragraphs);
    d.order.clear();
    d.all_symbols.clear();
}

void replace_paragraphs(Document& d, Paragraph* first) {
    ChainGuard handed_over(first);
    ParagraphOrder order;
    order.assign(first);
    AllSymbols symbols;
    symbols.rebuild(first);
    paragraph_list_clear(d);
    d.paragraphs = first;
    handed_over.first = nullptr;
    d.order.swap(order);
    d.all_symbols.swap(symbols);
}

void leave_paragraphs_to_the_end(Document& d) noexcept {
    struct left_alone {
        ParagraphOrder order;
        AllSymbols all_symbols;
    };
    auto* const left = new (std::nothrow) left_alone;
    if (left != nullptr) {
        left->order.swap(d.order);
        left->all_symbols.swap(d.all_symbols);
        d.paragraphs = nullptr; // the chain stays where it is, owned by nobody
    }
}

void rebuild_all_symbols(Document& d) {
    d.all_symbols.rebuild(d.paragraphs);
}

std::vector<const Paragraph*> paragraphs_with_symbol(const Document& d, const char* s) {
    const std::vector<Paragraph*>& links = d.all_symbols.links_of(d.all_symbols.position_of(s));
    return in_document_order({links.begin(), links.end()});
}

std::vector<const Paragraph*> paragraphs_with_symbol_containing(const Document& d, const char* t) {
    if (!t) {
        return {};
    }
    std::vector<const Paragraph*> found;
    for (int i = 0; i < d.all_symbols.size(); ++i) {
        if (std::strstr(d.all_symbols.at(i)->chars, t) != nullptr) {
            const std::vector<Paragraph*>& links = d.all_symbols.links_of(i);
            found.insert(found.end(), links.begin(), links.end());
        }
    }
    return in_document_order(std::move(found));
}
