// The bytes of the document file, written straight from the paragraphs.
//
// File layout: the question tag «<?xml version="1.0"?>», then "body" holding
// one "P" per paragraph; a "P" carries one "symbol" attribute per linked
// symbol, in link order, and the paragraph text, when it is not empty, on a
// line of its own. Texts and symbols have the five characters encoded as
// entities and their line breaks as CR LF; lines are indented with TABs and
// end with CR LF:
//
//   <?xml version="1.0"?>
//   <body>
//   	<P symbol="index" symbol="a&amp;b">
//   		Rates rise &gt; 5%
//   	</P>
//   	<P>
//   	</P>
//   </body>
//
// An empty document has «<body/>».
#pragma once

#include "docfile/byte_sink.h"
#include "model/document.h"

#include <cstddef>

// The buffer the bytes are gathered in before the sink takes them.
constexpr std::size_t document_buffer_size = std::size_t{1} << 20;

// Writes the file's bytes for the paragraph chain starting at first (null: an
// empty document) to sink, in pieces of at most buffer_size bytes (raised to
// a few kilobytes when smaller), and stops early once the sink refuses a
// piece. Allocates only its buffer: throws std::bad_alloc before writing
// anything when it cannot have it.
void write_document(const Paragraph* first, ByteSink& sink, std::size_t buffer_size = document_buffer_size);
