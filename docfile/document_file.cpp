#include "docfile/document_file.h"

#include "docfile/line_breaks.h"
#include "docfile/replace_file.h"
#include "xml/element.h"
#include "xml/loader.h"
#include "xml/writer.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

namespace {

constexpr const char* declaration_name = "xml";
constexpr const char* version_name = "version";
constexpr const char* version_value = "1.0";
constexpr const char* body_name = "body";
constexpr const char* paragraph_name = "P";
constexpr const char* symbol_name = "symbol";

// An owned copy for the tree, its line breaks as single LFs; null when memory
// runs out.
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

bool append_symbol(Element* element, const char* symbol) {
    return append_named_attribute(element, symbol_name, tree_copy(symbol));
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
        if (!append_symbol(element.get(), symbol->chars)) {
            return false;
        }
    }
    compact_element(element.get());
    return true;
}

// A paragraph chain under construction: appends in constant time and deletes
// what it holds unless released.
class ParagraphChain {
  public:
    ParagraphChain() = default;
    ParagraphChain(const ParagraphChain&) = delete;
    ParagraphChain& operator=(const ParagraphChain&) = delete;
    ~ParagraphChain() { chain_clear<Paragraph, &Paragraph::next_paragraph>(first_); }

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
    // Appending 100,000 paragraphs to "body" one exact reallocation at a time
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

FileStatus save_document_file(const Document& doc, const char* path) {
    try {
        const std::optional<std::string> text = document_to_text(doc.paragraphs);
        if (!text) {
            return {FileProblem::out_of_memory, {}};
        }
        return write_file_replacing(path, *text);
    } catch (const std::bad_alloc&) {
        // What was built is freed by now.
        return {FileProblem::out_of_memory, {}};
    }
}

namespace {

// Why a file the loader could not open cannot be opened; asked of the system
// afresh, since the loader only knows that it could not.
FileStatus why_unreadable(const char* path) {
    const FileStatus status =
        platform_file::status_of(platform_file::open_to_read(path != nullptr ? path : ""));
    // It opens now: whatever stood in the way has gone.
    return status.ok() ? FileStatus{FileProblem::other, {}} : status;
}

LoadOutcome outcome_of(const char* path, const ParseResult& parse, bool found) {
    if (found) {
        return {parse.code == parse_ok ? LoadResult::loaded : LoadResult::loaded_with_warning, parse, {}};
    }
    if (parse.code == parse_file_not_found) {
        return {LoadResult::unreadable, parse, why_unreadable(path)};
    }
    return {LoadResult::not_a_document, parse, {}};
}

} // namespace

LoadOutcome load_document_file(Document& doc, const char* path) {
    try {
        ParseResult parse{parse_ok, 0, 0};
        const ElementRef body = load_xml_file_reported(path, parse);
        if (parse.code == parse_out_of_memory) {
            return {LoadResult::out_of_memory, parse, {}};
        }
        // Everything that needs memory comes before the old document goes.
        LoadOutcome outcome = outcome_of(path, parse, static_cast<bool>(body));
        // The old document goes in every other case, also when nothing could be read.
        replace_paragraphs(doc, paragraphs_from_body(body));
        return outcome;
    } catch (const std::bad_alloc&) {
        return {LoadResult::out_of_memory, {parse_out_of_memory, 0, 0}, {}};
    }
}
