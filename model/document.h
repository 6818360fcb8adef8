// The document: its paragraphs, the symbols linked to them, the derived list
// of all symbols and the two symbol queries.
#pragma once

#include "model/all_symbols.h"
#include "model/paragraph_order.h"
#include "model/text.h"

#include <cstdint>
#include <vector>

// One paragraph of the document: its text and the symbols linked to it, in
// link order (duplicates and empty symbols allowed).
struct Paragraph {
    Text text;
    TextList symbols;
    Paragraph* next_paragraph = nullptr;
    std::uint64_t place = 0; // while in a document: increases along it (see ParagraphOrder)

    Paragraph() = default;
    Paragraph(const Paragraph& other);            // deep copy; next_paragraph = nullptr
    Paragraph& operator=(const Paragraph& other); // = paragraph_assign (next_paragraph untouched)
    // Moves hand over text and symbols like the copies above; other is left empty.
    Paragraph(Paragraph&& other) noexcept;            // next_paragraph = nullptr
    Paragraph& operator=(Paragraph&& other) noexcept; // next_paragraph untouched
    ~Paragraph() = default;
};

// The document state the main window holds. The paragraphs are a chain in
// document order; `order` finds them by position and `all_symbols` counts
// their links. Change them only through the functions below, which keep the
// three in step.
struct Document {
    Paragraph* paragraphs = nullptr; // owned chain (each allocated with new)
    AllSymbols all_symbols;          // every distinct symbol linked, sorted
    Text file_name{"norvane.html"};
    Paragraph cut_paragraph; // the paragraph cut last; never in the chain
    ParagraphOrder order;

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
// For a paragraph outside a document (the cut paragraph, a paragraph to paste).
Paragraph& paragraph_assign(Paragraph& dst, const Paragraph& src);
// Takes ownership of e (allocated with new) and links it right after the symbol
// at position k; k < 0 or past the last symbol appends it. A null e does nothing.
// For a paragraph outside a document.
void link_symbol_after(Paragraph& p, int k, Text* e);
// Removes and destroys the symbol at position k; nothing when there is none.
void unlink_symbol_at(Paragraph& p, int k);

// The same for a paragraph of d, counting the link among all symbols. On
// failure e is destroyed.
void link_symbol_after(Document& d, Paragraph& p, int k, Text* e);
void unlink_symbol_at(Document& d, Paragraph& p, int k);
// p's text becomes text (moved in).
void set_paragraph_text(Document& d, Paragraph& p, Text&& text) noexcept;

// The document's paragraphs, 0-based; each paragraph allocated with new and
// owned by the document once linked. On failure a paragraph handed over is
// destroyed.
int paragraph_count(const Document& d);
Paragraph* paragraph_at(const Document& d, int i);      // null past the end or for i < 0
int position_of(const Document& d, const Paragraph* p); // -1 when not in d
// The position of the first paragraph whose text is text, byte for byte; -1 when none.
int first_paragraph_with_text(const Document& d, const char* text);
// Links p so that it takes position i (0 to the count; outside that: last).
void paragraph_list_insert_at(Document& d, int i, Paragraph* p);
void paragraph_list_append(Document& d, Paragraph* p);  // null p: nothing
void paragraph_list_prepend(Document& d, Paragraph* p); // null p: nothing
// Links p right after q (q must be in d); with a null q or one not in d, p
// cannot be placed and is destroyed.
void paragraph_list_insert_after(Document& d, Paragraph* q, Paragraph* p);
// Unlinks and destroys p. Returns its successor, or null when p was last or was
// not in the document (then nothing changes).
Paragraph* paragraph_list_remove(Document& d, Paragraph* p);
// The paragraph at position i goes into cut_paragraph (copies) and leaves the
// document; nothing when there is none.
void cut_paragraph_at(Document& d, int i);
void paragraph_list_clear(Document& d);
// The document's paragraphs become the chain starting at first (owned; null:
// none); the old ones are destroyed.
void replace_paragraphs(Document& d, Paragraph* first);

// The document's paragraphs and indexes, unfreed, leave d (which is then
// empty): for a program that is about to end, whose memory the system takes
// back at once, where freeing a million paragraphs one by one takes seconds.
void leave_paragraphs_to_the_end(Document& d) noexcept;

// Counts all symbols again from the paragraphs (they are kept counted anyway):
// each distinct symbol (exact bytes) once, sorted by compare_ignoring_ascii_case;
// equal keys keep their first-occurrence order.
void rebuild_all_symbols(Document& d);
// The paragraphs, in document order, once per link to a symbol exactly equal to
// s. A null s finds nothing.
std::vector<const Paragraph*> paragraphs_with_symbol(const Document& d, const char* s);
// The paragraphs, in document order, once per symbol containing t (byte for
// byte; "" is contained in every symbol). A null t finds nothing.
std::vector<const Paragraph*> paragraphs_with_symbol_containing(const Document& d, const char* t);
