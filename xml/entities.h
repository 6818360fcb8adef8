// The five character entities, in both directions.
#pragma once

#include <cstddef>

std::size_t encoded_length(const char* text);
// destination must hold encoded_length(text) + 1 characters.
void encode_entities(const char* text, char* destination);
// The same, returning where the terminating NUL was written.
char* encode_entities_to_end(const char* text, char* destination);
// Owned (xml_malloc) copy of the span with entities replaced; null for a null start, or with
// code set to parse_unknown_entity when an entity outside the table is met, or to
// parse_out_of_memory.
char* decode_entities(const char* start, int length, int& code);

// decode_entities for a span known to hold no NUL (the parser's texts and values).
char* decode_entities_in_span(const char* start, int length, int& code);
// Decodes the span (no NUL in it) into out, which has room for length + 1 characters, and ends
// it with a NUL; returns where the NUL went, or null for an entity outside the table.
char* decode_entities_to(const char* start, int length, char* out);

// The length of the span without a final "&" whose entity the end of the text cut short (what
// follows it is a proper beginning of one of the five names); the whole length otherwise.
int without_cut_entity(const char* start, int length);
