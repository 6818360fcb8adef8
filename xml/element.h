// The in-memory XML tree: reference-counted elements that own their strings, the counted
// handle to them, and the string helpers the tree and the parser share.
#pragma once

struct Attribute {
    char* name;  // owned; never null in a stored attribute
    char* value; // owned; null for an attribute written without a value
};

struct VerbatimBlock {
    const char* opening; // points into the marker table, not owned
    char* content;       // owned, raw (no entity processing)
    const char* closing; // points into the marker table, not owned
};

struct Element {
    char* name; // null only for an unnamed document root
    int child_count;
    int text_count;
    int block_count;
    int attribute_count;
    int question_tag; // nonzero when opened with "<?"
    Element* parent;  // not counted
    Element** children;
    char** texts;
    VerbatimBlock* blocks;
    Attribute* attributes;
    int* content_order; // entry = index * 4 + content_kind
    int references;
};

// A counted handle to one Element, or to nothing.
class ElementRef {
  public:
    ElementRef() = default;
    static ElementRef adopt(Element* e); // takes over one existing reference
    ElementRef(const ElementRef& other);
    ElementRef& operator=(const ElementRef& other);
    ElementRef(ElementRef&& other) noexcept;
    ElementRef& operator=(ElementRef&& other) noexcept;
    ~ElementRef();

    Element* get() const { return element_; }
    Element* operator->() const { return element_; }
    explicit operator bool() const { return element_ != nullptr; }

    // Gives up the handle's reference without releasing it.
    Element* release_ownership();

  private:
    Element* element_ = nullptr;
};

// Kinds stored in the low two bits of a content_order entry.
enum content_kind : int { content_child = 0, content_attribute = 1, content_text = 2, content_block = 3 };

inline int content_entry_kind(int entry) {
    return entry & 3;
}
inline int content_entry_index(int entry) {
    return entry >> 2;
}
// Entries in content_order: one per item of any kind.
inline int content_count(const Element* e) {
    return e->child_count + e->text_count + e->block_count + e->attribute_count;
}

// Outside a scope every add reallocates its array to the exact size, which makes building a
// large element quadratic. While a scope lives, arrays of elements built on this thread grow in
// blocks of 50 entries (150 for content_order) instead; compact_element trims an element to
// exact sizes. Elements may be built, added to and trimmed in and out of scopes in any order:
// each array knows its own room.
class BlockGrowthScope {
  public:
    BlockGrowthScope();
    ~BlockGrowthScope();
    BlockGrowthScope(const BlockGrowthScope&) = delete;
    BlockGrowthScope& operator=(const BlockGrowthScope&) = delete;

  private:
    int saved_step_;
};

// Owned strings handed to the tree are allocated with these (xml_malloc) and freed by the tree
// (free). Both give null when memory runs out.
char* copy_string(const char* s); // null -> null
char* copy_span(const char* start, int n);

// Building. Every string handed to these belongs to the callee from the call on, whatever the
// outcome: when nothing is stored (a null element or name, or memory ran out) the callee frees
// it at once. So a caller never frees what it handed over, and a failed copy_string may be
// passed straight in. Failure shows as an empty handle or a null result.
ElementRef new_element(Element* parent, char* name, bool question_tag);
ElementRef new_document_root();
struct TreeArena;
// An element whose record lies in arena, as do name and every string the parser adds to it; it
// holds the arena until it is released. Null when memory ran out. Its references are 1.
Element* new_arena_element(TreeArena* arena, Element* parent, char* name, bool question_tag);
// The arena of an element, null for one of its own allocation.
TreeArena* arena_of(const Element* element);
// Strings of their own allocation (std::free) were stored in element's arrays directly.
void note_own_strings(Element* element);
ElementRef append_child(Element* element, char* name, bool question_tag);
Attribute* append_attribute(Element* element, char* name, char* value); // null name: nothing stored
char* append_text(Element* element, char* text);
VerbatimBlock* append_verbatim_block(Element* element, char* content, const char* opening,
                                     const char* closing);

ElementRef child_at(const ElementRef& handle, int index);
int count_children_named(const ElementRef& handle, const char* name);
const char* attribute_value_named(const Element* element, const char* name, int n);
const char* first_text(const Element* element);

void release_element(Element* element);
void unlink_from_parent(Element* element);
// Trims the arrays to their used lengths; only while a BlockGrowthScope lives (otherwise they
// are exact already). When memory for an exact copy is lacking the larger array stays.
void compact_element(Element* element);

inline char fold_ascii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
// Equality ignoring the case of ASCII letters only, as XML names are matched here.
bool names_equal(const char* a, const char* b);
