#include "xml/content_collector.h"

#include <cstdlib>
#include <cstring>
#include <span>

namespace {

// Replaces array (count entries) with one exact block holding them followed by the collected
// items; nothing changes when nothing was collected.
template <typename T> void append_exact(T*& array, int count, const std::vector<T>& collected) {
    if (collected.empty()) {
        return;
    }
    // Byte counts through spans: T is often a pointer (the children), and these are its arrays.
    const std::size_t old_bytes = std::span<const T>(array, static_cast<std::size_t>(count)).size_bytes();
    const std::size_t new_bytes = std::span<const T>(collected).size_bytes();
    T* const exact = static_cast<T*>(std::malloc(old_bytes + new_bytes));
    if (count > 0) {
        std::memcpy(exact, array, old_bytes);
    }
    std::memcpy(reinterpret_cast<char*>(exact) + old_bytes, collected.data(), new_bytes);
    std::free(array);
    array = exact;
}

int content_count(const Element* e) {
    return e->child_count + e->text_count + e->block_count + e->attribute_count;
}

} // namespace

void ContentCollector::add_child(Element* child) {
    order_.push_back(static_cast<int>(children_.size()) * 4 + content_child);
    children_.push_back(child);
}

void ContentCollector::add_attribute(char* name, char* value) {
    order_.push_back(static_cast<int>(attributes_.size()) * 4 + content_attribute);
    attributes_.push_back(Attribute{name, value});
}

void ContentCollector::add_text(char* text) {
    order_.push_back(static_cast<int>(texts_.size()) * 4 + content_text);
    texts_.push_back(text);
}

void ContentCollector::add_block(char* content, const char* opening, const char* closing) {
    order_.push_back(static_cast<int>(blocks_.size()) * 4 + content_block);
    blocks_.push_back(VerbatimBlock{opening, content, closing});
}

void ContentCollector::store_in(Element* element) {
    if (order_.empty()) {
        return;
    }
    // Indexes continue after what the element already holds (nothing, for a parsed element).
    const int offsets[4] = {element->child_count, element->attribute_count, element->text_count,
                            element->block_count};
    if (offsets[0] + offsets[1] + offsets[2] + offsets[3] > 0) {
        for (int& entry : order_) {
            entry += offsets[content_entry_kind(entry)] * 4;
        }
    }
    append_exact(element->content_order, content_count(element), order_);
    append_exact(element->children, element->child_count, children_);
    append_exact(element->attributes, element->attribute_count, attributes_);
    append_exact(element->texts, element->text_count, texts_);
    append_exact(element->blocks, element->block_count, blocks_);
    element->child_count += static_cast<int>(children_.size());
    element->attribute_count += static_cast<int>(attributes_.size());
    element->text_count += static_cast<int>(texts_.size());
    element->block_count += static_cast<int>(blocks_.size());
    children_.clear();
    texts_.clear();
    blocks_.clear();
    attributes_.clear();
    order_.clear();
}

ContentCollector& CollectorStack::at_level(int level) {
    while (static_cast<int>(levels_.size()) <= level) {
        levels_.emplace_back();
    }
    return levels_[static_cast<std::size_t>(level)];
}
