// Owned strings, paragraphs and their links, the paragraph list and the
// symbol queries.
#include "reference_model.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// '_', '[' and '@' lie between 'Z' and 'a' or before 'A'; bytes above 127
// compare unsigned and are not folded. The letters at both ends of both cases
// against their neighbours, so that folding one letter too few or too many
// shows.
TEST(CompareIgnoringAsciiCase, OrdersBytesUnsignedFoldingOnlyAToZ) {
    const struct {
        const char* a;
        const char* b; // a orders before b (and b after a), or they are equal
        bool equal;
    } cases[] = {
        {"", "", true},          {"ABC", "abc", true},      {"aBc", "AbC", true},    {nullptr, "", true},
        {"", "a", false},        {"ab", "abc", false},      {"Beta", "zeta", false}, {"alpha", "Beta", false},
        {"_", "Alpha", false},   {"[", "a", false},         {"@", "A", false},       {"z", "\xe9", false},
        {"\xc9", "\xe9", false}, {"A\x7f", "a\x80", false}, {"AzZa", "aZzA", true},  {"@", "`", false},
        {"`", "A", false},       {"_", "Z", false},         {"[", "Y", false},       {"z", "{", false},
        {"{", "\x80", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.a ? c.a : "(null)") << " vs " << c.b);
        EXPECT_EQ(compare_ignoring_ascii_case(c.a, c.b) == 0, c.equal);
        EXPECT_EQ(compare_ignoring_ascii_case(c.a, c.b) < 0 && compare_ignoring_ascii_case(c.b, c.a) > 0,
                  !c.equal);
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
        link_symbol_after(d, *d.paragraphs, c.k, new Text("new"));
        unlink_symbol_at(d, *paragraph_at(d, 1), c.k);
        EXPECT_EQ(describe(d), c.expected) << c.k;
        EXPECT_EQ(index_disagreement(d), "") << c.k;
    }
}

TEST(ParagraphList, LongDocumentsAndListsAreDestroyedWithoutRecursion) {
    Document d;
    auto* last = new Paragraph;
    paragraph_list_prepend(d, last);
    for (int i = 0; i < 300000; ++i) {
        paragraph_list_insert_after(d, last, new Paragraph);
        last = last->next_paragraph;
        link_symbol_after(d.cut_paragraph, 0, new Text);
    }
    EXPECT_EQ(paragraph_at(d, 300000), last);
    EXPECT_EQ(position_of(d, last), 300000);
    EXPECT_EQ(paragraph_at(d, -1), nullptr);
}

TEST(SymbolQueries, DistinctSortedSymbolsAndOneResultPerMatchingLinkByExactBytes) {
    Document d;
    append_paragraphs(d, "p0:FOO,bar|p1:Foo,foo|p2:foo,foo|p3 foo:|p4:,Bar");
    rebuild_all_symbols(d);
    EXPECT_EQ(describe(d.all_symbols), ",bar,Bar,FOO,Foo,foo"); // case variants in first-occurrence order
    using Found = std::vector<const Paragraph*>;
    EXPECT_EQ(paragraphs_with_symbol(d, "foo"),
              (Found{paragraph_at(d, 1), paragraph_at(d, 2), paragraph_at(d, 2)}));
    EXPECT_EQ(paragraphs_with_symbol_containing(d, "OO"), (Found{paragraph_at(d, 0)}));
}

// Random documents over an alphabet of the case pairs at both ends of the
// alphabet, the bytes next to them and bytes above 127, so that duplicates, case variants, empty symbols and
// substrings are frequent: the rebuild must give what the plain nested walk
// and insertion sort give.
TEST(AllSymbolsOfRandomDocuments, MatchThePlainAlgorithm) {
    std::mt19937 random(20261206);
    static constexpr char alphabet[] = "aAzZ@[_`{\xe9\xc9\x80,,|"; // "," and "|" split symbols and paragraphs
    const auto random_text = [&random](unsigned longest) {
        std::string s;
        for (auto n = random() % (longest + 1); n > 0; --n) {
            s += alphabet[random() % (sizeof alphabet - 1)];
        }
        return s;
    };
    for (int round = 0; round < 300; ++round) {
        Document d;
        append_paragraphs(d, random_text(150));
        const std::string expected = describe(reference_all_symbols(d));
        rebuild_all_symbols(d);
        ASSERT_EQ(describe(d.all_symbols), expected) << "round " << round;
    }
}

} // namespace
