#include "xml/element.h"

#include "xml/allocation.h"
#include "xml/element_array.h"
#include "xml/tree_arena.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <utility>

namespace {

constexpr int block_growth_step = 50;

// The step of the arrays built on this thread: 0 (exact) or block_growth_step.
thread_local int growth_step = 0;

// Makes room for the item at index n of an array whose count before the add is n, by the
// growth rule: step 0 reallocates to exactly n + 1; a positive step allocates in blocks, when
// the array's recorded room is used up to the last entry (as the block rule has it), or when
// the array came from exact growth or a trim. False when memory ran out; the array is then
// unchanged.
template <typename T> bool grow(T*& array, int n, int step) {
    const auto next = static_cast<std::size_t>(n) + 1;
    const auto block = static_cast<std::size_t>(step);
    if (array == nullptr) {
        return reallocate_array(array, step == 0 ? 1 : block);
    }
    if (step == 0) {
        return reallocate_array(array, next);
    }
    return entry_capacity(array) > next || reallocate_array(array, next + block);
}

// Makes room for one more item in the array and in content_order; false when memory ran out.
template <typename T> bool make_room(Element* e, T*& array, int n) {
    return grow(array, n, growth_step) && grow(e->content_order, content_count(e), 3 * growth_step);
}

// Records an item just stored at index n of its array.
void add_content_entry(Element* e, int n, content_kind kind) {
    e->content_order[content_count(e)] = n * 4 + kind;
}

// Reallocates to exactly count entries; an emptied array is freed.
template <typename T> void trim(T*& array, int count) {
    if (array == nullptr) {
        return;
    }
    if (count <= 0) {
        free_entries(array);
        array = nullptr;
        return;
    }
    // A fresh exact block rather than an in-place shrink: the large block then goes back whole
    // to the allocator, ready for the next element, instead of being split up.
    const auto entries = static_cast<std::size_t>(count);
    T* const exact = allocate_array<T>(entries);
    if (exact == nullptr) {
        return; // the larger block holds the same items
    }
    std::memcpy(exact, array, std::span<const T>(array, entries).size_bytes());
    free_entries(array);
    array = exact;
}

// One word in front of every record: the arena it was built in (null: its own allocation),
// and in the lowest bit whether strings from elsewhere were added to it since. A parsed
// element's strings all lie in its arena, so none is freed one by one.
using RecordHeader = std::uintptr_t;
constexpr RecordHeader foreign_strings = 1;
static_assert(alignof(TreeArena) > 1 && sizeof(RecordHeader) % alignof(Element) == 0);
constexpr std::size_t header_bytes = sizeof(RecordHeader);

RecordHeader* header_of(const Element* e) {
    return reinterpret_cast<RecordHeader*>(reinterpret_cast<char*>(const_cast<Element*>(e)) - header_bytes);
}

TreeArena* arena_in(RecordHeader header) {
    return reinterpret_cast<TreeArena*>(header & ~foreign_strings);
}

Element* record_after(void* block, TreeArena* arena) {
    *static_cast<RecordHeader*>(block) = reinterpret_cast<RecordHeader>(arena);
    return reinterpret_cast<Element*>(static_cast<char*>(block) + header_bytes);
}

// An owned string handed in through the building operations: an element of an arena now holds
// a string of its own allocation.
void note_string_added(Element* e) {
    *header_of(e) |= foreign_strings;
}

void free_contents(Element* e) {
    RecordHeader* const header = header_of(e);
    TreeArena* const arena = arena_in(*header);
    const bool foreign = (*header & foreign_strings) != 0;
    // Each string is freed unless the arena holds it.
    const auto release = [foreign, arena](char* s) {
        if (s != nullptr && (arena == nullptr || (foreign && !arena_owns(arena, s)))) {
            std::free(s);
        }
    };
    if (arena == nullptr || foreign) {
        for (int i = 0; i < e->text_count; ++i) {
            release(e->texts[i]);
        }
        for (int i = 0; i < e->block_count; ++i) {
            release(e->blocks[i].content);
        }
        for (int i = 0; i < e->attribute_count; ++i) {
            release(e->attributes[i].name);
            release(e->attributes[i].value);
        }
        release(e->name);
    }
    free_entries(e->children);
    free_entries(e->texts);
    free_entries(e->blocks);
    free_entries(e->attributes);
    free_entries(e->content_order);
    if (arena != nullptr) {
        release_arena(arena);
    } else {
        std::free(header);
    }
}

} // namespace

