// The document file as the XML tree and its writer give it: what Save wrote
// before it streamed, kept as the reference the streamed bytes must equal.
#pragma once

#include "model/document.h"
#include "xml/element.h"

#include <optional>
#include <string>

// The tree of the file for the paragraph chain starting at first (null: an
// empty document). Line breaks inside texts and symbols are single LFs in it.
// The empty handle when memory runs out.
ElementRef document_to_tree(const Paragraph* first);

// The tree written at level 0 with every LF as CR LF; nothing when memory
// runs out.
std::optional<std::string> document_to_text(const Paragraph* first);
