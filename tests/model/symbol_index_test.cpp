#include "model/document.h"

#include "model_test_support.h"
#include "reference_model.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

// p1 {Foo, foo}, p2 {foo, foo}, p3 {} , p4 {"", Bar}
class SymbolIndex : public ::testing::Test {
  protected:
    void SetUp() override {
        paragraph_list_append(d, make_paragraph("p1", {"Foo", "foo"}));
        paragraph_list_append(d, make_paragraph("p2", {"foo", "foo"}));
        paragraph_list_append(d, make_paragraph("p3 mentions foo in its text", {}));
        paragraph_list_append(d, make_paragraph("p4", {"", "Bar"}));
    }
    Document d;
};

TEST_F(SymbolIndex, AllSymbolsAreDistinctSortedAndKeepCaseVariantsApart) {
    text_list_append(d.all_symbols, "stale");
    rebuild_all_symbols(d);
    EXPECT_EQ(texts_of(d.all_symbols), (Texts{"", "Bar", "Foo", "foo"}));

    // Case variants stay in order of first occurrence.
    paragraph_list_prepend(d, make_paragraph("p0", {"FOO", "bar"}));
    rebuild_all_symbols(d);
    EXPECT_EQ(texts_of(d.all_symbols), (Texts{"", "bar", "Bar", "FOO", "Foo", "foo"}));
}

TEST_F(SymbolIndex, ParagraphsWithSymbolMatchExactlyOncePerLink) {
    EXPECT_EQ(texts_of(paragraphs_with_symbol(d, "foo")), (Texts{"p1", "p2", "p2"}));
    EXPECT_EQ(texts_of(paragraphs_with_symbol(d, "Foo")), (Texts{"p1"}));
    EXPECT_EQ(texts_of(paragraphs_with_symbol(d, "")), (Texts{"p4"}));
    EXPECT_TRUE(paragraphs_with_symbol(d, "fo").empty());
    EXPECT_TRUE(paragraphs_with_symbol(d, "FOO").empty());
    EXPECT_TRUE(paragraphs_with_symbol(d, nullptr).empty());
}

TEST_F(SymbolIndex, ParagraphsWithSymbolContainingSearchOnlySymbolsCaseSensitively) {
    EXPECT_EQ(texts_of(paragraphs_with_symbol_containing(d, "oo")), (Texts{"p1", "p1", "p2", "p2"}));
    EXPECT_TRUE(paragraphs_with_symbol_containing(d, "OO").empty());
    EXPECT_EQ(texts_of(paragraphs_with_symbol_containing(d, "ar")), (Texts{"p4"}));
    EXPECT_TRUE(paragraphs_with_symbol_containing(d, "mentions").empty());
    EXPECT_EQ(texts_of(paragraphs_with_symbol_containing(d, "")),
              (Texts{"p1", "p1", "p2", "p2", "p4", "p4"}));
    EXPECT_TRUE(paragraphs_with_symbol_containing(d, nullptr).empty());
}

TEST(SymbolIndexEmpty, DocumentsWithoutSymbolsGiveNothing) {
    Document d;
    rebuild_all_symbols(d);
    EXPECT_EQ(d.all_symbols.first, nullptr);
    paragraph_list_append(d, make_paragraph("no symbols", {}));
    text_list_append(d.all_symbols, "stale");
    rebuild_all_symbols(d);
    EXPECT_EQ(d.all_symbols.first, nullptr);
    EXPECT_TRUE(paragraphs_with_symbol(d, "").empty());
    EXPECT_TRUE(paragraphs_with_symbol_containing(d, "").empty());
}

// Random documents over a small alphabet (case pairs, characters between 'Z'
// and 'a', bytes above 127) so that duplicates, case variants, empty symbols
// and substrings are all frequent. The fast rebuild and queries must give
// exactly what the plain nested walks give.
class RandomDocuments : public ::testing::Test {
  protected:
    std::string random_symbol() {
        static constexpr char alphabet[] = {'a', 'A', 'b', 'B', '_', '^', 'z', '\xe9', '\xc9', '\x80', ' '};
        std::string s;
        for (int n = static_cast<int>(random() % 4); n > 0; --n) {
            s += alphabet[random() % sizeof alphabet];
        }
        return s;
    }

    void fill_random(Document& d) {
        const int paragraphs = static_cast<int>(random() % 30);
        for (int i = 0; i < paragraphs; ++i) {
            auto* p = new Paragraph;
            text_assign(p->text, std::to_string(i).c_str());
            for (int k = static_cast<int>(random() % 5); k > 0; --k) {
                text_list_append(p->symbols, random_symbol().c_str());
            }
            paragraph_list_append(d, p);
        }
    }

    std::mt19937 random{20261206};
};

TEST_F(RandomDocuments, RebuildAndQueriesMatchThePlainAlgorithms) {
    for (int round = 0; round < 300; ++round) {
        SCOPED_TRACE(round);
        Document d;
        fill_random(d);

        reference_rebuild_all_symbols(d);
        const Texts expected = texts_of(d.all_symbols);
        rebuild_all_symbols(d);
        ASSERT_EQ(texts_of(d.all_symbols), expected);

        for (int q = 0; q < 10; ++q) {
            const std::string s = random_symbol();
            ASSERT_EQ(paragraphs_with_symbol(d, s.c_str()), reference_paragraphs_with_symbol(d, s.c_str()))
                << s;
            ASSERT_EQ(paragraphs_with_symbol_containing(d, s.c_str()),
                      reference_paragraphs_with_symbol_containing(d, s.c_str()))
                << s;
        }
    }
}

} // namespace