ElementRef ElementRef::adopt(Element* e) {
    ElementRef handle;
    handle.element_ = e;
    return handle;
}

ElementRef::ElementRef(const ElementRef& other) : element_(other.element_) {
    if (element_ != nullptr) {
        ++element_->references;
    }
}

ElementRef& ElementRef::operator=(const ElementRef& other) {
    if (this == &other || other.element_ == element_) {
        return *this;
    }
    // Take the new reference first: other may live inside the tree the old target holds.
    Element* const old = element_;
    element_ = other.element_;
    if (element_ != nullptr) {
        ++element_->references;
    }
    release_element(old);
    return *this;
}

ElementRef::ElementRef(ElementRef&& other) noexcept : element_(std::exchange(other.element_, nullptr)) {}

ElementRef& ElementRef::operator=(ElementRef&& other) noexcept {
    if (this == &other) {
        return *this;
    }
    Element* const old = std::exchange(element_, std::exchange(other.element_, nullptr));
    release_element(old);
    return *this;
}

ElementRef::~ElementRef() {
    release_element(element_);
}

Element* ElementRef::release_ownership() {
    return std::exchange(element_, nullptr);
}

BlockGrowthScope::BlockGrowthScope() : saved_step_(std::exchange(growth_step, block_growth_step)) {}

BlockGrowthScope::~BlockGrowthScope() {
    growth_step = saved_step_;
}

char* copy_span(const char* start, int n) {
    if (n < 0) {
        n = 0;
    }
    char* const copy = static_cast<char*>(xml_malloc(static_cast<std::size_t>(n) + 1));
    if (copy == nullptr) {
        return nullptr;
    }
    if (n > 0) {
        std::memcpy(copy, start, static_cast<std::size_t>(n));
    }
    copy[n] = '\0';
    return copy;
}

char* copy_string(const char* s) {
    if (s == nullptr) {
        return nullptr;
    }
    const std::size_t length = std::strlen(s);
    char* const copy = static_cast<char*>(xml_malloc(length + 1));
    if (copy != nullptr) {
        std::memcpy(copy, s, length + 1);
    }
    return copy;
}

bool names_equal(const char* a, const char* b) {
    if (a == nullptr || b == nullptr) {
        return false;
    }
    for (; *a != '\0' && *b != '\0'; ++a, ++b) {
        if (fold_ascii(*a) != fold_ascii(*b)) {
            return false;
        }
    }
    return *a == *b;
}

ElementRef new_element(Element* parent, char* name, bool question_tag) {
    void* const block = xml_calloc(1, header_bytes + sizeof(Element));
    if (block == nullptr) {
        std::free(name);
        return {};
    }
    Element* const e = record_after(block, nullptr);
    e->name = name;
    e->question_tag = question_tag ? 1 : 0;
    e->parent = parent;
    e->references = 1;
    return ElementRef::adopt(e);
}

Element* new_arena_element(TreeArena* arena, Element* parent, char* name, bool question_tag) {
    void* const block = arena_record(arena, header_bytes + sizeof(Element));
    if (block == nullptr) {
        return nullptr;
    }
    Element* const e = record_after(block, arena);
    *e = Element{name,    0,       0,       0,       0, question_tag ? 1 : 0, parent, nullptr,
                 nullptr, nullptr, nullptr, nullptr, 1};
    hold_arena(arena);
    return e;
}

TreeArena* arena_of(const Element* element) {
    return arena_in(*header_of(element));
}

void note_own_strings(Element* element) {
    note_string_added(element);
}

ElementRef new_document_root() {
    return new_element(nullptr, nullptr, false);
}

ElementRef append_child(Element* element, char* name, bool question_tag) {
    if (element == nullptr || name == nullptr) {
        std::free(name);
        return {};
    }
    const int n = element->child_count;
    if (!make_room(element, element->children, n)) {
        std::free(name);
        return {};
    }
    // The children entry takes over the creation handle's reference.
    Element* const child = new_element(element, name, question_tag).release_ownership();
    if (child == nullptr) {
        return {};
    }
    element->children[n] = child;
    add_content_entry(element, n, content_child);
    ++element->child_count;
    ++child->references;
    return ElementRef::adopt(child);
}

