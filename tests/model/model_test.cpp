// Owned strings, paragraphs and their links, the paragraph list and the
// symbol queries.
#include "reference_model.h"

#include <gtest/gtest.h>

#include <random>
#include <utility>

namespace {

// The moved-from state and self-assignment are part of what this test checks.
// NOLINTBEGIN(bugprone-use-after-move)
TEST(Text, CopiesMayReadTheirOwnBufferAndMovesLeaveAnEmptyUsableText) {
    Text t("abc");
    text_append(t, t.chars);
    text_assign(t, nullptr);
    text_append(t, nullptr);
    EXPECT_STREQ(t.chars, "abcabc");
    text_assign(t, t.chars + 3);
    t = t;
    t = std::move(t);
    Text moved(std::move(t));
    text_append(t, "again");
    EXPECT_STREQ(t.chars, "again");
    t = std::move(moved);
    EXPECT_STREQ(t.chars, "abc");
    EXPECT_STREQ(Text(moved).chars, "");
}
// NOLINTEND(bugprone-use-after-move)

TEST(CompareIgnoringAsciiCase, OrdersBytesUnsignedFoldingOnlyAToZ) {
    const struct {
        const char* a;
        const char* b; // a orders before b, or they are equal
        bool equal;
    } cases[] = {
        {"", "", true},
        {"ABC", "abc", true},
        {"aBc", "AbC", true},
        {nullptr, "", true},
        {"", "a", false},
        {"ab", "abc", false},
        {"Beta", "zeta", false},
        {"alpha", "Beta", false},
        {"_x", "Alpha", false},
        {"[", "a", false},
        {"@", "A", false}, // '_' and '[' lie between 'Z' and
                           // 'a'
        {"z", "\xe9", false},
        {"\xc9", "\xe9", false},
        {"A\x7f", "a\x80", false}, // unsigned, not folded
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.a ? c.a : "(null)") << " vs " << c.b);
        EXPECT_EQ(compare_ignoring_ascii_case(c.a, c.b) == 0, c.equal);
        EXPECT_EQ(compare_ignoring_ascii_case(c.a, c.b) < 0, !c.equal);
        EXPECT_EQ(compare_ignoring_ascii_case(c.b, c.a) > 0, !c.equal);
    }
}

TEST(Paragraph, LinkAndUnlinkSymbolsAtEveryPosition) {
    const struct {
        int k;
        const char* expected; // "new" linked after k in the first paragraph, k unlinked in the second
    } cases[] = {
        {-1, "p:a,b,c,new|p:a,b,c"}, {0, "p:a,new,b,c|p:b,c"},   {1, "p:a,b,new,c|p:a,c"},
        {2, "p:a,b,c,new|p:a,b"},    {3, "p:a,b,c,new|p:a,b,c"}, {100, "p:a,b,c,new|p:a,b,c"},
    };
    for (const auto& c : cases) {
        Document d;
        append_paragraphs(d, "p:a,b,c|p:a,b,c");
        link_symbol_after(*d.paragraphs, c.k, new Text("new"));
        unlink_symbol_at(*paragraph_at(d, 1), c.k);
        EXPECT_EQ(describe(d), c.expected) << c.k;
    }
}

TEST(Paragraph, AssignCopiesTextAndSymbolsButNotTheLinkAndSurvivesSelfAssignment) {
    Document d;
    append_paragraphs(d, "a:s,s|b:");
    Paragraph& first = *d.paragraphs;
    paragraph_assign(*paragraph_at(d, 1), first);
    first = first;
    first.symbols = first.symbols;
    paragraph_assign(first, first);
    text_assign(*first.symbols.first, "t"); // the copy is independent of it
    EXPECT_EQ(describe(d), "a:t,s|a:s,s");
    EXPECT_EQ(Paragraph(first).next_paragraph, nullptr);
}

