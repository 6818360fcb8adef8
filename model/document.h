// The document: its paragraphs, the symbols linked to them, the derived list
// of all symbols and the two symbol queries.
#pragma once

#include "model/text.h"

#include <vector>

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

// The document state the main window holds.
struct Document {
    Paragraph* paragraphs = nullptr; // owned chain (each allocated with new)
    TextList all_symbols;            // derived, sorted: see rebuild_all_symbols
    Text file_name{"norvane.html"};
    Paragraph cut_paragraph; // the paragraph cut last; never in the chain

    Document() = default;
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;
    Document(Document&&) = delete;
    Document& operator=(Document&&) = delete;
    ~Document(); // paragraph_list_clear
};

// Every operation that allocates either completes or throws std::bad_alloc
// with the document unchanged.

// dst's text and symbols become copies of src's; dst.next_paragraph is untouched.
Paragraph& paragraph_assign(Paragraph& dst, const Paragraph& src);
// Takes ownership of e (allocated with new) and links it right after the symbol
// at position k; k < 0 or past the last symbol appends it. A null e does nothing.
void link_symbol_after(Paragraph& p, int k, Text* e);
// Removes and destroys the symbol at position k; nothing when there is none.
void unlink_symbol_at(Paragraph& p, int k);

// The document's paragraphs, 0-based; each paragraph allocated with new and
// owned by the document once linked.
Paragraph* paragraph_at(const Document& d, int i);      // null past the end or for i < 0
void paragraph_list_append(Document& d, Paragraph* p);  // takes ownership; null p: nothing
void paragraph_list_prepend(Document& d, Paragraph* p); // takes ownership; null p: nothing
// Links p right after q (q must be in a document). Takes ownership of p; with a
// null q, p cannot be placed and is destroyed.
void paragraph_list_insert_after(Paragraph* q, Paragraph* p);
// Unlinks and destroys p. Returns its successor, or null when p was last or was
// not in the document (then nothing changes).
Paragraph* paragraph_list_remove(Document& d, Paragraph* p);
void paragraph_list_clear(Document& d);

// Recomputes d.all_symbols: each distinct symbol (exact bytes) once, sorted by
// compare_ignoring_ascii_case; equal keys keep their first-occurrence order.
void rebuild_all_symbols(Document& d);
// The paragraphs, in document order, once per link to a symbol exactly equal to
// s. A null s finds nothing.
std::vector<const Paragraph*> paragraphs_with_symbol(const Document& d, const char* s);
// The paragraphs, in document order, once per symbol containing t (byte for
// byte; "" is contained in every symbol). A null t finds nothing.
std::vector<const Paragraph*> paragraphs_with_symbol_containing(const Document& d, const char* t);
