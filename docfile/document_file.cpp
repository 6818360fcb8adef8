#include "docfile/document_file.h"

#include "docfile/document_tree.h"
#include "docfile/replace_file.h"
#include "xml/loader.h"

bool save_document_file(const Document& doc, const char* path, std::string& error) {
    return write_file_replacing(path, document_to_text(doc.paragraphs), error);
}

bool load_document_file(Document& doc, const char* path, std::string& report) {
    const ElementRef body = load_xml_file_reported(path, report);
    // The old document goes in every case, also when nothing could be read.
    paragraph_list_clear(doc);
    doc.paragraphs = paragraphs_from_body(body);
    return static_cast<bool>(body);
}
