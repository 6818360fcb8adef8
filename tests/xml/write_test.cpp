#include "xml/entities.h"
#include "xml/parser.h"

#include "xml_test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace {

using Owned = std::unique_ptr<char, decltype(&std::free)>;

TEST(XmlEntities, EveryByteRoundTrips) {
    std::string all = "a<b & \"c\"'>";
    for (int c = 1; c < 256; ++c) {
        all += static_cast<char>(c);
    }
    std::string text(encoded_length(all.c_str()) + 1, '\x7f');
    encode_entities(all.c_str(), text.data());
    ASSERT_EQ(text.back(), '\0');
    EXPECT_EQ(text.substr(0, 36), "a&lt;b &amp; &quot;c&quot;&apos;&gt;");
    int code = parse_ok;
    const Owned back(decode_entities(text.data(), static_cast<int>(text.size() - 1), code), &std::free);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back.get(), all);
    EXPECT_EQ(code, parse_ok);
}

TEST(XmlEntities, DecodingStaysWithinItsSpanAndRefusesUnknownEntities) {
    struct Case {
        const char* text;
        int length;
        const char* decoded; // null: unknown entity
    };
    const Case cases[] = {
        {"x &AMP; y &Lt;&quot;", 20, "x & y <\""},
        {"&apos;&GT;", 10, "'>"},
        {"a&lt;b", 1, "a"},
        {"ab\0cd", 5, "ab"},
        {"abc", 0, ""},
        {"abc", -3, ""},
        {"a&amp;", 5, nullptr},
        {"&nbsp;", 6, nullptr},
        {"&#65;", 5, nullptr},
        {"&", 1, nullptr},
    };
    for (const Case& c : cases) {
        int code = parse_ok;
        const Owned result(decode_entities(c.text, c.length, code), &std::free);
        EXPECT_EQ(code, c.decoded != nullptr ? parse_ok : parse_unknown_entity) << c.text;
        EXPECT_STREQ(result.get(), c.decoded) << c.text;
    }
    int code = parse_ok;
    EXPECT_EQ(decode_entities(nullptr, 3, code), nullptr);
}

TEST(XmlWriter, WritesExactBytes) {
    // Question tag q holding a, which holds a text, an empty child, a text with a line break, an
    // empty text, a comment and a child whose only content is an empty text.
    const ElementRef root = new_document_root();
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
    append_text(append_child(a.get(), copy_string("c"), false).get(), copy_string(""));
    EXPECT_EQ(written(root.get(), 0), "<?q v=\"1\"?>\n<a k=\"&lt;\" e=\"\" bare>\n\tt\n\t<b/>\n\tx\r\ny\n"
                                      "\t<!-- c -->\n\t<c>\n\t</c>\n</a>\n");
    EXPECT_EQ(written(root.get(), -1),
              "<?q v=\"1\"?><a k=\"&lt;\" e=\"\" bare>t<b/>x\r\ny<!-- c --><c></c></a>");
    EXPECT_EQ(written(a->children[0], 2), "\t\t<b/>\n");
}

} // namespace
