#include "docfile/document_tree.h"

#include "docfile/line_breaks.h"
#include "xml/element.h"
#include "xml/writer.h"

#include <cstring>
#include <memory>

namespace {

constexpr const char* declaration_name = "xml";
constexpr const char* version_name = "version";
constexpr const char* version_value = "1.0";
constexpr const char* body_name = "body";
constexpr const char* paragraph_name = "P";
constexpr const char* symbol_name = "symbol";

// An owned copy for the tree, its line breaks as single LFs.
char* tree_copy(const char* text) {
    if (std::strchr(text, '\n') == nullptr) {
        return copy_string(text); // most texts: one line, nothing to convert
    }
    const std::string converted = with_lf_line_breaks(text);
    return copy_span(converted.data(), static_cast<int>(converted.size()));
}

// Sets t to value with its line breaks as CR LF.
void assign_with_crlf_line_breaks(Text& t, const char* value) {
    if (std::strchr(value, '\n') == nullptr) {
        text_assign(t, value);
    } else {
        text_assign(t, with_crlf_line_breaks(value).c_str());
    }
}

void append_paragraph(Element* body, const Paragraph& paragraph) {
    const ElementRef element = append_child(body, copy_string(paragraph_name), false);
    // Also an empty text: the writer then writes no text line.
    append_text(element.get(), tree_copy(paragraph.text.chars));
    for (const Text* symbol = paragraph.symbols.first; symbol != nullptr; symbol = symbol->chain) {
        append_attribute(element.get(), copy_string(symbol_name), tree_copy(symbol->chars));
    }
    compact_element(element.get());
}

// A paragraph chain under construction: appends in constant time and deletes
// what it holds unless released.
class ParagraphChain {
  public:
    ParagraphChain() = default;
    ParagraphChain(const ParagraphChain&) = delete;
    ParagraphChain& operator=(const ParagraphChain&) = delete;
    ~ParagraphChain() {
        while (first_ != nullptr) {
            Paragraph* const next = first_->next_paragraph;
            delete first_;
            first_ = next;
        }
    }

    void append(std::unique_ptr<Paragraph> paragraph) {
        *tail_ = paragraph.release();
        tail_ = &(*tail_)->next_paragraph;
    }

    Paragraph* release() {
        Paragraph* const first = first_;
        first_ = nullptr;
        tail_ = &first_;
        return first;
    }

  private:
    Paragraph* first_ = nullptr;
    Paragraph** tail_ = &first_;
};

// Links symbols in constant time each (text_list_append walks the list).
class SymbolAppender {
  public:
    explicit SymbolAppender(TextList& list) : tail_(&list.first) {
        while (*tail_ != nullptr) {
            tail_ = &(*tail_)->chain;
        }
    }
    void append(const char* value) {
        *tail_ = new Text;
        assign_with_crlf_line_breaks(**tail_, value);
        tail_ = &(*tail_)->chain;
    }

  private:
    Text** tail_;
};

std::unique_ptr<Paragraph> paragraph_from_element(const Element& element) {
    auto paragraph = std::make_unique<Paragraph>();
    if (const char* const text = first_text(&element); text != nullptr) {
        assign_with_crlf_line_breaks(paragraph->text, text);
    }
    SymbolAppender symbols(paragraph->symbols);
    for (int i = 0; i < element.attribute_count; ++i) {
        const Attribute& attribute = element.attributes[i];
        if (!names_equal(attribute.name, symbol_name)) {
            continue;
        }
        // «symbol» written without a value still names a link: keep it, as an empty symbol.
        symbols.append(attribute.value != nullptr ? attribute.value : "");
    }
    return paragraph;
}

} // namespace

ElementRef document_to_tree(const Paragraph* first) {
    // Arrays grow in blocks meanwhile: one entry at a time is quadratic for large documents.
    const BlockGrowthScope growth;
    ElementRef root = new_document_root();
    const ElementRef declaration = append_child(root.get(), copy_string(declaration_name), true);
    append_attribute(declaration.get(), copy_string(version_name), copy_string(version_value));
    const ElementRef body = append_child(declaration.get(), copy_string(body_name), false);
    for (const Paragraph* p = first; p != nullptr; p = p->next_paragraph) {
        append_paragraph(body.get(), *p);
    }
    compact_element(body.get());
    compact_element(declaration.get());
    compact_element(root.get());
    return root;
}

std::string document_to_text(const Paragraph* first) {
    const ElementRef root = document_to_tree(first);
    const std::size_t length = write_element(root.get(), nullptr, 0);
    std::string text(length, '\0');
    write_element(root.get(), text.data(), 0); // its NUL lands in the string's own terminator
    return with_crlf_line_ends(text);
}

Paragraph* paragraphs_from_body(const ElementRef& body) {
    const Element* const element = body.get();
    if (element == nullptr) {
        return nullptr;
    }
    ParagraphChain chain;
    for (int i = 0; i < element->child_count; ++i) {
        const Element& child = *element->children[i];
        if (names_equal(child.name, paragraph_name)) {
            chain.append(paragraph_from_element(child));
        }
    }
    return chain.release();
}
