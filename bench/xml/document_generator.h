// Builds, deterministically, a large document file in the program's own format and the same
// document with numbered attribute names (symbol0, symbol1, ...) for strict parsers.
#pragma once

#include <cstddef>
#include <string>

struct GeneratedDocuments {
    std::string own;      // repeated "symbol" attributes, as the program writes them
    std::string numbered; // the same shape with unique attribute names
    int paragraphs;
};

// At least the given number of paragraphs, and at least target_bytes.
GeneratedDocuments generate_documents(std::size_t target_bytes, int paragraphs);

// A "body" element holding count empty elements "<a/>" and nothing else: the densest markup.
std::string generate_dense_document(int count);
