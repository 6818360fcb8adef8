#include "xml/writer.h"

#include "xml/element.h"
#include "xml/entities.h"

#include <cstring>

namespace {

// The two passes share one code path, each with its own output, so the count always equals
// what is written. This one only counts.
class Counter {
  public:
    void put(char /*c*/) { ++count_; }
    void put(const char* s) { count_ += std::strlen(s); }
    void put(const char* /*s*/, std::size_t n) { count_ += n; }
    void tabs(int n) { count_ += static_cast<std::size_t>(n); }
    void encoded(const char* text) { count_ += encoded_length(text); }
    void replace_last(char /*c*/) {}
    void take_back_last() { --count_; }
    std::size_t count() const { return count_; }

  private:
    std::size_t count_ = 0;
};

// This one writes, into a buffer that the count has sized.
class Writer {
  public:
    explicit Writer(char* buffer) : begin_(buffer), out_(buffer) {}

    void put(char c) { *out_++ = c; }
    // Names and the like are short: copied as they are read, without measuring them first.
    void put(const char* s) {
        while (*s != '\0') {
            *out_++ = *s++;
        }
    }
    void put(const char* s, std::size_t n) {
        std::memcpy(out_, s, n);
        out_ += n;
    }
    void tabs(int n) {
        for (int i = 0; i < n; ++i) {
            *out_++ = '\t';
        }
    }
    void encoded(const char* text) { out_ = encode_entities_to_end(text, out_); }
    // Replaces the last character written (the SPACE that ends a start tag so far).
    void replace_last(char c) { out_[-1] = c; }
    void take_back_last() { --out_; }
    std::size_t count() const { return static_cast<std::size_t>(out_ - begin_); }

  private:
    char* begin_;
    char* out_;
};

constexpr int prefetch_distance = 8;

void prefetch(const Element* e) {
#if defined(__GNUC__)
    __builtin_prefetch(e);
#else
    static_cast<void>(e);
#endif
}

bool has_content(const Element* e) {
    return e->child_count + e->text_count + e->block_count > 0;
}

template <typename Output> void write_start_tag(const Element* e, Output& out, int level, bool formatted) {
    if (formatted && level > 0) {
        out.tabs(level);
    }
    out.put('<');
    if (e->question_tag != 0) {
        out.put('?');
    }
    out.put(e->name);
    out.put(' ');
    for (int i = 0; i < e->attribute_count; ++i) {
        const Attribute& attribute = e->attributes[i];
        if (attribute.name == nullptr || attribute.name[0] == '\0') {
            continue;
        }
        out.put(attribute.name);
        if (attribute.value != nullptr) {
            out.put("=\"", 2);
            out.encoded(attribute.value);
            out.put('"');
        }
        out.put(' ');
    }
    if (e->question_tag != 0) {
        out.replace_last('?');
        out.put('>');
        if (formatted) {
            out.put('\n');
        }
    } else if (has_content(e)) {
        out.replace_last('>');
        if (formatted) {
            out.put('\n');
        }
    } else {
        out.take_back_last();
    }
}

template <typename Output> void write_tree(const Element* e, Output& out, int level);

template <typename Output> void write_text(const char* text, Output& out, int level, bool formatted) {
    if (text[0] == '\0') {
        return; // an empty text encodes to nothing and is not written at all
    }
    if (formatted) {
        out.tabs(level + 1);
    }
    out.encoded(text);
    if (formatted) {
        out.put('\n');
    }
}

template <typename Output>
void write_block(const VerbatimBlock& block, Output& out, int level, bool formatted) {
    const bool has_opening = block.opening != nullptr && block.opening[0] != '\0';
    if (formatted && has_opening) {
        out.tabs(level + 1);
    }
    if (has_opening) {
        out.put(block.opening);
    }
    if (block.content != nullptr) {
        out.put(block.content);
    }
    if (block.closing != nullptr) {
        out.put(block.closing);
    }
    if (formatted) {
        out.put('\n');
    }
}

template <typename Output> void write_content(const Element* e, Output& out, int level, int child_level) {
    const bool formatted = level >= 0;
    const int entries = content_count(e);
    for (int k = 0; k < entries; ++k) {
        const int entry = e->content_order[k];
        const int index = content_entry_index(entry);
        switch (content_entry_kind(entry)) {
        case content_child:
            // Records of a large tree are far from the cache: ask for one a few children ahead.
            if (index + prefetch_distance < e->child_count) {
                prefetch(e->children[index + prefetch_distance]);
            }
            write_tree(e->children[index], out, child_level);
            break;
        case content_text:
            write_text(e->texts[index], out, level, formatted);
            break;
        case content_block:
            write_block(e->blocks[index], out, level, formatted);
            break;
        default:
            break; // attributes were written in the start tag
        }
    }
}

template <typename Output> void write_tree(const Element* e, Output& out, int level) {
    const bool formatted = level >= 0;
    const bool named = e->name != nullptr && e->name[0] != '\0';
    const bool question = e->question_tag != 0;
    int child_level = level;
    if (formatted && named && !question) {
        child_level = level + 1;
    }
    if (named) {
        write_start_tag(e, out, level, formatted);
    }
    write_content(e, out, level, child_level);
    if (!named || question) {
        return;
    }
    if (has_content(e)) {
        if (formatted && level > 0) {
            out.tabs(level);
        }
        out.put("</", 2);
        out.put(e->name);
        out.put('>');
    } else {
        out.put("/>", 2);
    }
    if (formatted) {
        out.put('\n');
    }
}

} // namespace

std::size_t write_element(const Element* element, char* buffer, int level) {
    if (buffer == nullptr) {
        Counter out;
        if (element != nullptr) {
            write_tree(element, out, level);
        }
        return out.count();
    }
    Writer out(buffer);
    if (element != nullptr) {
        write_tree(element, out, level);
    }
    out.put('\0');
    return out.count() - 1;
}
