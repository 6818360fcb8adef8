#include "model/all_symbols.h"

#include "model/document.h"
#include "model/paragraph_order.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>

namespace {

// Where a symbol is first linked in the document: the paragraph's place, then
// the link's position among the paragraph's symbols.
struct Occurrence {
    std::uint64_t place = std::numeric_limits<std::uint64_t>::max();
    int link = std::numeric_limits<int>::max();

    bool operator<(const Occurrence& other) const {
        return place != other.place ? place < other.place : link < other.link;
    }
};

int first_link_of(const Paragraph& p, const char* symbol) {
    int link = 0;
    for (const Text* x = p.symbols.first; x != nullptr; x = x->chain, ++link) {
        if (std::strcmp(x->chars, symbol) == 0) {
            return link;
        }
    }
    return std::numeric_limits<int>::max();
}

Occurrence first_occurrence(const char* symbol, const std::vector<Paragraph*>& links) {
    Occurrence first;
    for (const Paragraph* p : links) {
        if (p->place < first.place) {
            first = {p->place, first_link_of(*p, symbol)};
        }
    }
    return first;
}

// The first eight bytes of a symbol, folded as compare_ignoring_ascii_case
// folds them, as one number that orders as they do: most symbols differ
// there, and comparing numbers is much quicker than comparing bytes.
std::uint64_t order_prefix(const char* symbol) {
    std::uint64_t prefix = 0;
    int i = 0;
    for (; i < 8 && symbol[i] != '\0'; ++i) {
        const auto c = static_cast<unsigned char>(symbol[i]);
        prefix = prefix << 8 | (c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    // A shorter symbol orders first, as a NUL would; the empty one first of all.
    return i == 0 ? 0 : prefix << (8 * (8 - i));
}

// Byte for byte equal. Written out rather than strcmp: counting a million
// paragraphs' symbols compares millions of short strings, and under Wine each
// call of the C library's strcmp cost as much as a whole hash lookup.
bool same_bytes(const char* a, const char* b) {
    while (*a != '\0' && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

// The distinct symbols met so far, numbered in the order met and found by
// their bytes: open addressing over their hashes, quicker than a map of
// nodes when millions of links are counted.
class symbol_numbers {
  public:
    std::uint32_t size() const { return static_cast<std::uint32_t>(symbols_.size()); }
    const char* symbol(std::uint32_t number) const { return symbols_[number]; }

    // The number of symbol, a new one if it was not met before. The symbol's
    // characters must stay while the numbers are used.
    std::uint32_t number_of(const char* symbol) {
        const std::uint64_t hash = text_hash(symbol);
        const std::size_t slot = slot_of(hash, symbol);
        if (slots_[slot] != 0) {
            return slots_[slot] - 1;
        }
        const std::uint32_t number = size();
        symbols_.push_back(symbol);
        hashes_.push_back(hash);
        slots_[slot] = number + 1;
        if (2 * symbols_.size() > slots_.size()) {
            grow();
        }
        return number;
    }

  private:
    std::size_t mask() const { return slots_.size() - 1; }

    std::size_t slot_of(std::uint64_t hash, const char* symbol) const {
        std::size_t slot = hash & mask();
        while (slots_[slot] != 0 &&
               (hashes_[slots_[slot] - 1] != hash || !same_bytes(symbols_[slots_[slot] - 1], symbol))) {
            slot = (slot + 1) & mask();
        }
        return slot;
    }

    void grow() {
        std::vector<std::uint32_t> slots(slots_.size() * 2, 0);
        slots_.swap(slots);
        for (std::uint32_t number = 0; number < size(); ++number) {
            std::size_t slot = hashes_[number] & mask();
            while (slots_[slot] != 0) {
                slot = (slot + 1) & mask();
            }
            slots_[slot] = number + 1;
        }
    }

    std::vector<const char*> symbols_;
    std::vector<std::uint64_t> hashes_;
    std::vector<std::uint32_t> slots_ = std::vector<std::uint32_t>(1024, 0); // number + 1; 0: free
};

// Grows a vector's room geometrically, so that adding one at a time stays linear.
template <typename T> void reserve_room(std::vector<T>& v, std::size_t needed) {
    if (needed > v.capacity()) {
        v.reserve(std::max(needed, v.capacity() * 2));
    }
}

} // namespace

const Text* AllSymbols::at(int position) const {
    if (position < 0 || position >= size()) {
        return nullptr;
    }
    return &entries_[static_cast<std::size_t>(position)].symbol;
}

const std::vector<Paragraph*>& AllSymbols::links_of(int position) const {
    static const std::vector<Paragraph*> none;
    if (position < 0 || position >= size()) {
        return none;
    }
    return entries_[static_cast<std::size_t>(position)].links;
}

int AllSymbols::group_start(const char* symbol) const {
    const auto found =
        std::lower_bound(entries_.begin(), entries_.end(), symbol, [](const Entry& e, const char* s) {
            return compare_ignoring_ascii_case(e.symbol.chars, s) < 0;
        });
    return static_cast<int>(found - entries_.begin());
}

int AllSymbols::group_end(const char* symbol) const {
    const auto found =
        std::upper_bound(entries_.begin(), entries_.end(), symbol, [](const char* s, const Entry& e) {
            return compare_ignoring_ascii_case(s, e.symbol.chars) < 0;
        });
    return static_cast<int>(found - entries_.begin());
}

int AllSymbols::find(const char* symbol) const {
    const int end = group_end(symbol);
    for (int i = group_start(symbol); i < end; ++i) {
        if (std::strcmp(entries_[static_cast<std::size_t>(i)].symbol.chars, symbol) == 0) {
            return i;
        }
    }
    return -1;
}

int AllSymbols::position_of(const char* symbol) const {
    return symbol != nullptr ? find(symbol) : -1;
}

void AllSymbols::add_links(Paragraph& p) {
    add_links(p, nullptr);
}

void AllSymbols::add_link(Paragraph& p, const Text& e) {
    add_links(p, &e);
}

// Everything that needs memory first (new entries built aside, room for every
// link and edit), then the changes, which need none.
void AllSymbols::add_links(Paragraph& p, const Text* only) {
    const auto counted = [only](const Text* x) { return only == nullptr || x == only; };
    const auto links_in_p = [&](const char* symbol) {
        std::size_t n = 0;
        for (const Text* y = p.symbols.first; y != nullptr; y = y->chain) {
            n += counted(y) && std::strcmp(y->chars, symbol) == 0 ? 1 : 0;
        }
        return n;
    };
    std::vector<Entry> fresh;
    std::size_t edits_needed = 0;
    for (const Text* x = p.symbols.first; x != nullptr; x = x->chain) {
        if (!counted(x)) {
            continue;
        }
        edits_needed += edits_for(x->chars);
        const int existing = find(x->chars);
        if (existing >= 0) {
            std::vector<Paragraph*>& links = entries_[static_cast<std::size_t>(existing)].links;
            reserve_room(links, links.size() + links_in_p(x->chars));
            continue;
        }
        const auto same = [x](const Entry& e) { return std::strcmp(e.symbol.chars, x->chars) == 0; };
        if (std::find_if(fresh.begin(), fresh.end(), same) == fresh.end()) {
            fresh.push_back(Entry{Text(x->chars), {}});
            fresh.back().links.reserve(links_in_p(x->chars));
        }
    }
    reserve_room(entries_, entries_.size() + fresh.size());
    reserve_room(edits_, edits_.size() + edits_needed);

    for (Entry& entry : fresh) {
        const int position = group_end(entry.symbol.chars);
        const char* const text = entry.symbol.chars;
        entries_.insert(entries_.begin() + position, std::move(entry));
        record(SymbolListEdit::kind::insert, position, text);
    }
    for (const Text* x = p.symbols.first; x != nullptr; x = x->chain) {
        if (counted(x)) {
            entries_[static_cast<std::size_t>(find(x->chars))].links.push_back(&p);
        }
    }
    for (const Text* x = p.symbols.first; x != nullptr; x = x->chain) {
        if (counted(x)) {
            order_group(find(x->chars));
        }
    }
}

// An insert or a remove, then at worst the whole group removed and inserted again.
std::size_t AllSymbols::edits_for(const char* symbol) const {
    return 1 + 2 * static_cast<std::size_t>(group_end(symbol) - group_start(symbol) + 1);
}

void AllSymbols::reserve_for_removal(const Paragraph& p, const Text* only) {
    std::size_t edits_needed = 0;
    for (const Text* x = p.symbols.first; x != nullptr; x = x->chain) {
        if (only == nullptr || x == only) {
            edits_needed += edits_for(x->chars);
        }
    }
    reserve_room(edits_, edits_.size() + edits_needed);
}

// Every link of p goes first, then the groups are ordered: ordered with p's
// links gone, and no symbol that goes is shown moved first.
void AllSymbols::remove_links(Paragraph& p) noexcept {
    for (const Text* x = p.symbols.first; x != nullptr; x = x->chain) {
        remove_from(p, x->chars, true);
    }
    for (const Text* x = p.symbols.first; x != nullptr; x = x->chain) {
        order_group(find(x->chars));
    }
}

void AllSymbols::remove_link(Paragraph& p, const Text& e) noexcept {
    remove_from(p, e.chars, false);
}

void AllSymbols::remove_from(Paragraph& p, const char* symbol, bool every_link) noexcept {
    const int position = find(symbol);
    if (position < 0) {
        return;
    }
    Entry& entry = entries_[static_cast<std::size_t>(position)];
    std::vector<Paragraph*>& links = entry.links;
    const auto link = std::find(links.begin(), links.end(), &p);
    if (link == links.end()) {
        return;
    }
    if (every_link) {
        links.erase(std::remove(links.begin(), links.end(), &p), links.end());
    } else {
        *link = links.back();
        links.pop_back();
    }
    if (!links.empty()) {
        if (!every_link) {
            order_group(position);
        }
        return;
    }
    forget_inserts_of(entry.symbol.chars);
    entries_.erase(entries_.begin() + position);
    record(SymbolListEdit::kind::remove, position, nullptr);
}

// An entry recorded as inserted is going before its edits were taken: its text
// cannot be shown any more, so the list is shown whole instead.
void AllSymbols::forget_inserts_of(const char* text) noexcept {
    for (const SymbolListEdit& edit : edits_) {
        if (edit.text == text) {
            edits_.clear();
            rebuilt_ = true;
            return;
        }
    }
}

// Symbols equal but for case stand in the order of their first links; a link
// added or removed can change that order. Groups are small: sorted in place.
void AllSymbols::order_group(int member) noexcept {
    if (member < 0) {
        return;
    }
    const char* const symbol = entries_[static_cast<std::size_t>(member)].symbol.chars;
    const auto start = static_cast<std::size_t>(group_start(symbol));
    const auto end = static_cast<std::size_t>(group_end(symbol));
    const auto first_of = [this](std::size_t i) {
        return first_occurrence(entries_[i].symbol.chars, entries_[i].links);
    };
    bool ordered = true;
    for (std::size_t i = start + 1; i < end && ordered; ++i) {
        ordered = first_of(i - 1) < first_of(i);
    }
    if (ordered) {
        return;
    }
    for (std::size_t i = start; i < end; ++i) {
        record(SymbolListEdit::kind::remove, static_cast<int>(start), nullptr);
    }
    for (std::size_t i = start + 1; i < end; ++i) {
        for (std::size_t j = i; j > start && first_of(j) < first_of(j - 1); --j) {
            std::swap(entries_[j], entries_[j - 1]);
        }
    }
    for (std::size_t i = start; i < end; ++i) {
        record(SymbolListEdit::kind::insert, static_cast<int>(i), entries_[i].symbol.chars);
    }
}

void AllSymbols::record(SymbolListEdit::kind what, int position, const char* text) noexcept {
    if (rebuilt_) {
        return; // the list is shown whole anyway
    }
    if (edits_.size() == edits_.capacity()) {
        rebuilt_ = true; // no room to record: show it whole
        return;
    }
    edits_.push_back({what, position, text});
}

// Sorted by compare_ignoring_ascii_case; symbols equal under it keep their
// order (that of their first occurrence).
void AllSymbols::sort_keeping_first_occurrence_order(std::vector<Entry>& entries) {
    struct keyed {
        std::uint64_t prefix;
        std::size_t index;
    };
    std::vector<keyed> keys;
    keys.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        keys.push_back({order_prefix(entries[i].symbol.chars), i});
    }
    std::sort(keys.begin(), keys.end(), [&entries](const keyed& a, const keyed& b) {
        if (a.prefix != b.prefix) {
            return a.prefix < b.prefix;
        }
        const int order =
            compare_ignoring_ascii_case(entries[a.index].symbol.chars, entries[b.index].symbol.chars);
        return order != 0 ? order < 0 : a.index < b.index;
    });
    std::vector<Entry> sorted;
    sorted.reserve(entries.size());
    for (const keyed& key : keys) {
        sorted.push_back(std::move(entries[key.index]));
    }
    entries.swap(sorted);
}

// One walk over every link numbers each distinct symbol and notes the link;
// then each symbol gets exactly the room for its links. A million paragraphs
// have millions of links: one allocation per symbol, none per link, and the
// paragraphs' scattered nodes are read once.
void AllSymbols::rebuild(Paragraph* first) {
    struct noted_link {
        std::uint32_t number;
        Paragraph* paragraph;
    };
    symbol_numbers numbers;
    std::vector<noted_link> noted;
    std::vector<std::uint32_t> links_of_number;
    for (Paragraph* p = first; p != nullptr; p = p->next_paragraph) {
        for (const Text* x = p->symbols.first; x != nullptr; x = x->chain) {
            const std::uint32_t number = numbers.number_of(x->chars);
            if (number == links_of_number.size()) {
                links_of_number.push_back(0);
            }
            ++links_of_number[number];
            noted.push_back({number, p});
        }
    }
    std::vector<Entry> entries;
    entries.reserve(numbers.size());
    for (std::uint32_t number = 0; number < numbers.size(); ++number) {
        entries.push_back(Entry{Text(numbers.symbol(number)), {}});
        entries.back().links.reserve(links_of_number[number]);
    }
    for (const noted_link& link : noted) {
        entries[link.number].links.push_back(link.paragraph);
    }
    sort_keeping_first_occurrence_order(entries);
    entries_.swap(entries);
    edits_.clear();
    rebuilt_ = true;
}

void AllSymbols::swap(AllSymbols& other) noexcept {
    entries_.swap(other.entries_);
    edits_.swap(other.edits_);
    std::swap(rebuilt_, other.rebuilt_);
}

void AllSymbols::clear() noexcept {
    entries_.clear();
    edits_.clear();
    rebuilt_ = true;
}

void AllSymbols::take_edits() noexcept {
    edits_.clear();
    rebuilt_ = false;
}
