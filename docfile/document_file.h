// Saving the document to its file and loading it back.
#pragma once

#include "model/document.h"

#include <string>

// Writes the document's paragraphs to path, safely: the bytes go to a
// temporary file in the same folder, which is flushed and then replaces path.
// False with a reason for the user in error on failure; the old file is then
// intact.
bool save_document_file(const Document& doc, const char* path, std::string& error);

// Replaces doc.paragraphs with the file's paragraphs; an empty document when
// the file cannot be loaded. report receives the loader's report ("" when the
// file read cleanly; it is printed on the standard output as well). Returns
// false when nothing could be loaded. all_symbols is left to the caller's
// list refresh, which derives it again.
bool load_document_file(Document& doc, const char* path, std::string& report);