TEST(ParagraphList, InsertRemoveAndPositions) {
    Document d;
    append_paragraphs(d, "c:");
    paragraph_list_prepend(d, new Paragraph);
    paragraph_list_insert_after(paragraph_at(d, 0), new Paragraph(*paragraph_at(d, 1)));
    paragraph_list_insert_after(nullptr, new Paragraph); // freed, or ASan reports a leak
    Paragraph outsider;
    paragraph_list_remove(d, &outsider);
    EXPECT_EQ(describe(d), ":|c:|c:");
    EXPECT_EQ(paragraph_at(d, -1), nullptr);
    EXPECT_EQ(paragraph_at(d, 3), nullptr);
    paragraph_list_remove(d, paragraph_at(d, 1));
    EXPECT_EQ(describe(d), ":|c:");
    paragraph_list_remove(d, paragraph_at(d, 1));
    paragraph_list_remove(d, paragraph_at(d, 0));
    EXPECT_EQ(d.paragraphs, nullptr);
}

TEST(ParagraphList, LongDocumentsAndListsAreDestroyedWithoutRecursion) {
    Document d;
    auto* last = new Paragraph;
    paragraph_list_prepend(d, last);
    for (int i = 0; i < 300000; ++i) {
        paragraph_list_insert_after(last, new Paragraph);
        last = last->next_paragraph;
        link_symbol_after(d.cut_paragraph, 0, new Text);
    }
    EXPECT_EQ(paragraph_at(d, 300000), last);
}

TEST(SymbolQueries, DistinctSortedSymbolsAndOneResultPerMatchingLinkByExactBytes) {
    Document d;
    append_paragraphs(d, "p0:FOO,bar|p1:Foo,foo|p2:foo,foo|p3 foo:|p4:,Bar");
    text_list_append(d.all_symbols, "stale");
    rebuild_all_symbols(d);
    EXPECT_EQ(describe(d.all_symbols), ",bar,Bar,FOO,Foo,foo"); // case variants in first-occurrence order
    const Paragraph* const p[] = {paragraph_at(d, 0), paragraph_at(d, 1), paragraph_at(d, 2),
                                  paragraph_at(d, 4)};
    using Found = std::vector<const Paragraph*>;
    EXPECT_EQ(paragraphs_with_symbol(d, "foo"), (Found{p[1], p[2], p[2]}));
    EXPECT_EQ(paragraphs_with_symbol_containing(d, "OO"), (Found{p[0]}));
    EXPECT_EQ(paragraphs_with_symbol_containing(d, ""),
              (Found{p[0], p[0], p[1], p[1], p[2], p[2], p[3], p[3]}));
    EXPECT_TRUE(paragraphs_with_symbol(d, nullptr).empty());
    EXPECT_TRUE(paragraphs_with_symbol_containing(d, nullptr).empty());
}

// Random documents over an alphabet of case pairs, characters between 'Z' and
// 'a' and bytes above 127, so that duplicates, case variants, empty symbols and
// substrings are frequent: the rebuild and the queries must give what the
// plain nested walks give.
TEST(SymbolQueriesOnRandomDocuments, MatchThePlainAlgorithms) {
    std::mt19937 random(20261206);
    const auto random_symbol = [&random] {
        static constexpr char alphabet[] = {'a', 'A', 'b', 'B', '_', '^', '[', 'z', '\xe9', '\xc9', '\x80'};
        std::string s;
        for (auto n = random() % 4; n > 0; --n) {
            s += alphabet[random() % sizeof alphabet];
        }
        return s;
    };
    for (int round = 0; round < 300; ++round) {
        Document d;
        for (auto i = random() % 30; i > 0; --i) {
            auto* const p = new Paragraph;
            for (auto k = random() % 5; k > 0; --k) {
                text_list_append(p->symbols, random_symbol().c_str());
            }
            paragraph_list_prepend(d, p);
        }
        reference_rebuild_all_symbols(d);
        const std::string expected = describe(d.all_symbols);
        rebuild_all_symbols(d);
        ASSERT_EQ(describe(d.all_symbols), expected) << "round " << round;
        for (int q = 0; q < 10; ++q) {
            const std::string s = random_symbol();
            ASSERT_EQ(paragraphs_with_symbol(d, s.c_str()),
                      reference_paragraphs_where(d, [&s](const char* x) { return s == x; }));
            ASSERT_EQ(
                paragraphs_with_symbol_containing(d, s.c_str()),
                reference_paragraphs_where(d, [&s](const char* x) { return std::strstr(x, s.c_str()); }));
        }
    }
}

} // namespace
