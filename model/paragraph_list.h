#pragma once

#include "model/paragraph.h"

struct Document;

// The document's paragraphs, 0-based; each paragraph allocated with new and
// owned by the document once linked.
Paragraph* paragraph_at(const Document& d, int i); // null past the end or for i < 0
int paragraph_count(const Document& d);
void paragraph_list_append(Document& d, Paragraph* p);  // takes ownership; null p: nothing
void paragraph_list_prepend(Document& d, Paragraph* p); // takes ownership; null p: nothing
// Links p right after q (q must be in a document). Takes ownership of p; with a
// null q, p cannot be placed and is destroyed.
void paragraph_list_insert_after(Paragraph* q, Paragraph* p);
// Unlinks and destroys p. Returns its successor, or null when p was last or was
// not in the document (then nothing changes).
Paragraph* paragraph_list_remove(Document& d, Paragraph* p);
void paragraph_list_clear(Document& d);
