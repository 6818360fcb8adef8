#include "xml/element.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <span>

int growth_step = 0;

namespace {

// Makes room for the item at index n of an array whose count before the add is n, by the
// growth rule: step 0 reallocates to exactly n + 1; a positive step allocates in blocks.
template <typename T> T* grow(T* array, int n, int step) {
    std::size_t room = 0;
    if (array == nullptr) {
        room = step == 0 ? 1 : static_cast<std::size_t>(step);
    } else if (step == 0 || (n + 1) % step == 0) {
        room = static_cast<std::size_t>(n) + 1 + static_cast<std::size_t>(step);
    } else {
        return array;
    }
    // T is often a pointer (the children): room counts pointers, not the elements they point to.
    return static_cast<T*>(std::realloc(array, room * sizeof(T))); // NOLINT(bugprone-sizeof-expression)
}

int content_count(const Element* e) {
    return e->child_count + e->text_count + e->block_count + e->attribute_count;
}

void add_content_entry(Element* e, int index, content_kind kind) {
    const int n = content_count(e);
    e->content_order = grow(e->content_order, n, 3 * growth_step);
    e->content_order[n] = index * 4 + kind;
}

// Reallocates to exactly count entries; an emptied array is freed.
template <typename T> void trim(T*& array, int count) {
    if (array == nullptr) {
        return;
    }
    if (count <= 0) {
        std::free(array);
        array = nullptr;
        return;
    }
    // A fresh exact block rather than an in-place shrink: the large parse-time block then goes
    // back whole to the allocator, ready for the next element, instead of being split up.
    const std::size_t bytes = std::span<const T>(array, static_cast<std::size_t>(count)).size_bytes();
    T* const exact = static_cast<T*>(std::malloc(bytes));
    std::memcpy(exact, array, bytes);
    std::free(array);
    array = exact;
}

Attribute null_attribute{};
VerbatimBlock null_block{};

void free_contents(Element* e) {
    for (int i = 0; i < e->text_count; ++i) {
        std::free(e->texts[i]);
    }
    for (int i = 0; i < e->block_count; ++i) {
        std::free(e->blocks[i].content);
    }
    for (int i = 0; i < e->attribute_count; ++i) {
        std::free(e->attributes[i].name);
        std::free(e->attributes[i].value);
    }
    std::free(e->children);
    std::free(e->texts);
    std::free(e->blocks);
    std::free(e->attributes);
    std::free(e->content_order);
    std::free(e->name);
    std::free(e);
}

} // namespace

ElementRef new_element(Element* parent, char* name, bool question_tag) {
    auto* const e = static_cast<Element*>(std::calloc(1, sizeof(Element)));
    e->name = name;
    e->question_tag = question_tag ? 1 : 0;
    e->parent = parent;
    e->references = 1;
    return ElementRef::adopt(e);
}

ElementRef new_document_root() {
    return new_element(nullptr, nullptr, false);
}

ElementRef append_child(Element* element, char* name, bool question_tag) {
    if (name == nullptr) {
        return {};
    }
    const int n = element->child_count;
    // The children entry takes over the creation handle's reference.
    Element* const child = new_element(element, name, question_tag).release_ownership();
    element->children = grow(element->children, n, growth_step);
    element->children[n] = child;
    add_content_entry(element, n, content_child);
    ++element->child_count;
    ++child->references;
    return ElementRef::adopt(child);
}

Attribute* append_attribute(Element* element, char* name, char* value) {
    if (name == nullptr) {
        std::free(value); // ownership of the value was handed over with the call
        return &null_attribute;
    }
    const int n = element->attribute_count;
    element->attributes = grow(element->attributes, n, growth_step);
    element->attributes[n] = Attribute{name, value};
    add_content_entry(element, n, content_attribute);
    ++element->attribute_count;
    return &element->attributes[n];
}

char* append_text(Element* element, char* text) {
    if (text == nullptr) {
        return nullptr;
    }
    const int n = element->text_count;
    element->texts = grow(element->texts, n, growth_step);
    element->texts[n] = text;
    add_content_entry(element, n, content_text);
    ++element->text_count;
    return text;
}

VerbatimBlock* append_verbatim_block(Element* element, char* content, const char* opening,
                                     const char* closing) {
    if (content == nullptr) {
        return &null_block;
    }
    const int n = element->block_count;
    element->blocks = grow(element->blocks, n, growth_step);
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
        std::free(parent->children);
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
