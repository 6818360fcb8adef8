#include "model/paragraph.h"

#include "model_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

TEST(Paragraph, NewParagraphIsEmpty) {
    const Paragraph p;
    EXPECT_STREQ(p.text.chars, "");
    EXPECT_EQ(p.symbols.first, nullptr);
    EXPECT_EQ(p.next_paragraph, nullptr);
}

TEST(Paragraph, AssignCopiesTextAndSymbolsButNotTheLink) {
    Paragraph next;
    Paragraph src;
    text_assign(src.text, "source\r\ntext");
    src.symbols = make_text_list({"s1", "s2", "s1"});
    src.next_paragraph = &next;

    Paragraph dst;
    text_assign(dst.text, "old");
    dst.symbols = make_text_list({"old symbol"});
    Paragraph* const dst_next = &src;
    dst.next_paragraph = dst_next;

    EXPECT_EQ(&paragraph_assign(dst, src), &dst);
    EXPECT_STREQ(dst.text.chars, "source\r\ntext");
    EXPECT_EQ(texts_of(dst.symbols), (Texts{"s1", "s2", "s1"}));
    EXPECT_EQ(dst.next_paragraph, dst_next);
    EXPECT_NE(dst.symbols.first, src.symbols.first);

    // The copy is independent of its source.
    text_assign(src.text, "changed");
    text_list_clear(src.symbols);
    EXPECT_STREQ(dst.text.chars, "source\r\ntext");
    EXPECT_EQ(texts_of(dst.symbols), (Texts{"s1", "s2", "s1"}));
}

TEST(Paragraph, CopyConstructionAndSelfAssignment) {
    Paragraph next;
    Paragraph src;
    text_assign(src.text, "t");
    src.symbols = make_text_list({"a"});
    src.next_paragraph = &next;

    Paragraph copy(src);
    EXPECT_EQ(copy.next_paragraph, nullptr);
    EXPECT_STREQ(copy.text.chars, "t");
    EXPECT_EQ(texts_of(copy.symbols), (Texts{"a"}));

    copy = copy;
    paragraph_assign(copy, copy);
    EXPECT_STREQ(copy.text.chars, "t");
    EXPECT_EQ(texts_of(copy.symbols), (Texts{"a"}));

    Paragraph target;
    target = src;
    EXPECT_EQ(target.next_paragraph, nullptr);
    EXPECT_EQ(texts_of(target.symbols), (Texts{"a"}));
}

// The moved-from state is part of what this test checks.
// NOLINTBEGIN(bugprone-use-after-move)
TEST(Paragraph, MovesHandOverTextAndSymbolsButNotTheLink) {
    Paragraph next;
    Paragraph src;
    text_assign(src.text, "t");
    src.symbols = make_text_list({"a", "b"});
    src.next_paragraph = &next;
    const Text* const first_symbol = src.symbols.first;

    Paragraph moved(std::move(src));
    EXPECT_EQ(moved.next_paragraph, nullptr);
    EXPECT_STREQ(moved.text.chars, "t");
    EXPECT_EQ(moved.symbols.first, first_symbol);
    EXPECT_STREQ(src.text.chars, "");
    EXPECT_EQ(src.symbols.first, nullptr);

    Paragraph target;
    target.next_paragraph = &next;
    target = std::move(moved);
    EXPECT_EQ(target.next_paragraph, &next);
    EXPECT_EQ(texts_of(target.symbols), (Texts{"a", "b"}));
    target = std::move(target);
    EXPECT_STREQ(target.text.chars, "t");
    EXPECT_EQ(texts_of(target.symbols), (Texts{"a", "b"}));
}
// NOLINTEND(bugprone-use-after-move)

TEST(Paragraph, LinkSymbolAfterPosition) {
    const struct {
        const char* name;
        int k;
        Texts expected;
    } cases[] = {
        {"no selection", -1, {"a", "b", "c", "new"}}, {"first", 0, {"a", "new", "b", "c"}},
        {"middle", 1, {"a", "b", "new", "c"}},        {"last", 2, {"a", "b", "c", "new"}},
        {"past the end", 3, {"a", "b", "c", "new"}},  {"far past the end", 100, {"a", "b", "c", "new"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Paragraph p;
        p.symbols = make_text_list({"a", "b", "c"});
        link_symbol_after(p, c.k, new Text("new"));
        EXPECT_EQ(texts_of(p.symbols), c.expected);
    }
}

TEST(Paragraph, LinkSymbolIntoAnEmptyParagraphAllowsDuplicatesAndEmpty) {
    Paragraph p;
    link_symbol_after(p, 0, new Text("x"));
    link_symbol_after(p, -1, new Text("x"));
    link_symbol_after(p, 0, new Text(""));
    link_symbol_after(p, 0, nullptr);
    EXPECT_EQ(texts_of(p.symbols), (Texts{"x", "", "x"}));
}

TEST(Paragraph, UnlinkSymbolAtPosition) {
    const struct {
        int k;
        Texts expected;
    } cases[] = {
        {-1, {"a", "b", "c"}}, {0, {"b", "c"}}, {1, {"a", "c"}}, {2, {"a", "b"}}, {3, {"a", "b", "c"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.k);
        Paragraph p;
        p.symbols = make_text_list({"a", "b", "c"});
        unlink_symbol_at(p, c.k);
        EXPECT_EQ(texts_of(p.symbols), c.expected);
    }
    Paragraph empty;
    unlink_symbol_at(empty, 0);
    EXPECT_EQ(empty.symbols.first, nullptr);
}

} // namespace
