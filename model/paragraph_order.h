// The document's paragraphs by position: the paragraph at a position, the
// position of a paragraph and the first paragraph with a given text, each
// without walking the chain, so that a command on a document of a million
// paragraphs costs what it changes.
#pragma once

#include <cstdint>
#include <vector>

struct Paragraph;

// Every paragraph of the chain in document order, with a hash of its text.
// Each paragraph's `place` increases along the document, so that paragraphs
// can be put in document order (and found here) without knowing positions.
// Changing a paragraph's text needs text_changed, so that its hash follows.
class ParagraphOrder {
  public:
    int size() const { return static_cast<int>(placed_.size()); }
    // Null past the end or for a negative position.
    Paragraph* at(int position) const;
    // -1 when the paragraph is not in the document.
    int position_of(const Paragraph* paragraph) const;
    // The position of the first paragraph whose text equals text byte for byte; -1 when none.
    int first_with_text(const char* text) const;

    // Room for one more paragraph, so that insert cannot fail.
    void reserve_one_more();
    // Places p at position (0 to size()); call reserve_one_more first.
    void insert(int position, Paragraph* p) noexcept;
    void erase(int position) noexcept;
    void text_changed(int position) noexcept;
    // The chain starting at first, whole; builds aside, so that a failed
    // allocation leaves this order as it was.
    void assign(Paragraph* first);
    void swap(ParagraphOrder& other) noexcept { placed_.swap(other.placed_); }
    void clear() noexcept { placed_.clear(); }

  private:
    struct Placed {
        Paragraph* paragraph;
        std::uint64_t text_hash;
    };
    void place_around(std::size_t index) noexcept;
    void place_anew() noexcept;

    std::vector<Placed> placed_;
};

std::uint64_t text_hash(const char* text) noexcept;
