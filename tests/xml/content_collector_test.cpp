#include "tests/xml/element_inspection.h"
#include "xml/content_collector.h"
#include "xml/parser.h"
#include "xml/tokenizer.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

namespace {

TEST(XmlContentCollector, StoresAfterWhatTheElementHolds) {
    const ElementRef e = new_document_root();
    append_text(e.get(), copy_string("t0"));
    append_attribute(e.get(), copy_string("a0"), nullptr);
    append_child(e.get(), copy_string("c0"), false);

    ContentCollector collector;
    collector.add_attribute(copy_string("a1"), copy_string("v"));
    collector.add_child(new_element(e.get(), copy_string("c1"), false).release_ownership());
    collector.add_block(copy_string("b0"), "<!--", "-->");
    collector.add_text(copy_string("t1"));
    collector.store_in(e.get());

    EXPECT_EQ(content_order_of(e.get()), (std::vector<int>{2, 1, 0, 1 * 4 + 1, 1 * 4 + 0, 3, 1 * 4 + 2}));
    ASSERT_EQ(e->child_count, 2);
    EXPECT_STREQ(e->children[1]->name, "c1");
    EXPECT_EQ(e->children[1]->parent, e.get());
    EXPECT_STREQ(e->attributes[1].name, "a1");
    EXPECT_STREQ(e->texts[1], "t1");
    EXPECT_STREQ(e->blocks[0].content, "b0");

    // Emptied by the store: the next element gets only what is collected for it.
    const ElementRef other = new_document_root();
    collector.add_text(copy_string("only"));
    collector.store_in(other.get());
    EXPECT_EQ(content_order_of(other.get()), (std::vector<int>{2}));
    EXPECT_EQ(other->attributes, nullptr);
    EXPECT_EQ(other->children, nullptr);
}

TEST(XmlContentCollector, NothingCollectedLeavesTheArraysNull) {
    const ElementRef e = new_document_root();
    ContentCollector collector;
    collector.store_in(e.get());
    EXPECT_EQ(e->content_order, nullptr);
    EXPECT_EQ(e->texts, nullptr);
}

TEST(XmlContentCollector, ParsedArraysHaveExactSizes) {
    // Closed and left-open elements alike: the last P has no end tag, body neither.
    std::string input = "<body>";
    for (int i = 0; i < 130; ++i) {
        input += "<P a=x b='y' c>t &amp; u<!--k--></P>";
    }
    input += "<P z=1>open";
    ElementRef body;
    ParseResult result{};
    body = parse_document(input.c_str(), &result);
    ASSERT_EQ(result.code, 0);
    ASSERT_EQ(body->child_count, 131);
    EXPECT_LT(allocated_bytes(body->children), 132 * child_entry_bytes);
    EXPECT_LT(allocated_bytes(body->content_order), 132 * sizeof(int));
    const Element* const p = body->children[129];
    EXPECT_EQ(content_order_of(p), (std::vector<int>{1, 5, 9, 2, 3}));
    EXPECT_LT(allocated_bytes(p->attributes), 4 * sizeof(Attribute));
    EXPECT_STREQ(p->texts[0], "t & u");
    EXPECT_EQ(p->attributes[2].value, nullptr);
    const Element* const last = body->children[130];
    EXPECT_EQ(content_order_of(last), (std::vector<int>{1})) << "a text without a following tag is lost";
    // Adds outside a parse still follow the exact-size rule on parsed elements.
    for (int i = 0; i < 60; ++i) {
        append_text(body.get(), copy_string("x"));
    }
    EXPECT_EQ(body->text_count, 60);
    EXPECT_EQ(content_order_of(body.get()).back(), 59 * 4 + 2);
}

TEST(XmlContentCollector, ParseIntoAppendsToAnElementWithContent) {
    const ElementRef e = new_document_root();
    append_child(e.get(), copy_string("old"), false);
    append_text(e.get(), copy_string("old text"));
    ParseState state{"new <n/><m a=1></m>", 0, 0, 0, nullptr, 0, 1, verbatim_markers, 0};
    EXPECT_EQ(parse_into(e.get(), state), 0);
    EXPECT_EQ(content_order_of(e.get()), (std::vector<int>{0, 2, 6, 4, 8}));
    ASSERT_EQ(e->child_count, 3);
    EXPECT_STREQ(e->children[2]->name, "m");
    EXPECT_STREQ(e->children[2]->attributes[0].value, "1");
    EXPECT_STREQ(e->texts[1], "new");
}

TEST(XmlContentCollector, TreeIsWholeAfterAnErrorDeepInside) {
    // The error leaves open elements at several levels; their content must be in the tree so
    // that dropping it frees everything (the sanitizers of the native build check that).
    const char* const inputs[] = {
        "<body><P a=1><Q b='2'>x<R>y &bogus; z</R></Q></P></body>",
        "<body><P a=1>t<Q><!-- never closed",
        "<?xml v=1?><body><P>a</P><P>b > c</P></body>",
    };
    for (const char* input : inputs) {
        ParseResult result{};
        EXPECT_FALSE(parse_document(input, &result)) << input;
        EXPECT_GT(result.code, 1) << input;
    }
}

} // namespace
