// Collects the content of an element while the parser reads it, and stores it in the element,
// each array allocated once at its exact size, when the element is finished.
#pragma once

#include "xml/element.h"

#include <deque>
#include <vector>

class ContentCollector {
  public:
    // The child's reference is the one that its children entry will hold.
    void add_child(Element* child);
    void add_attribute(char* name, char* value); // takes ownership of both
    void add_text(char* text);                   // takes ownership
    void add_block(char* content, const char* opening, const char* closing);

    // Appends everything collected to element's arrays, in the order collected, and empties the
    // collector (its capacity stays for the next element).
    void store_in(Element* element);

  private:
    std::vector<Element*> children_;
    std::vector<char*> texts_;
    std::vector<VerbatimBlock> blocks_;
    std::vector<Attribute> attributes_;
    std::vector<int> order_; // entries indexed from 0 within this collection
};

// One collector per nesting level, reused by every element at that level. A deque, so that a
// level's collector stays in place while deeper levels are added.
class CollectorStack {
  public:
    ContentCollector& at_level(int level);

  private:
    std::deque<ContentCollector> levels_;
};
