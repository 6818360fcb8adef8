#include "model/text_list.h"

#include "model_test_support.h"
#include "reference_model.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

TEST(TextList, AppendAndPositions) {
    TextList list;
    EXPECT_EQ(text_list_at(list, 0), nullptr);
    EXPECT_EQ(text_list_length(list), 0);

    text_list_append(list, "a");
    text_list_append(list, nullptr);
    text_list_append(list, "c");
    EXPECT_EQ(texts_of(list), (Texts{"a", "", "c"}));
    EXPECT_EQ(text_list_length(list), 3);
    EXPECT_STREQ(text_list_at(list, 2)->chars, "c");
    EXPECT_EQ(text_list_at(list, 2)->chain, nullptr);
    EXPECT_EQ(text_list_at(list, 3), nullptr);
    EXPECT_EQ(text_list_at(list, -1), nullptr);
}

TEST(TextList, AppendElementTakesItOverAndCutsItsChain) {
    TextList list = make_text_list({"a"});
    Text stray("stray");
    auto* e = new Text("b");
    e->chain = &stray;
    EXPECT_EQ(text_list_append_element(list, e), e);
    EXPECT_EQ(e->chain, nullptr);
    EXPECT_EQ(texts_of(list), (Texts{"a", "b"}));
    EXPECT_EQ(text_list_append_element(list, nullptr), nullptr);
    EXPECT_EQ(text_list_length(list), 2);

    TextList empty;
    auto* only = new Text("only");
    text_list_append_element(empty, only);
    EXPECT_EQ(empty.first, only);
}

TEST(TextList, RemoveFromEachPlace) {
    struct Case {
        const char* name;
        int position; // -1: an element that is not in the list
        Texts remaining;
        const char* successor; // null: no successor
    };
    const Case cases[] = {
        {"head", 0, {"b", "c"}, "b"},
        {"middle", 1, {"a", "c"}, "c"},
        {"last", 2, {"a", "b"}, nullptr},
        {"missing", -1, {"a", "b", "c"}, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TextList list = make_text_list({"a", "b", "c"});
        Text outsider("b");
        Text* const e = c.position < 0 ? &outsider : text_list_at(list, c.position);
        const Text* const result = text_list_remove(list, e);
        EXPECT_EQ(texts_of(list), c.remaining);
        if (c.successor) {
            ASSERT_NE(result, nullptr);
            EXPECT_STREQ(result->chars, c.successor);
        } else {
            EXPECT_EQ(result, nullptr);
        }
    }
}

TEST(TextList, RemoveTheOnlyElementOrNothing) {
    TextList list = make_text_list({"only"});
    EXPECT_EQ(text_list_remove(list, nullptr), nullptr);
    EXPECT_EQ(text_list_length(list), 1);
    EXPECT_EQ(text_list_remove(list, list.first), nullptr);
    EXPECT_EQ(list.first, nullptr);

    Text outsider("x");
    EXPECT_EQ(text_list_remove(list, &outsider), nullptr);
}

TEST(TextList, CopiesAreDeep) {
    const TextList source = make_text_list({"a", "b"});
    TextList copy(source);
    EXPECT_EQ(texts_of(copy), (Texts{"a", "b"}));
    EXPECT_NE(copy.first, source.first);
    EXPECT_NE(copy.first->chars, source.first->chars);

    TextList target = make_text_list({"x", "y", "z"});
    target = source;
    EXPECT_EQ(texts_of(target), (Texts{"a", "b"}));
    text_list_copy(target, target);
    EXPECT_EQ(texts_of(target), (Texts{"a", "b"}));
    text_list_copy(target, TextList{});
    EXPECT_EQ(target.first, nullptr);
}

// The moved-from state is what this test checks.
// NOLINTBEGIN(bugprone-use-after-move)
TEST(TextList, MovesHandOverTheElements) {
    TextList source = make_text_list({"a", "b"});
    Text* const first = source.first;
    TextList moved(std::move(source));
    EXPECT_EQ(source.first, nullptr);
    EXPECT_EQ(moved.first, first);

    TextList target = make_text_list({"old"});
    target = std::move(moved);
    EXPECT_EQ(moved.first, nullptr);
    EXPECT_EQ(target.first, first);
    EXPECT_EQ(texts_of(target), (Texts{"a", "b"}));
    target = std::move(target);
    EXPECT_EQ(texts_of(target), (Texts{"a", "b"}));
}
// NOLINTEND(bugprone-use-after-move)

TEST(TextList, InsertSortedGoesAfterEqualKeys) {
    TextList list;
    text_list_insert_sorted(list, "b");
    EXPECT_EQ(texts_of(list), (Texts{"b"}));
    text_list_insert_sorted(list, "a");
    text_list_insert_sorted(list, "c");
    text_list_insert_sorted(list, "B");
    text_list_insert_sorted(list, "A");
    text_list_insert_sorted(list, "");
    EXPECT_EQ(texts_of(list), (Texts{"", "a", "A", "b", "B", "c"}));
}

TEST(TextList, SortIsStableAndCaseInsensitive) {
    const struct {
        std::vector<const char*> input;
        Texts sorted;
    } cases[] = {
        {{}, {}},
        {{"one"}, {"one"}},
        {{"beta", "Alpha", "alpha", "Beta", "_x"}, {"_x", "Alpha", "alpha", "beta", "Beta"}},
        {{"b", "", "a", ""}, {"", "", "a", "b"}},
        {{"\xe9t\xe9", "zoo", "\xc9T\xc9", "Zoo", "ZOO"}, {"zoo", "Zoo", "ZOO", "\xc9T\xc9", "\xe9t\xe9"}},
        {{"abc", "AB", "ab", "a"}, {"a", "AB", "ab", "abc"}},
    };
    for (const auto& c : cases) {
        TextList list;
        for (const char* s : c.input) {
            text_list_append(list, s);
        }
        text_list_sort(list);
        EXPECT_EQ(texts_of(list), c.sorted);
    }
}

// Random lists over a small alphabet with case pairs, punctuation around 'Z'
// and 'a', and bytes above 127, so that equal keys and prefixes are frequent.
TEST(TextList, SortMatchesRepeatedSortedInsertion) {
    const char alphabet[] = {'a', 'A', 'b', 'B', '_', '[', 'z', 'Z', '\x7f', '\xe9', '\xc9'};
    unsigned state = 12345;
    auto next = [&state](unsigned bound) {
        state = state * 1103515245u + 12345u;
        return (state >> 16) % bound;
    };
    for (int round = 0; round < 200; ++round) {
        TextList list;
        const unsigned n = next(40);
        for (unsigned i = 0; i < n; ++i) {
            std::string s;
            for (unsigned k = next(4); k > 0; --k) {
                s += alphabet[next(sizeof alphabet)];
            }
            text_list_append(list, s.c_str());
        }
        TextList expected(list);
        reference_text_list_sort(expected);
        text_list_sort(list);
        ASSERT_EQ(texts_of(list), texts_of(expected)) << "round " << round;
    }
}

} // namespace
