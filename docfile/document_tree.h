// The document's paragraphs as an XML tree and as the bytes of its file.
//
// File layout: the question tag «<?xml version="1.0"?>», then "body" holding
// one "P" per paragraph; a "P" carries one "symbol" attribute per linked
// symbol, in link order, and the paragraph text as its only text. The file is
// the writer's formatted output at level 0 with CR LF line ends.
#pragma once

#include "model/paragraph.h"
#include "xml/element.h"

#include <string>

// The tree of the file for the paragraph chain starting at first (null: an
// empty document). Line breaks inside texts and symbols are single LFs in it.
ElementRef document_to_tree(const Paragraph* first);

// The exact bytes of the file for the paragraph chain starting at first.
std::string document_to_text(const Paragraph* first);

// A new paragraph chain (owned by the caller; each paragraph allocated with
// new) built from the "P" children of a "body" element, in order; other
// children are skipped. Null for the empty handle or a body without "P".
// A paragraph's text is its element's first text; its symbols are the values
// of its attributes named "symbol" (ASCII case ignored), in attribute order,
// an attribute without a value linking an empty symbol. Line breaks in texts
// and symbols become CR LF.
Paragraph* paragraphs_from_body(const ElementRef& body);
