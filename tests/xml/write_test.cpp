#include "xml/entities.h"
#include "xml/parser.h"

#include "xml_test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace {

struct FreeChars {
    void operator()(char* p) const { std::free(p); }
};
using Owned = std::unique_ptr<char, FreeChars>;

std::string encoded(const char* text) {
    std::string out(encoded_length(text) + 1, '\x7f');
    encode_entities(text, out.data());
    return out;
}

TEST(XmlEntities, EveryByteRoundTrips) {
    std::string all;
    for (int c = 1; c < 256; ++c) {
        all += static_cast<char>(c);
    }
    const std::string text = encoded(all.c_str());
    ASSERT_EQ(text.back(), '\0');
    EXPECT_EQ(text.find_first_of("<>'\""), std::string::npos);
    int code = parse_ok;
    const Owned back(decode_entities(text.data(), static_cast<int>(text.size() - 1), code));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back.get(), all);
    EXPECT_EQ(code, parse_ok);
    EXPECT_EQ(encoded("a<b & \"c\"'>"), std::string("a&lt;b &amp; &quot;c&quot;&apos;&gt;") + '\0');
}

TEST(XmlEntities, DecodingStaysWithinItsSpan) {
    struct Case {
        const char* text;
        int length;
        const char* decoded; // null: unknown entity
    };
    const Case cases[] = {
        {"x &AMP; y &Lt;&quot;", 20, "x & y <\""},
        {"&apos;&GT;", 10, "'>"},
        {"a&amp;", 5, nullptr}, // the entity runs past the span
        {"a&lt;b", 1, "a"},     // the span ends before the entity
        {"ab\0cd", 5, "ab"},    // a NUL ends it early
        {"abc", 0, ""},
        {"abc", -3, ""},
        {"&nbsp;", 6, nullptr},
        {"&#65;", 5, nullptr},
        {"&", 1, nullptr},
        {"&amp", 4, nullptr},
    };
    for (const Case& c : cases) {
        int code = parse_ok;
        const Owned result(decode_entities(c.text, c.length, code));
        if (c.decoded == nullptr) {
            EXPECT_EQ(result, nullptr) << c.text;
            EXPECT_EQ(code, parse_unknown_entity) << c.text;
        } else {
            ASSERT_NE(result, nullptr) << c.text;
            EXPECT_STREQ(result.get(), c.decoded);
            EXPECT_EQ(code, parse_ok) << c.text;
        }
    }
    int code = parse_ok;
    EXPECT_EQ(decode_entities(nullptr, 3, code), nullptr);
}

// An unnamed root holding a question tag q (v="1") that holds an element a (k="<"), which holds
// a text, an empty child, a text with a line break, an empty text and a comment.
ElementRef example_tree() {
    ElementRef root = new_document_root();
    const ElementRef q = append_child(root.get(), copy_string("q"), true);
    append_attribute(q.get(), copy_string("v"), copy_string("1"));
    const ElementRef a = append_child(q.get(), copy_string("a"), false);
    append_attribute(a.get(), copy_string("k"), copy_string("<"));
    append_attribute(a.get(), copy_string("e"), copy_string(""));
    append_attribute(a.get(), copy_string("bare"), nullptr);
    append_attribute(a.get(), copy_string(""), copy_string("skipped"));
    append_text(a.get(), copy_string("t"));
    append_child(a.get(), copy_string("b"), false);
    append_text(a.get(), copy_string("x\r\ny"));
    append_text(a.get(), copy_string(""));
    append_verbatim_block(a.get(), copy_string(" c "), "<!--", "-->");
    const ElementRef only_empty = append_child(a.get(), copy_string("c"), false);
    append_text(only_empty.get(), copy_string(""));
    return root;
}

TEST(XmlWriter, WritesExactBytes) {
    const ElementRef root = example_tree();
    EXPECT_EQ(written(root.get(), 0), "<?q v=\"1\"?>\n"
                                      "<a k=\"&lt;\" e=\"\" bare>\n"
                                      "\tt\n"
                                      "\t<b/>\n"
                                      "\tx\r\ny\n"
                                      "\t<!-- c -->\n"
                                      "\t<c>\n"
                                      "\t</c>\n"
                                      "</a>\n");
    EXPECT_EQ(written(root.get(), -1),
              "<?q v=\"1\"?><a k=\"&lt;\" e=\"\" bare>t<b/>x\r\ny<!-- c --><c></c></a>");
    EXPECT_EQ(written(root->children[0]->children[0]->children[0], 2), "\t\t<b/>\n");
    EXPECT_EQ(written(nullptr, 0), "");
}

TEST(XmlWriter, OwnOutputParsesCleanly) {
    const ElementRef root = new_document_root();
    const ElementRef declaration = append_child(root.get(), copy_string("xml"), true);
    const ElementRef body = append_child(declaration.get(), copy_string("body"), false);
    append_child(body.get(), copy_string("P"), false);
    append_text(append_child(body.get(), copy_string("P"), false).get(), copy_string("a & b"));
    for (const int level : {0, -1}) {
        const std::string text = written(root.get(), level);
        ParseResult result{-1, -1, -1};
        const ElementRef found = parse_document(text.c_str(), &result);
        EXPECT_EQ(result.code, parse_ok) << text;
        ASSERT_TRUE(found);
        EXPECT_EQ(written(found.get(), level), written(body.get(), level));
    }
}

} // namespace
