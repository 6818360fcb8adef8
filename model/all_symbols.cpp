#include "model/all_symbols.h"

#include "model/document.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <string_view>
#include <unordered_map>
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

void AllSymbols::rebuild(Paragraph* first) {
    std::unordered_map<std::string_view, std::size_t> index;
    std::vector<Entry> entries;
    for (Paragraph* p = first; p != nullptr; p = p->next_paragraph) {
        for (const Text* x = p->symbols.first; x != nullptr; x = x->chain) {
            const auto [found, fresh] = index.try_emplace(std::string_view(x->chars), entries.size());
            if (fresh) {
                entries.push_back(Entry{Text(x->chars), {}});
            }
            entries[found->second].links.push_back(p);
        }
    }
    // Stable: symbols equal but for case stay in first-occurrence order.
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return compare_ignoring_ascii_case(a.symbol.chars, b.symbol.chars) < 0;
    });
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
