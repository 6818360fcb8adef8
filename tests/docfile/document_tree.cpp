#include "document_tree.h"

#include "xml/writer.h"

#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

constexpr const char* declaration_name = "xml";
constexpr const char* version_name = "version";
constexpr const char* version_value = "1.0";
constexpr const char* body_name = "body";
constexpr const char* paragraph_name = "P";
constexpr const char* symbol_name = "symbol";

// Every line break (an LF with any CRs right before it) as one LF.
std::string with_lf_line_breaks(std::string_view text) {
    std::string out;
    std::size_t start = 0;
    for (std::size_t lf = text.find('\n'); lf != std::string_view::npos; lf = text.find('\n', start)) {
        std::size_t end = lf;
        while (end > start && text[end - 1] == '\r') {
            --end;
        }
        out.append(text, start, end - start);
        out += '\n';
        start = lf + 1;
    }
    out.append(text, start);
    return out;
}

// Every LF preceded by a CR; nothing else changes.
std::string with_crlf_line_ends(std::string_view text) {
    std::string out;
    std::size_t start = 0;
    for (std::size_t lf = text.find('\n'); lf != std::string_view::npos; lf = text.find('\n', start)) {
        out.append(text, start, lf - start);
        out += "\r\n";
        start = lf + 1;
    }
    out.append(text, start);
    return out;
}

// An owned copy for the tree, its line breaks as single LFs; null when memory
// runs out.
char* tree_copy(const char* text) {
    const std::string converted = with_lf_line_breaks(text);
    return copy_span(converted.data(), static_cast<int>(converted.size()));
}

// Tree building that checks every step: copies and tree calls give null when
// memory runs out; a null copy is handed to nobody, and the tree frees what it
// was handed.
bool append_named_attribute(Element* element, const char* name, char* value) {
    if (value == nullptr) {
        return false;
    }
    char* const owned_name = copy_string(name);
    if (owned_name == nullptr) {
        std::free(value);
        return false;
    }
    return append_attribute(element, owned_name, value) != nullptr;
}

ElementRef append_element(Element* parent, const char* name, bool question_tag) {
    char* const owned_name = copy_string(name);
    return owned_name != nullptr ? append_child(parent, owned_name, question_tag) : ElementRef();
}

bool append_paragraph(Element* body, const Paragraph& paragraph) {
    const ElementRef element = append_element(body, paragraph_name, false);
    if (!element) {
        return false;
    }
    // Also an empty text: the writer then writes no text line.
    char* const text = tree_copy(paragraph.text.chars);
    if (text == nullptr || append_text(element.get(), text) == nullptr) {
        return false;
    }
    for (const Text* symbol = paragraph.symbols.first; symbol != nullptr; symbol = symbol->chain) {
        if (!append_named_attribute(element.get(), symbol_name, tree_copy(symbol->chars))) {
            return false;
        }
    }
    compact_element(element.get());
    return true;
}

} // namespace

ElementRef document_to_tree(const Paragraph* first) {
    // Appending many paragraphs to "body" one exact reallocation at a time
    // would be quadratic; every element built meanwhile is compacted.
    const BlockGrowthScope block_growth;
    ElementRef root = new_document_root();
    if (!root) {
        return {};
    }
    const ElementRef declaration = append_element(root.get(), declaration_name, true);
    if (!declaration ||
        !append_named_attribute(declaration.get(), version_name, copy_string(version_value))) {
        return {};
    }
    const ElementRef body = append_element(declaration.get(), body_name, false);
    if (!body) {
        return {};
    }
    for (const Paragraph* p = first; p != nullptr; p = p->next_paragraph) {
        if (!append_paragraph(body.get(), *p)) {
            return {};
        }
    }
    compact_element(body.get());
    compact_element(declaration.get());
    compact_element(root.get());
    return root;
}

std::optional<std::string> document_to_text(const Paragraph* first) {
    const ElementRef root = document_to_tree(first);
    if (!root) {
        return std::nullopt;
    }
    const std::size_t length = write_element(root.get(), nullptr, 0);
    std::string text(length, '\0');
    write_element(root.get(), text.data(), 0); // its NUL lands in the string's own terminator
    return with_crlf_line_ends(text);
}
