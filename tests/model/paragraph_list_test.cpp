#include "model/document.h"

#include "model_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

void fill(Document& d, std::initializer_list<const char*> texts) {
    for (const char* s : texts) {
        paragraph_list_append(d, make_paragraph(s, {}));
    }
}

TEST(Document, StartsWithNoParagraphsAndTheDefaultFileName) {
    const Document d;
    EXPECT_EQ(d.paragraphs, nullptr);
    EXPECT_EQ(d.all_symbols.first, nullptr);
    EXPECT_STREQ(d.file_name.chars, "norvane.html");
    EXPECT_STREQ(d.cut_paragraph.text.chars, "");
    EXPECT_EQ(d.cut_paragraph.symbols.first, nullptr);
    EXPECT_EQ(paragraph_count(d), 0);
    EXPECT_EQ(paragraph_at(d, 0), nullptr);
}

TEST(ParagraphList, AppendPrependAndPositions) {
    Document d;
    paragraph_list_append(d, make_paragraph("b", {}));
    paragraph_list_prepend(d, make_paragraph("a", {}));
    Paragraph* const c = make_paragraph("c", {});
    Paragraph stray;
    c->next_paragraph = &stray; // append must cut an old link
    paragraph_list_append(d, c);
    paragraph_list_append(d, nullptr);
    paragraph_list_prepend(d, nullptr);

    EXPECT_EQ(paragraph_texts(d), (Texts{"a", "b", "c"}));
    EXPECT_EQ(paragraph_count(d), 3);
    EXPECT_EQ(paragraph_at(d, 2), c);
    EXPECT_EQ(c->next_paragraph, nullptr);
    EXPECT_EQ(paragraph_at(d, 3), nullptr);
    EXPECT_EQ(paragraph_at(d, -1), nullptr);
}

TEST(ParagraphList, InsertAfter) {
    Document d;
    fill(d, {"a", "c"});
    paragraph_list_insert_after(paragraph_at(d, 0), make_paragraph("b", {}));
    paragraph_list_insert_after(paragraph_at(d, 2), make_paragraph("d", {}));
    EXPECT_EQ(paragraph_texts(d), (Texts{"a", "b", "c", "d"}));

    // Nowhere to insert: the paragraph is released, the document untouched
    // (ASan reports a leak otherwise).
    paragraph_list_insert_after(nullptr, make_paragraph("lost", {"s"}));
    paragraph_list_insert_after(paragraph_at(d, 0), nullptr);
    EXPECT_EQ(paragraph_texts(d), (Texts{"a", "b", "c", "d"}));
}

TEST(ParagraphList, RemoveFromEachPlace) {
    const struct {
        const char* name;
        int position; // -1: a paragraph that is not in the document
        Texts remaining;
        const char* successor;
    } cases[] = {
        {"head", 0, {"b", "c"}, "b"},
        {"middle", 1, {"a", "c"}, "c"},
        {"last", 2, {"a", "b"}, nullptr},
        {"missing", -1, {"a", "b", "c"}, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Document d;
        fill(d, {"a", "b", "c"});
        Paragraph outsider;
        Paragraph* const p = c.position < 0 ? &outsider : paragraph_at(d, c.position);
        const Paragraph* const result = paragraph_list_remove(d, p);
        EXPECT_EQ(paragraph_texts(d), c.remaining);
        if (c.successor) {
            ASSERT_NE(result, nullptr);
            EXPECT_STREQ(result->text.chars, c.successor);
        } else {
            EXPECT_EQ(result, nullptr);
        }
    }
}

TEST(ParagraphList, RemoveTheOnlyParagraphOrNothing) {
    Document d;
    EXPECT_EQ(paragraph_list_remove(d, nullptr), nullptr);
    Paragraph outsider;
    EXPECT_EQ(paragraph_list_remove(d, &outsider), nullptr);

    fill(d, {"only"});
    EXPECT_EQ(paragraph_list_remove(d, nullptr), nullptr);
    EXPECT_EQ(paragraph_count(d), 1);
    EXPECT_EQ(paragraph_list_remove(d, d.paragraphs), nullptr);
    EXPECT_EQ(d.paragraphs, nullptr);
}

TEST(ParagraphList, ClearDestroysEveryParagraph) {
    Document d;
    paragraph_list_append(d, make_paragraph("a", {"x", "y"}));
    paragraph_list_append(d, make_paragraph("b", {"z"}));
    paragraph_list_clear(d);
    EXPECT_EQ(d.paragraphs, nullptr);
    paragraph_list_clear(d);
    fill(d, {"again"});
    EXPECT_EQ(paragraph_texts(d), (Texts{"again"}));
}

TEST(ParagraphList, CutAndPasteThroughTheCutParagraph) {
    Document d;
    paragraph_list_append(d, make_paragraph("a", {"s1"}));
    paragraph_list_append(d, make_paragraph("b", {"s2", "s3"}));
    paragraph_list_append(d, make_paragraph("c", {}));

    paragraph_assign(d.cut_paragraph, *paragraph_at(d, 1));
    paragraph_list_remove(d, paragraph_at(d, 1));
    EXPECT_EQ(d.cut_paragraph.next_paragraph, nullptr);

    auto* pasted = new Paragraph;
    paragraph_assign(*pasted, d.cut_paragraph);
    paragraph_list_prepend(d, pasted);
    EXPECT_EQ(paragraph_texts(d), (Texts{"b", "a", "c"}));
    EXPECT_EQ(texts_of(paragraph_at(d, 0)->symbols), (Texts{"s2", "s3"}));
    EXPECT_EQ(texts_of(d.cut_paragraph.symbols), (Texts{"s2", "s3"}));
}

TEST(ParagraphList, LongDocumentsAreDestroyedWithoutRecursion) {
    Document d;
    Paragraph* last = new Paragraph;
    paragraph_list_prepend(d, last);
    for (int i = 0; i < 200000; ++i) {
        paragraph_list_insert_after(last, new Paragraph);
        last = last->next_paragraph;
    }
    EXPECT_EQ(paragraph_count(d), 200001);
}

} // namespace
