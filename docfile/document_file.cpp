#include "docfile/document_file.h"

#include "docfile/document_writer.h"
#include "docfile/line_breaks.h"
#include "docfile/replace_file.h"
#include "xml/element.h"
#include "xml/loader.h"

#include <cstring>
#include <memory>
#include <new>

namespace {

constexpr const char* paragraph_name = "P";
constexpr const char* symbol_name = "symbol";

// Sets t to value with its line breaks as CR LF.
void assign_with_crlf_line_breaks(Text& t, const char* value) {
    if (std::strchr(value, '\n') == nullptr) {
        text_assign(t, value);
    } else {
        text_assign(t, with_crlf_line_breaks(value).c_str());
    }
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
        return write_file_replacing(path, [&doc](ByteSink& sink) { write_document(doc.paragraphs, sink); });
    } catch (const std::bad_alloc&) {
        // The writer's buffer is freed and the temporary file removed by now.
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
