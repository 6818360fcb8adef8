// Reads elements from tokens: one call per open element, its content collected and stored
// at exact sizes when the element ends.
#include "xml/parser.h"

#include "xml/allocation.h"
#include "xml/element_array.h"
#include "xml/entities.h"
#include "xml/tokenizer.h"
#include "xml/tree_arena.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

namespace {

// A new block holding array's count entries followed by the collected ones, in fresh; fresh
// stays null when nothing was collected. False when memory ran out.
template <typename T> bool join(T*& fresh, const T* array, int count, const CheckedArray<T>& collected) {
    fresh = nullptr;
    if (collected.empty()) {
        return true;
    }
    constexpr std::size_t item_bytes = entry_bytes_of<T>;
    const std::size_t old_bytes = static_cast<std::size_t>(count) * item_bytes;
    const std::size_t new_bytes = collected.size() * item_bytes;
    fresh = allocate_array<T>(static_cast<std::size_t>(count) + collected.size());
    if (fresh == nullptr) {
        return false;
    }
    if (count > 0) {
        std::memcpy(fresh, array, old_bytes);
    }
    std::memcpy(reinterpret_cast<char*>(fresh) + old_bytes, collected.begin(), new_bytes);
    return true;
}

template <typename T> void replace_with(T*& array, T* fresh) {
    if (fresh != nullptr) {
        free_entries(array);
        array = fresh;
    }
}

// Collects the content of an element while the parser reads it, and stores it in the element,
// each array allocated once at its exact size, when the element is finished.
class ContentCollector {
  public:
    ContentCollector() = default;
    ContentCollector(const ContentCollector&) = delete;
    ContentCollector& operator=(const ContentCollector&) = delete;
    ~ContentCollector() { discard(); }

    // The strings lie in the parse's arena. When memory runs out each gives false; a child is
    // then released at once (the reference its children entry would have held).
    bool add_child(Element* child) {
        if (add(children_, child, content_child)) {
            return true;
        }
        child->parent = nullptr;
        release_element(child);
        return false;
    }
    bool add_attribute(char* name, char* value) {
        return add(attributes_, Attribute{name, value}, content_attribute);
    }
    bool add_text(char* text) { return add(texts_, text, content_text); }
    bool add_block(char* content, const char* opening, const char* closing) {
        return add(blocks_, VerbatimBlock{opening, content, closing}, content_block);
    }

    // Appends everything collected to element's arrays, in the order collected. An element from
    // outside the arena gets copies of the strings of its own. Out of memory it releases what
    // was collected, leaves the element as it was and gives false. Either way the collector is
    // empty afterwards (its capacity stays for the next element).
    bool store_in(Element* element, const TreeArena* arena);

  private:
    template <typename T> bool add(CheckedArray<T>& items, const T& item, content_kind kind) {
        if (!order_.push(static_cast<int>(items.size()) * 4 + kind)) {
            return false;
        }
        if (!items.push(item)) {
            order_.pop();
            return false;
        }
        return true;
    }
    void clear() {
        children_.clear();
        texts_.clear();
        blocks_.clear();
        attributes_.clear();
        order_.clear();
    }
    void discard();
    bool copy_strings();
    void free_strings(std::size_t count); // the first count strings not null, in collection order