Attribute* append_attribute(Element* element, char* name, char* value) {
    const int n = element != nullptr ? element->attribute_count : 0;
    if (element == nullptr || name == nullptr || !make_room(element, element->attributes, n)) {
        std::free(name);
        std::free(value);
        return nullptr;
    }
    note_string_added(element);
    element->attributes[n] = Attribute{name, value};
    add_content_entry(element, n, content_attribute);
    ++element->attribute_count;
    return &element->attributes[n];
}

char* append_text(Element* element, char* text) {
    const int n = element != nullptr ? element->text_count : 0;
    if (element == nullptr || text == nullptr || !make_room(element, element->texts, n)) {
        std::free(text);
        return nullptr;
    }
    note_string_added(element);
    element->texts[n] = text;
    add_content_entry(element, n, content_text);
    ++element->text_count;
    return text;
}

VerbatimBlock* append_verbatim_block(Element* element, char* content, const char* opening,
                                     const char* closing) {
    const int n = element != nullptr ? element->block_count : 0;
    if (element == nullptr || content == nullptr || !make_room(element, element->blocks, n)) {
        std::free(content);
        return nullptr;
    }
    note_string_added(element);
    element->blocks[n] = VerbatimBlock{opening, content, closing};
    add_content_entry(element, n, content_block);
    ++element->block_count;
    return &element->blocks[n];
}

ElementRef child_at(const ElementRef& handle, int index) {
    const Element* const e = handle.get();
    if (e == nullptr || index < 0 || index >= e->child_count) {
        return {};
    }
    Element* const child = e->children[index];
    ++child->references;
    return ElementRef::adopt(child);
}

int count_children_named(const ElementRef& handle, const char* name) {
    const Element* const e = handle.get();
    if (e == nullptr) {
        return 0;
    }
    int count = 0;
    for (int i = 0; i < e->child_count; ++i) {
        if (names_equal(e->children[i]->name, name)) {
            ++count;
        }
    }
    return count;
}

const char* attribute_value_named(const Element* element, const char* name, int n) {
    if (element == nullptr || n < 0) {
        return nullptr;
    }
    for (int i = 0; i < element->attribute_count; ++i) {
        if (names_equal(element->attributes[i].name, name) && n-- == 0) {
            return element->attributes[i].value;
        }
    }
    return nullptr;
}

const char* first_text(const Element* element) {
    if (element == nullptr || element->text_count == 0) {
        return nullptr;
    }
    return element->texts[0];
}

void release_element(Element* element) {
    if (element == nullptr || --element->references > 0) {
        return;
    }
    if (element->parent != nullptr) {
        unlink_from_parent(element);
    }
    for (int i = 0; i < element->child_count; ++i) {
        Element* const child = element->children[i];
        child->parent = nullptr;
        release_element(child);
    }
    free_contents(element);
}

void unlink_from_parent(Element* element) {
    Element* const parent = element->parent;
    if (parent == nullptr) {
        return;
    }
    int i = 0;
    while (i < parent->child_count && parent->children[i] != element) {
        ++i;
    }
    if (i == parent->child_count) {
        return; // not among the parent's children: nothing to keep consistent
    }
    const int old_entries = content_count(parent);
    --parent->child_count;
    if (parent->child_count > 0) {
        std::copy(parent->children + i + 1, parent->children + parent->child_count + 1, parent->children + i);
    } else {
        free_entries(parent->children);
        parent->children = nullptr;
    }
    element->parent = nullptr;
    int* const order = parent->content_order;
    int at = 0;
    while (at < old_entries && order[at] != i * 4) {
        ++at;
    }
    if (at == old_entries) {
        return;
    }
    for (int k = at; k + 1 < old_entries; ++k) {
        const int entry = order[k + 1];
        order[k] = content_entry_kind(entry) == content_child ? entry - 4 : entry;
    }
}

void compact_element(Element* element) {
    if (growth_step <= 1 || element == nullptr) {
        return;
    }
    trim(element->content_order, content_count(element));
    trim(element->children, element->child_count);
    trim(element->attributes, element->attribute_count);
    trim(element->texts, element->text_count);
    trim(element->blocks, element->block_count);
}
