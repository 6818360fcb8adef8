#pragma once

#include "model/text.h"
#include "model/text_list.h"

// One paragraph of the document: its text and the symbols linked to it, in
// link order (duplicates and empty symbols allowed).
struct Paragraph {
    Text text;
    TextList symbols;
    Paragraph* next_paragraph = nullptr;

    Paragraph() = default;
    Paragraph(const Paragraph& other);            // deep copy; next_paragraph = nullptr
    Paragraph& operator=(const Paragraph& other); // = paragraph_assign (next_paragraph untouched)
    // Moves hand over text and symbols like the copies above; other is left empty.
    Paragraph(Paragraph&& other) noexcept;            // next_paragraph = nullptr
    Paragraph& operator=(Paragraph&& other) noexcept; // next_paragraph untouched
    ~Paragraph() = default;
};

// dst's text and symbols become copies of src's; dst.next_paragraph is untouched.
Paragraph& paragraph_assign(Paragraph& dst, const Paragraph& src);
// Takes ownership of e (allocated with new) and links it right after the symbol
// at position k; k < 0 or past the last symbol appends it. A null e does nothing.
void link_symbol_after(Paragraph& p, int k, Text* e);
// Removes and destroys the symbol at position k; nothing when there is none.
void unlink_symbol_at(Paragraph& p, int k);