    CheckedArray<Element*> children_;
    CheckedArray<char*> texts_;
    CheckedArray<VerbatimBlock> blocks_;
    CheckedArray<Attribute> attributes_;
    CheckedArray<int> order_; // entries indexed from 0 within this collection
};

// Replaces each collected string with a copy of its own allocation; false when memory ran out
// (the copies made so far are freed).
bool ContentCollector::copy_strings() {
    std::size_t copied = 0;
    const auto copy = [&copied](char*& s) {
        if (s == nullptr) {
            return true;
        }
        s = copy_string(s);
        copied += s != nullptr ? 1 : 0;
        return s != nullptr;
    };
    bool complete = true;
    for (char*& text : texts_) {
        complete = complete && copy(text);
    }
    for (VerbatimBlock& block : blocks_) {
        complete = complete && copy(block.content);
    }
    for (Attribute& attribute : attributes_) {
        complete = complete && copy(attribute.name) && copy(attribute.value);
    }
    if (!complete) {
        free_strings(copied); // the copies come first, in the order made
    }
    return complete;
}

void ContentCollector::free_strings(std::size_t count) {
    const auto free_one = [&count](char* s) {
        if (count > 0 && s != nullptr) {
            --count;
            std::free(s);
        }
    };
    for (char* const text : texts_) {
        free_one(text);
    }
    for (const VerbatimBlock& block : blocks_) {
        free_one(block.content);
    }
    for (const Attribute& attribute : attributes_) {
        free_one(attribute.name);
        free_one(attribute.value);
    }
}

bool ContentCollector::store_in(Element* element, const TreeArena* arena) {
    if (order_.empty()) {
        return true;
    }
    const bool copied = arena_of(element) != arena;
    if (copied && !copy_strings()) {
        discard();
        return false;
    }
    // Indexes continue after what the element already holds (nothing, for a parsed element).
    const int offsets[4] = {element->child_count, element->attribute_count, element->text_count,
                            element->block_count};
    for (int& entry : order_) {
        entry += offsets[content_entry_kind(entry)] * 4;
    }
    // Every block first, so that a failure leaves the element untouched.
    int* order = nullptr;
    Element** children = nullptr;
    Attribute* attributes = nullptr;
    char** texts = nullptr;
    VerbatimBlock* blocks = nullptr;
    const bool joined = join(order, element->content_order, content_count(element), order_) &&
                        join(children, element->children, element->child_count, children_) &&
                        join(attributes, element->attributes, element->attribute_count, attributes_) &&
                        join(texts, element->texts, element->text_count, texts_) &&
                        join(blocks, element->blocks, element->block_count, blocks_);
    if (!joined) {
        free_entries(order);
        free_entries(children);
        free_entries(attributes);
        free_entries(texts);
        free_entries(blocks);
        if (copied) {
            free_strings(SIZE_MAX);
        }
        discard();
        return false;
    }
    if (copied) {
        note_own_strings(element);
    }
    replace_with(element->content_order, order);
    replace_with(element->children, children);
    replace_with(element->attributes, attributes);
    replace_with(element->texts, texts);
    replace_with(element->blocks, blocks);
    element->child_count += static_cast<int>(children_.size());
    element->attribute_count += static_cast<int>(attributes_.size());
    element->text_count += static_cast<int>(texts_.size());
    element->block_count += static_cast<int>(blocks_.size());
    clear();
    return true;
}

void ContentCollector::discard() {
    for (Element* const child : children_) {
        child->parent = nullptr;
        release_element(child);
    }
    clear();
}

// One collector per nesting level, reused by every element at that level. Each collector is a
// block of its own, so that it stays in place while deeper levels are added. With them, the
// arena that the tree's records and strings come from.
class CollectorStack {
  public:
    explicit CollectorStack(TreeArena* arena) : arena_(arena) {}
    CollectorStack(const CollectorStack&) = delete;
    CollectorStack& operator=(const CollectorStack&) = delete;
    ~CollectorStack() {
        for (ContentCollector* const collector : levels_) {
            collector->~ContentCollector();
            std::free(collector);
        }
        if (arena_ != nullptr) {
            release_arena(arena_); // the elements built hold it on
        }
    }

    TreeArena* arena() const { return arena_; }

    // Null when memory ran out.
    ContentCollector* at_level(int level) {
        while (levels_.size() <= static_cast<std::size_t>(level)) {
            void* const block = xml_malloc(sizeof(ContentCollector));
            if (block == nullptr) {
                return nullptr;
            }
            auto* const collector = new (block) ContentCollector;
            if (!levels_.push(collector)) {
                collector->~ContentCollector();
                std::free(block);
                return nullptr;
            }
        }
        return levels_[static_cast<std::size_t>(level)];
    }

