// The one-request refill of a list box against the one-entry-at-a-time steps
// it replaces, on real list boxes of the main window's size and style.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "app/list_box_fill.h"

namespace {

constexpr DWORD list_box_style = 0x44A10181; // unsorted, notify, vertical scroll bar
constexpr int list_width = 195;
constexpr int list_height = 268;

struct window_deleter {
    void operator()(HWND window) const { DestroyWindow(window); }
};
using window_owner = std::unique_ptr<std::remove_pointer_t<HWND>, window_deleter>;

struct font_deleter {
    void operator()(HFONT font) const { DeleteObject(font); }
};
using font_owner = std::unique_ptr<std::remove_pointer_t<HFONT>, font_deleter>;

class list_box_pair : public ::testing::Test {
  protected:
    void SetUp() override {
        parent.reset(CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 600, 400, nullptr, nullptr,
                                     GetModuleHandleA(nullptr), nullptr));
        ASSERT_NE(parent, nullptr);
        font.reset(CreateFontA(-11, 0, 0, 0, 400, 0, 0, 0, 0, 1, 2, 2, 0x22, "MS Sans Serif"));
        tested.list_box = make_list_box(10);
        reference = make_list_box(300);
    }

    HWND make_list_box(int x) {
        const HWND box =
            CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "", list_box_style, x, 10, list_width, list_height,
                            parent.get(), nullptr, GetModuleHandleA(nullptr), nullptr);
        EXPECT_NE(box, nullptr);
        SendMessageA(box, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
        return box;
    }

    window_owner parent;
    font_owner font;
    shown_list tested;
    HWND reference = nullptr;
};

std::vector<std::string> numbered_texts(int count, const char* prefix = "entry ") {
    std::vector<std::string> texts;
    texts.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i) {
        texts.push_back(prefix + std::to_string(i));
    }
    if (count > 3) {
        texts[1] = "";             // an empty paragraph
        texts[2] = "two\r\nlines"; // a multi-line paragraph is one entry
    }
    return texts;
}

std::vector<const char*> pointers_to(const std::vector<std::string>& texts) {
    std::vector<const char*> pointers;
    pointers.reserve(texts.size());
    for (const std::string& text : texts) {
        pointers.push_back(text.c_str());
    }
    return pointers;
}

int send(HWND box, UINT message, WPARAM word = 0) {
    return static_cast<int>(SendMessageA(box, message, word, 0));
}

std::string entry_at(HWND box, int index) {
    std::string text(static_cast<std::size_t>(send(box, LB_GETTEXTLEN, static_cast<WPARAM>(index))), '\0');
    SendMessageA(box, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    return text;
}

std::vector<std::string> entries_of(HWND box) {
    std::vector<std::string> entries;
    const int count = send(box, LB_GETCOUNT);
    entries.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i) {
        entries.push_back(entry_at(box, i));
    }
    return entries;
}

// Puts both list boxes into the same starting state: count entries, the
// given selection (-1: none) and top index.
void start_from(shown_list& tested, HWND reference, int count, int selected, int top) {
    const std::vector<std::string> texts = numbered_texts(count, "old ");
    fill_list_box_here(tested, pointers_to(texts), keep_place::no);
    fill_list_box_entry_by_entry(reference, pointers_to(texts), keep_place::no);
    for (HWND box : {tested.list_box, reference}) {
        send(box, LB_SETCURSEL, static_cast<WPARAM>(selected));
        send(box, LB_SETTOPINDEX, static_cast<WPARAM>(top));
    }
}

struct refill_case {
    int old_count;
    int selected;
    int top;
    int new_count;
    keep_place keep;
};

// Up to the capacity, and wherever a refill drops as many entries as the
// previous one, the result is exactly that of the one-by-one steps.
TEST_F(list_box_pair, refill_leaves_what_adding_one_entry_at_a_time_leaves) {
    const refill_case cases[] = {
        {0, -1, 0, 0, keep_place::no},
        {0, -1, 0, 1, keep_place::yes},
        {5, 2, 0, 11, keep_place::no},
        {5, 2, 0, 12, keep_place::yes},
        {30, 25, 15, 13, keep_place::yes},
        {30, 25, 15, 40, keep_place::yes},
        {30, 25, 15, 29, keep_place::no},
        {40, 10, 5, 10, keep_place::yes},
        {40, -1, 18, 40, keep_place::yes},
        {100, 99, 90, 4999, keep_place::yes},
        {4999, 4000, 3990, 5000, keep_place::yes},
        {5000, 4999, 4980, 5001, keep_place::no},
        {10, 3, 0, 6000, keep_place::no},
        {6000, 4500, 4480, 6000, keep_place::yes},
        {6000, 2, 0, 6000, keep_place::yes},
        {5000, 20, 10, 0, keep_place::yes},
    };
    for (const refill_case& c : cases) {
        SCOPED_TRACE("from " + std::to_string(c.old_count) + " entries (selected " +
                     std::to_string(c.selected) + ", top " + std::to_string(c.top) + ") to " +
                     std::to_string(c.new_count) + (c.keep == keep_place::yes ? ", keeping the place" : ""));
        start_from(tested, reference, c.old_count, c.selected, c.top);
        const std::vector<std::string> texts = numbered_texts(c.new_count);
        fill_list_box_here(tested, pointers_to(texts), c.keep);
        fill_list_box_entry_by_entry(reference, pointers_to(texts), c.keep);

        EXPECT_EQ(entries_of(tested.list_box), entries_of(reference));
        EXPECT_EQ(send(tested.list_box, LB_GETCURSEL), send(reference, LB_GETCURSEL));
        EXPECT_EQ(send(tested.list_box, LB_GETTOPINDEX), send(reference, LB_GETTOPINDEX));
        EXPECT_EQ(tested.dropped, dropped_entries(c.new_count));
    }
}

