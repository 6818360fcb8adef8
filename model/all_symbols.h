// Every distinct symbol of the document, sorted, kept up to date as links come
// and go: each symbol with the paragraphs that link it, one entry per link.
// A list that shows it follows the edits it records.
#pragma once

#include "model/text.h"

#include <vector>

struct Paragraph;

// A change of the sorted symbols, as a list showing them takes it: remove the
// entry at position, or insert text at position. Edits apply in order.
struct SymbolListEdit {
    enum class kind { insert, remove } what;
    int position;
    const char* text; // for an insert: the symbol's own text, alive while it is listed
};

// Sorted by compare_ignoring_ascii_case; symbols equal under it (Foo, foo) in
// the order of their first link in the document. The paragraphs given must be
// those of one document, placed (see ParagraphOrder).
class AllSymbols {
  public:
    int size() const { return static_cast<int>(entries_.size()); }
    // Null past the end or for a negative position.
    const Text* at(int position) const;
    // -1 when no paragraph links a symbol exactly equal to symbol.
    int position_of(const char* symbol) const;
    // The paragraphs linking exactly this symbol (once per link, in no
    // particular order); empty when there are none.
    const std::vector<Paragraph*>& links_of(int position) const;

    // Counts every link of p. Either completes or throws std::bad_alloc with
    // nothing changed.
    void add_links(Paragraph& p);
    // Counts no more the links of p; needs no memory after reserve_for_removal.
    void remove_links(Paragraph& p) noexcept;
    // p has just been linked to e (already in p's symbols).
    void add_link(Paragraph& p, const Text& e);
    // Room for the edits of remove_links(p), or of remove_link(p, *only), so
    // that they cannot fail.
    void reserve_for_removal(const Paragraph& p, const Text* only = nullptr);
    // e has just been unlinked from p (no longer in p's symbols).
    void remove_link(Paragraph& p, const Text& e) noexcept;
    // Every link of the chain starting at first; builds aside, so that a failed
    // allocation leaves the symbols as they were.
    void rebuild(Paragraph* first);
    void swap(AllSymbols& other) noexcept;
    // No symbols (the document lost its paragraphs); shown whole.
    void clear() noexcept;

    // The edits since the last take_edits; rebuilt() when the list was rebuilt
    // since (show it whole instead).
    const std::vector<SymbolListEdit>& edits() const { return edits_; }
    bool rebuilt() const { return rebuilt_; }
    void take_edits() noexcept;

  private:
    struct Entry {
        Text symbol;
        std::vector<Paragraph*> links;
    };
    int group_start(const char* symbol) const;
    int group_end(const char* symbol) const;
    int find(const char* symbol) const;
    std::size_t edits_for(const char* symbol) const;
    void add_links(Paragraph& p, const Text* only);
    void remove_from(Paragraph& p, const char* symbol, bool every_link) noexcept;
    void forget_inserts_of(const char* text) noexcept;
    void order_group(int member) noexcept;
    void record(SymbolListEdit::kind what, int position, const char* text) noexcept;
    static void sort_keeping_first_occurrence_order(std::vector<Entry>& entries);

    std::vector<Entry> entries_;
    std::vector<SymbolListEdit> edits_;
    bool rebuilt_ = false;
};