  private:
    CheckedArray<ContentCollector*> levels_;
    TreeArena* arena_;
};

enum class TagState { expect_name, after_name, after_equals };

// What one parse_into call remembers between tokens.
struct Frame {
    Element* element;
    ContentCollector& content; // the element's content until it is finished
    CollectorStack& collectors;
    int level; // nesting level of the element, 0 for the element parse_into was called on
    bool content_mode;
    TagState tag_state = TagState::expect_name;
    const char* text_start = nullptr;
    const char* attribute_name = nullptr;
    int attribute_name_length = 0;
};

int fail(ParseState& state, int code) {
    state.code = code;
    return 0;
}

// The text ended inside something unfinished (a tag, an end tag, an entity, a verbatim block,
// an element): the file was cut short. What was complete stays; the unfinished part is dropped.
int end_cut_short(ParseState& state) {
    state.position += static_cast<int>(std::strlen(state.input + state.position));
    state.code = parse_ends_inside_element_warning;
    state.warning_position = state.position;
    return 0;
}

// A token that the end of the text may have cut: the end itself, or a word running into it.
bool cut_by_end(const Token& token) {
    return token.kind == TokenKind::end_of_text ||
           (token.kind == TokenKind::word && token.start[token.length] == '\0');
}

// The span decoded into the arena; null with the code set when an entity is outside the table
// or memory ran out.
char* decode_in_arena(ParseState& state, TreeArena* arena, const char* start, int length) {
    char* const room = arena_string_room(arena, static_cast<std::size_t>(length));
    if (room == nullptr) {
        state.code = parse_out_of_memory;
        return nullptr;
    }
    char* const nul = decode_entities_to(start, length, room);
    if (nul == nullptr) {
        arena_string_end(arena, room - 1);
        state.code = parse_unknown_entity;
        return nullptr;
    }
    arena_string_end(arena, nul);
    return room;
}

// Stores the remembered text, decoded and trimmed; false when decoding failed.
bool flush_text(ParseState& state, Frame& frame, const char* token_start) {
    if (frame.text_start == nullptr) {
        return true;
    }
    const int length =
        trim_trailing_whitespace(frame.text_start, static_cast<int>(token_start - frame.text_start));
    char* const value = decode_in_arena(state, frame.collectors.arena(), frame.text_start, length);
    frame.text_start = nullptr;
    if (value == nullptr) {
        return false;
    }
    if (!frame.content.add_text(value)) {
        state.code = parse_out_of_memory;
        return false;
    }
    return true;
}

// -1 to go on after the block, otherwise 0 (code set).
int read_verbatim_block(ParseState& state, Frame& frame, const VerbatimMarker& marker) {
    const char* const start = state.input + state.position;
    const char* const end = std::strstr(start, marker.closing);
    if (end == nullptr) {
        return end_cut_short(state); // the block runs to the end of the text: it goes
    }
    const int length = static_cast<int>(end - start);
    char* const copy = arena_copy_span(frame.collectors.arena(), start, length);
    if (copy == nullptr || !frame.content.add_block(copy, marker.opening, marker.closing)) {
        return fail(state, parse_out_of_memory);
    }
    state.position += length + static_cast<int>(std::strlen(marker.closing));
    return -1;
}

int fill_element(Element* element, ParseState& state, CollectorStack& collectors, int level);

// Consumes "/>" when it is the next token, as scan_token would give it.
bool empty_tag_follows(ParseState& state) {
    const char* const input = state.input;
    int p = state.position;
    while (is_xml_whitespace(input[p])) {
        ++p;
    }
    if (input[p] != '/' || input[p + 1] != '>') {
        return false;
    }
    state.position = p + 2;
    return true;
}

// "<" or "<?" in content: opens a child and parses it. Returns -1 to go on in content mode,
// otherwise parse_into's result for element.
int open_child_named(ParseState& state, Frame& frame, bool question, const Token& name) {
    Element* const element = frame.element;
    if (cut_by_end(name)) {
        return end_cut_short(state); // half a name makes no element
    }
    if (name.kind != TokenKind::word) {
        return fail(state, parse_missing_start_tag_name);
    }
    if (state.depth >= max_nesting_depth) {
        return fail(state, parse_nested_too_deeply);
    }
    TreeArena* const arena = frame.collectors.arena();
    char* const child_name = arena_copy_span(arena, name.start, name.length);
    if (child_name == nullptr) {
        return fail(state, parse_out_of_memory);
    }
    // The creation reference becomes the one of the child's entry in element's children.
    Element* const child = new_arena_element(arena, element, child_name, question);
    if (child == nullptr || !frame.content.add_child(child)) {
        return fail(state, parse_out_of_memory);
    }
    if (empty_tag_follows(state)) {
        return -1; // "<name/>": closed at once, nothing to collect
    }
    const int needs_end_tag = question ? 0 : 1;
    ++state.depth;
    state.open_elements += needs_end_tag;
    const int closed = fill_element(child, state, frame.collectors, frame.level + 1);
    state.open_elements -= needs_end_tag;
    --state.depth;
    if (closed == 0) {
        return 0;
    }
    if (state.pending_end_length == 0) {
        return -1;
    }
    // An end tag that did not match the child closes this element as well.
    if (element->name == nullptr) {
        return fail(state, parse_unmatched_end_tag);
    }
    if (end_name_matches(element->name, state.pending_end_name)) {
        state.pending_end_length = 0;
    }
    return 1;
}

int open_child(ParseState& state, Frame& frame, bool question) {
    return open_child_named(state, frame, question, scan_token(state));
}

int read_end_tag(Element* element, ParseState& state) {
    const Token name = scan_token(state);
    if (cut_by_end(name)) {
        return end_cut_short(state);
    }
    if (name.kind != TokenKind::word) {
        return fail(state, parse_missing_end_tag_name);
    }
    const Token close = scan_token(state);
    if (close.kind == TokenKind::end_of_text) {
        return end_cut_short(state);
    }
    if (close.kind != TokenKind::tag_close) {
        return fail(state, parse_missing_end_tag_name);
    }
    if (!end_name_matches(element->name, name.start)) {
        state.code = parse_unmatched_end_tag_warning;
        state.warning_position = state.position;
        state.pending_end_name = name.start;
        state.pending_end_length = name.length;
    }
    return 1;
}

// One token in content mode: -1 to go on, otherwise parse_into's result.
int content_token(ParseState& state, Frame& frame, const Token& token) {
    switch (token.kind) {
    case TokenKind::word:
    case TokenKind::quoted:
    case TokenKind::equals:
        if (frame.text_start == nullptr) {
            frame.text_start = token.start;
        }
        return -1;
    case TokenKind::tag_close:
    case TokenKind::empty_tag_close:
        return fail(state, parse_unexpected_token);
    case TokenKind::tag_open:
    case TokenKind::question_open:
        if (frame.text_start != nullptr && !flush_text(state, frame, token.start)) {
            return 0;
        }
        return open_child(state, frame, token.kind == TokenKind::question_open);
    case TokenKind::end_tag_open:
        if (frame.text_start != nullptr && !flush_text(state, frame, token.start)) {
            return 0;
        }
        return read_end_tag(frame.element, state);
    case TokenKind::verbatim_open:
        if (frame.text_start != nullptr && !flush_text(state, frame, token.start)) {
            return 0;
        }
        return read_verbatim_block(state, frame, *token.marker);
    default:
        return 0;
    }
}

// Drops a question tag's closing "?" from the end of a name or value.
int without_question_mark(const Element* element, const char* start, int length) {
    if (element->question_tag != 0 && length > 0 && start[length - 1] == '?') {
        return length - 1;
    }
    return length;
}

// Stores an attribute named by the remembered name; takes ownership of value. False when memory
// ran out (code set).
bool store_attribute(ParseState& state, const Frame& frame, char* value) {
    char* const name =
        arena_copy_span(frame.collectors.arena(), frame.attribute_name, frame.attribute_name_length);
    if (name == nullptr || !frame.content.add_attribute(name, value)) {
        state.code = parse_out_of_memory;
        return false;
    }
    return true;
}

// The value of the remembered attribute name, a word or a quoted string: stores the attribute
// and expects the next name. -1 to go on, otherwise 0 (code set).
int take_value(ParseState& state, Frame& frame, const Token& token) {
    const char* start = token.start;
    int length = without_question_mark(frame.element, start, token.length);
    if (token.kind == TokenKind::quoted) {
        start += 1;
        length -= 2;
    }
    char* const value = decode_in_arena(state, frame.collectors.arena(), start, length < 0 ? 0 : length);
    if (value == nullptr || !store_attribute(state, frame, value)) {
        return 0;
    }
    frame.tag_state = TagState::expect_name;
    return -1;
}

// One token in tag mode: -1 to go on, otherwise parse_into's result.
int tag_token(ParseState& state, Frame& frame, const Token& token) {
    const Element* const element = frame.element;
    if (cut_by_end(token)) {
        // A name followed by another had no value; the last word may be cut, so it goes.
        if (frame.tag_state == TagState::after_name && !store_attribute(state, frame, nullptr)) {
            return 0;
        }
        return end_cut_short(state);
    }
    switch (frame.tag_state) {
    case TagState::expect_name:
        if (token.kind == TokenKind::word) {
            frame.attribute_name = token.start;
            frame.attribute_name_length = token.length;
            frame.tag_state = TagState::after_name;
            return -1;
        }
        if (token.kind == TokenKind::tag_close) {
            frame.content_mode = true;
            return -1;
        }
        if (token.kind == TokenKind::empty_tag_close) {
            return 1;
        }
        return fail(state, parse_unexpected_token);
    case TagState::after_name:
        if (token.kind == TokenKind::word) {
            if (!store_attribute(state, frame, nullptr)) {
                return 0;
            }
            frame.attribute_name = token.start;
            frame.attribute_name_length = token.length;
            return -1;
        }
        if (token.kind == TokenKind::equals) {
            frame.tag_state = TagState::after_equals;
            return -1;
        }
        if (token.kind == TokenKind::tag_close || token.kind == TokenKind::empty_tag_close) {
            frame.attribute_name_length =
                without_question_mark(element, frame.attribute_name, frame.attribute_name_length);
            if (frame.attribute_name_length > 0 && !store_attribute(state, frame, nullptr)) {
                return 0;
            }
            if (token.kind == TokenKind::empty_tag_close) {
                return 1;
            }
            frame.content_mode = true;
            return -1;
        }
        return fail(state, parse_unexpected_token);
    case TagState::after_equals:
        if (token.kind == TokenKind::word || token.kind == TokenKind::quoted) {
            return take_value(state, frame, token);
        }
        return fail(state, parse_unexpected_token);
    }
    return 0;
}

// Stores the text that the end of the text cut short, without an entity cut in half. It is the
// half-read part: when it cannot be decoded it goes, like the rest of what was unfinished. False
// when memory ran out (code set).
bool keep_cut_text(ParseState& state, Frame& frame) {
    const char* const start = frame.text_start;
    frame.text_start = nullptr;
    const int length = without_cut_entity(start, static_cast<int>(state.input + state.position - start));
    const int kept_code = state.code;
    char* const value =
        decode_in_arena(state, frame.collectors.arena(), start, trim_trailing_whitespace(start, length));
    if (value == nullptr) {
        if (state.code == parse_unknown_entity) {
            state.code = kept_code;
            return true;
        }
        return false;
    }
    if (!frame.content.add_text(value)) {
        state.code = parse_out_of_memory;
        return false;
    }
    return true;
}

// The text ended. Inside a start tag, or inside an element that needs an end tag, the file was
// cut short: what was read stays, the last text included (without an entity cut in half), and
// the parse warns. In the content of the root or of question tags this is the normal end.
int reach_end_of_text(ParseState& state, Frame& frame) {
    if (!frame.content_mode) {
        return end_cut_short(state); // an attribute waiting for its value goes
    }
    if (state.open_elements == 0) {
        return 0;
    }
    if (frame.text_start != nullptr && !keep_cut_text(state, frame)) {
        return 0;
    }
    return end_cut_short(state);
}

// Reads tokens into the frame's element until it is closed (1), the text ends or an error is
// set (0).
int read_element(ParseState& state, Frame& frame) {
    for (;;) {
        if (frame.content_mode) {
            // Right at a tag there is no text to skip.
            const char* const text = state.input[state.position] == '<' ? nullptr : skip_text_tokens(state);
            if (frame.text_start == nullptr) {
                frame.text_start = text;
            }
            // The most common token in content: a start tag with no text before it (a text to
            // store goes the common way, so that a failure to decode it stands after the "<").
            Token name{};
            if (frame.text_start == nullptr && scan_start_tag(state, name)) {
                const int outcome = open_child_named(state, frame, false, name);
                if (outcome >= 0) {
                    return outcome;
                }
                continue;
            }
        }
        // The most common run in a start tag: attributes with quoted values.
        Token name{};
        Token value{};
        while (!frame.content_mode && frame.tag_state == TagState::expect_name &&
               scan_quoted_attribute(state, name, value)) {
            frame.attribute_name = name.start;
            frame.attribute_name_length = name.length;
            if (take_value(state, frame, value) == 0) {
                return 0;
            }
        }
        const Token token = scan_token(state);
        if (token.kind == TokenKind::end_of_text) {
            return reach_end_of_text(state, frame);
        }
        const int outcome =
            frame.content_mode ? content_token(state, frame, token) : tag_token(state, frame, token);
        if (outcome >= 0) {
            return outcome;
        }
    }
}

// Fills element at the given nesting level. Its content is stored in it on every outcome, at
// exact sizes, so that the tree is whole (and can be released) also after an error.
int fill_element(Element* element, ParseState& state, CollectorStack& collectors, int level) {
    ContentCollector* const content = collectors.at_level(level);
    if (content == nullptr) {
        return fail(state, parse_out_of_memory);
    }
    Frame frame{element, *content, collectors, level, state.at_top != 0};
    state.at_top = 0;
    const int outcome = read_element(state, frame);
    if (!content->store_in(element, collectors.arena())) {
        return fail(state, parse_out_of_memory);
    }
    return outcome;
}

} // namespace

int parse_into(Element* element, ParseState& state) {
    // Owned by this parse and freed with it: a thread-local stack with a destructor would have
    // to be torn down at thread exit, which the Windows threads runtime does not survive.
    CollectorStack collectors(new_tree_arena());
    if (collectors.arena() == nullptr) {
        return fail(state, parse_out_of_memory);
    }
    return fill_element(element, state, collectors, 0);
}
