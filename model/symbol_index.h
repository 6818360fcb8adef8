#pragma once

#include <vector>

struct Document;
struct Paragraph;

// Recomputes d.all_symbols: each distinct symbol (exact bytes) once, sorted by
// compare_ignoring_ascii_case; equal keys keep their first-occurrence order.
void rebuild_all_symbols(Document& d);

// The paragraphs, in document order, once per link to a symbol exactly equal to
// s. A null s finds nothing.
std::vector<const Paragraph*> paragraphs_with_symbol(const Document& d, const char* s);
// The paragraphs, in document order, once per symbol containing t (byte for
// byte; "" is contained in every symbol). A null t finds nothing.
std::vector<const Paragraph*> paragraphs_with_symbol_containing(const Document& d, const char* t);
