#include "model/paragraph.h"

#include <utility>

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

Paragraph& paragraph_assign(Paragraph& dst, const Paragraph& src) {
    text_assign(dst.text, src.text.chars);
    text_list_copy(dst.symbols, src.symbols);
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
