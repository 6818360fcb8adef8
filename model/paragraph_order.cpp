#include "model/paragraph_order.h"

#include "model/document.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

constexpr std::uint64_t largest_place = std::numeric_limits<std::uint64_t>::max();

// Places are handed out this far apart, so that about thirty paragraphs can
// go between two neighbours before the document is placed anew.
std::uint64_t spacing_for(std::size_t count) {
    return largest_place / 4 / (static_cast<std::uint64_t>(count) + 1);
}

} // namespace

// FNV-1a: quick, and collisions only cost a comparison of the texts.
std::uint64_t text_hash(const char* text) noexcept {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const auto* c = reinterpret_cast<const unsigned char*>(text); *c != 0; ++c) {
        hash = (hash ^ *c) * 1099511628211ULL;
    }
    return hash;
}

Paragraph* ParagraphOrder::at(int position) const {
    if (position < 0 || position >= size()) {
        return nullptr;
    }
    return placed_[static_cast<std::size_t>(position)].paragraph;
}

int ParagraphOrder::position_of(const Paragraph* paragraph) const {
    if (paragraph == nullptr) {
        return -1;
    }
    const auto found = std::lower_bound(
        placed_.begin(), placed_.end(), paragraph->place,
        [](const Placed& placed, std::uint64_t place) { return placed.paragraph->place < place; });
    if (found == placed_.end() || found->paragraph != paragraph) {
        return -1;
    }
    return static_cast<int>(found - placed_.begin());
}

int ParagraphOrder::first_with_text(const char* text) const {
    const std::uint64_t wanted = text_hash(text);
    for (std::size_t i = 0; i < placed_.size(); ++i) {
        if (placed_[i].text_hash == wanted && std::strcmp(placed_[i].paragraph->text.chars, text) == 0) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void ParagraphOrder::reserve_one_more() {
    if (placed_.size() == placed_.capacity()) {
        placed_.reserve(std::max<std::size_t>(16, placed_.size() * 2));
    }
}

void ParagraphOrder::insert(int position, Paragraph* p) noexcept {
    const auto index = static_cast<std::size_t>(std::clamp(position, 0, size()));
    const std::uint64_t before = index > 0 ? placed_[index - 1].paragraph->place : 0;
    const std::uint64_t after = index < placed_.size() ? placed_[index].paragraph->place : largest_place;
    placed_.insert(placed_.begin() + static_cast<std::ptrdiff_t>(index), Placed{p, text_hash(p->text.chars)});
    if (after - before < 2) {
        place_around(index);
        return;
    }
    // At the end, one spacing on rather than half-way to the largest place,
    // so that appending paragraph after paragraph keeps its room.
    const std::uint64_t spacing = spacing_for(placed_.size());
    p->place = index == placed_.size() - 1 && after - before > 2 * spacing ? before + spacing
                                                                           : before + (after - before) / 2;
}

void ParagraphOrder::erase(int position) noexcept {
    if (position < 0 || position >= size()) {
        return;
    }
    placed_.erase(placed_.begin() + position);
}

void ParagraphOrder::text_changed(int position) noexcept {
    if (position < 0 || position >= size()) {
        return;
    }
    Placed& placed = placed_[static_cast<std::size_t>(position)];
    placed.text_hash = text_hash(placed.paragraph->text.chars);
}

void ParagraphOrder::assign(Paragraph* first) {
    std::vector<Placed> placed;
    for (Paragraph* p = first; p != nullptr; p = p->next_paragraph) {
        placed.push_back({p, text_hash(p->text.chars)});
    }
    placed_.swap(placed);
    place_anew();
}

// The paragraphs around index get places anew, spread evenly between their
// neighbours': as few as leave a roomy gap between any two, so that a
// paragraph inserted again and again at one place of a long document costs
// little (placing a million paragraphs anew reads and writes each of them).
void ParagraphOrder::place_around(std::size_t index) noexcept {
    constexpr std::uint64_t roomy_gap = 1 << 20;
    for (std::size_t half = 8; half < placed_.size(); half *= 2) {
        const std::size_t from = index > half ? index - half : 0;
        const std::size_t to = std::min(placed_.size(), index + half + 1);
        const std::uint64_t before = from > 0 ? placed_[from - 1].paragraph->place : 0;
        const std::uint64_t after = to < placed_.size() ? placed_[to].paragraph->place : largest_place;
        const std::uint64_t spacing = (after - before) / (to - from + 1);
        if (spacing >= roomy_gap) {
            std::uint64_t place = before;
            for (std::size_t i = from; i < to; ++i) {
                place += spacing;
                placed_[i].paragraph->place = place;
            }
            return;
        }
    }
    place_anew();
}

void ParagraphOrder::place_anew() noexcept {
    const std::uint64_t spacing = spacing_for(placed_.size());
    std::uint64_t place = spacing;
    for (Placed& placed : placed_) {
        placed.paragraph->place = place;
        place += spacing;
    }
}
