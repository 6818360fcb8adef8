// Owned strings and singly linked lists of them: the values every paragraph,
// symbol and name of the program is made of.
#pragma once

#include <cstddef>

// An owned, NUL-terminated 8-bit string. `chars` is never null and is always
// exactly length + 1 bytes; change it only through the functions below.
struct Text {
    Text* chain = nullptr; // next element while in a TextList
    char* chars;           // owned; empty = a shared NUL byte, never written to

    Text() noexcept;
    explicit Text(const char* s);           // exact-size copy; null -> empty
    Text(const Text& other);                // deep copy; chain = nullptr
    Text& operator=(const Text& other);     // deep copy of chars; chain unchanged
    Text(Text&& other) noexcept;            // other is left a valid empty Text
    Text& operator=(Text&& other) noexcept; // other is left a valid empty Text; chains unchanged
    ~Text();
};

// Every operation that allocates either completes or throws std::bad_alloc
// with its arguments unchanged.

// Replaces t's content with an exact-size copy of s; null s leaves t unchanged.
void text_assign(Text& t, const char* s);
// Replaces t's content with t's old content followed by s; null s leaves t unchanged.
void text_append(Text& t, const char* s);

// The order used to sort symbols: bytes compared unsigned, only 'A'-'Z' folded
// to lower case. Returns <0, 0 or >0. Null is treated as "".
int compare_ignoring_ascii_case(const char* a, const char* b);

// A singly linked list of Text elements through `chain`. The list owns its
// elements (each allocated with new); positions are 0-based.
struct TextList {
    Text* first = nullptr;

    TextList() = default;
    TextList(const TextList& other);            // deep copy
    TextList& operator=(const TextList& other); // deep copy
    TextList(TextList&& other) noexcept;        // other is left empty
    TextList& operator=(TextList&& other) noexcept;
    ~TextList(); // text_list_clear
};

// Takes ownership of e (allocated with new), sets its chain to null and links it
// last. Returns e. A null e changes nothing.
Text* text_list_append_element(TextList& list, Text* e);
// The element at position i; null past the end or for i < 0.
Text* text_list_at(const TextList& list, int i);
// Unlinks and destroys e. Returns e's successor, or null when e was last or
// was not in the list (then nothing changes).
Text* text_list_remove(TextList& list, Text* e);
void text_list_clear(TextList& list);
// dst becomes a deep copy of src (copying a list onto itself changes nothing).
void text_list_copy(TextList& dst, const TextList& src);

// The two owning chains of the model (symbols through `chain`, paragraphs
// through `next_paragraph`) are unlinked and destroyed the same way.

// The node at position i of the chain that starts at head; null past the end
// or for i < 0.
template <typename Node, Node* Node::*next> Node* chain_at(Node* head, int i) {
    if (i < 0) {
        return nullptr;
    }
    for (; head && i > 0; --i) {
        head = head->*next;
    }
    return head;
}

// Unlinks e from the chain that starts at head and deletes it. Returns e's
// successor, or null when e was last or not in the chain (then nothing changes).
template <typename Node, Node* Node::*next> Node* chain_remove(Node*& head, Node* e) {
    if (!e) {
        return nullptr;
    }
    Node** link = &head;
    while (*link && *link != e) {
        link = &((*link)->*next);
    }
    if (!*link) {
        return nullptr;
    }
    Node* const successor = e->*next;
    *link = successor;
    delete e;
    return successor;
}

// Deletes every node of the chain; a loop, not recursion, as chains may be long.
template <typename Node, Node* Node::*next> void chain_clear(Node*& head) {
    Node* node = head;
    head = nullptr;
    while (node) {
        Node* const following = node->*next;
        delete node;
        node = following;
    }
}