TEST_F(list_box_pair, a_long_fill_keeps_the_last_entries) {
    const std::vector<std::string> texts = numbered_texts(6000);
    fill_list_box_here(tested, pointers_to(texts), keep_place::no);
    ASSERT_EQ(send(tested.list_box, LB_GETCOUNT), list_box_capacity);
    EXPECT_EQ(tested.dropped, 1000);
    EXPECT_EQ(entry_at(tested.list_box, 0), "entry 1000");
    EXPECT_EQ(entry_at(tested.list_box, list_box_capacity - 1), "entry 5999");
}

// Beyond the capacity the selection and the top stay on the same elements of
// the list, not on the same entry indices, and a selection maps to the element.
TEST_F(list_box_pair, beyond_the_capacity_selection_and_top_stay_on_list_positions) {
    std::vector<std::string> texts = numbered_texts(6000);
    fill_list_box_here(tested, pointers_to(texts), keep_place::no);
    select_position(tested, 5500);
    EXPECT_EQ(send(tested.list_box, LB_GETCURSEL), 4500);
    EXPECT_EQ(selected_position(tested), 5500);
    send(tested.list_box, LB_SETTOPINDEX, 4490);

    // The selected element is removed: its successor takes its position.
    texts.erase(texts.begin() + 5500);
    fill_list_box_here(tested, pointers_to(texts), keep_place::yes);
    EXPECT_EQ(tested.dropped, 999);
    EXPECT_EQ(selected_position(tested), 5500);
    EXPECT_EQ(entry_at(tested.list_box, send(tested.list_box, LB_GETCURSEL)), "entry 5501");
    EXPECT_EQ(send(tested.list_box, LB_GETTOPINDEX) + tested.dropped, 5490);

    // An element inserted before the selection: the same position, now the new one.
    texts.insert(texts.begin() + 5500, "pasted");
    fill_list_box_here(tested, pointers_to(texts), keep_place::yes);
    EXPECT_EQ(selected_position(tested), 5500);
    EXPECT_EQ(entry_at(tested.list_box, send(tested.list_box, LB_GETCURSEL)), "pasted");
}

TEST_F(list_box_pair, positions_that_are_not_shown_select_nothing) {
    const std::vector<std::string> texts = numbered_texts(6000);
    fill_list_box_here(tested, pointers_to(texts), keep_place::no);
    for (const int position : {-1, 0, 999, 6000}) {
        select_position(tested, 5999);
        select_position(tested, position);
        EXPECT_EQ(send(tested.list_box, LB_GETCURSEL), LB_ERR) << position;
        EXPECT_EQ(selected_position(tested), -1) << position;
    }
    select_position(tested, 1000);
    EXPECT_EQ(entry_at(tested.list_box, send(tested.list_box, LB_GETCURSEL)), "entry 1000");
}

TEST(list_positions, entry_indices_and_positions_map_both_ways) {
    struct mapping {
        int count, index, position;
    };
    const mapping mappings[] = {
        {0, -1, -1}, {1, 0, 0}, {5000, 4999, 4999}, {5001, 0, 1}, {6000, 4999, 5999}, {6000, 0, 1000},
    };
    for (const mapping& m : mappings) {
        const int dropped = dropped_entries(m.count);
        EXPECT_EQ(position_of_index(m.index, dropped), m.position) << m.count;
        EXPECT_EQ(index_of_position(m.position, dropped), m.index) << m.count;
    }
    EXPECT_EQ(index_of_position(999, dropped_entries(6000)), -1);
    EXPECT_EQ(dropped_entries(5000), 0);
    EXPECT_EQ(dropped_entries(100000), 95000);
}

} // namespace
