// The document file: saving the document's paragraphs to it (its bytes are
// document_writer.h's) and loading them from its XML tree.
#pragma once

#include "docfile/file_status.h"
#include "model/document.h"
#include "xml/element.h"
#include "xml/parser.h"

// A new paragraph chain (owned by the caller; each paragraph allocated with
// new) built from the "P" children of a "body" element, in order; other
// children are skipped. Null for the empty handle or a body without "P".
// A paragraph's text is its element's first text; its symbols are the values
// of its attributes named "symbol" (ASCII case ignored), in attribute order,
// an attribute without a value linking an empty symbol. Line breaks in texts
// and symbols become CR LF.
Paragraph* paragraphs_from_body(const ElementRef& body);

// Writes the document's paragraphs to path, safely: the bytes go, as they are
// made, to a temporary file in the same folder, which is flushed and then
// replaces path. On failure (out of memory too) the status says why; the old
// file is then intact and no temporary file is left.
FileStatus save_document_file(const Document& doc, const char* path);

enum class LoadResult {
    loaded,              // the whole file, cleanly
    loaded_with_warning, // as far as the file made sense (cut short, a stray end tag): see parse
    unreadable,          // the file could not be opened: see file; the document is empty
    not_a_document,      // not well-formed, no "body" element, or too large: see parse; the document is empty
    out_of_memory,       // nothing changed
};

struct LoadOutcome {
    LoadResult result = LoadResult::loaded;
    ParseResult parse{parse_ok, 0, 0}; // the loader's code, line and column
    FileStatus file;                   // why the file could not be opened (unreadable)
};

// Replaces doc.paragraphs with the file's paragraphs, or with none when the
// file cannot be loaded; the loader's report goes to the standard output.
// Running out of memory anywhere (the file's text, the parse, the paragraphs)
// leaves doc as it was. all_symbols is left to the caller's list refresh,
// which derives it again.
LoadOutcome load_document_file(Document& doc, const char* path);
