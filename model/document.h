#pragma once

#include "model/paragraph.h"
#include "model/paragraph_list.h"
#include "model/symbol_index.h"
#include "model/text.h"
#include "model/text_list.h"

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
