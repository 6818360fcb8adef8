#include "xml/element.h"
#include "xml/writer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Counts, then writes into a buffer of exactly that size plus the NUL.
std::string written(const Element* e, int level) {
    const std::size_t count = write_element(e, nullptr, level);
    std::string buffer(count + 1, '#');
    EXPECT_EQ(write_element(e, buffer.data(), level), count);
    EXPECT_EQ(buffer[count], '\0');
    buffer.pop_back();
    return buffer;
}

// An unnamed root holding question tag q (v="1") which holds a (k="<") with text t and child b.
ElementRef example_tree() {
    ElementRef root = new_document_root();
    const ElementRef q = append_child(root.get(), copy_string("q"), true);
    append_attribute(q.get(), copy_string("v"), copy_string("1"));
    const ElementRef a = append_child(q.get(), copy_string("a"), false);
    append_attribute(a.get(), copy_string("k"), copy_string("<"));
    append_text(a.get(), copy_string("t"));
    append_child(a.get(), copy_string("b"), false);
    return root;
}

TEST(XmlWriter, WritesTheExampleFormatted) {
    const ElementRef root = example_tree();
    EXPECT_EQ(written(root.get(), 0), "<?q v=\"1\"?>\n<a k=\"&lt;\">\n\tt\n\t<b/>\n</a>\n");
}

TEST(XmlWriter, WritesTheExampleUnformatted) {
    const ElementRef root = example_tree();
    EXPECT_EQ(written(root.get(), -1), "<?q v=\"1\"?><a k=\"&lt;\">t<b/></a>");
}

TEST(XmlWriter, WritesAttributesAndEmptyContent) {
    struct Case {
        const char* what;
        ElementRef (*build)();
        const char* formatted;
        const char* unformatted;
    };
    const Case cases[] = {
        {"empty value and bare name",
         [] {
             ElementRef e = new_element(nullptr, copy_string("e"), false);
             append_attribute(e.get(), copy_string("k"), copy_string(""));
             append_attribute(e.get(), copy_string("b"), nullptr);
             append_attribute(e.get(), copy_string(""), copy_string("skipped"));
             return e;
         },
         "<e k=\"\" b/>\n", "<e k=\"\" b/>"},
        {"only an empty text",
         [] {
             ElementRef e = new_element(nullptr, copy_string("a"), false);
             append_text(e.get(), copy_string(""));
             return e;
         },
         "<a>\n</a>\n", "<a></a>"},
        {"question tag without attributes", [] { return new_element(nullptr, copy_string("q"), true); },
         "<?q?>\n", "<?q?>"},
        {"names written unchanged, values encoded",
         [] {
             ElementRef e = new_element(nullptr, copy_string("a<&"), false);
             append_attribute(e.get(), copy_string("n&"), copy_string("a<b & \"c\""));
             return e;
         },
         "<a<& n&=\"a&lt;b &amp; &quot;c&quot;\"/>\n", "<a<& n&=\"a&lt;b &amp; &quot;c&quot;\"/>"},
        {"unnamed root without content", [] { return new_document_root(); }, "", ""},
    };
    for (const Case& c : cases) {
        const ElementRef e = c.build();
        EXPECT_EQ(written(e.get(), 0), c.formatted) << c.what;
        EXPECT_EQ(written(e.get(), -1), c.unformatted) << c.what;
    }
}

TEST(XmlWriter, IndentsTextsAndBlocksByTheElementLevelPlusOne) {
    const ElementRef root = new_document_root();
    const ElementRef outer = append_child(root.get(), copy_string("o"), false);
    const ElementRef inner = append_child(outer.get(), copy_string("i"), false);
    append_verbatim_block(inner.get(), copy_string(" note "), "<!--", "-->");
    append_verbatim_block(inner.get(), copy_string("raw<&"), "", "");
    append_text(inner.get(), copy_string("x\ny"));
    EXPECT_EQ(written(root.get(), 0), "<o>\n\t<i>\n\t\t<!-- note -->\nraw<&\n\t\tx\ny\n\t</i>\n</o>\n");
    EXPECT_EQ(written(root.get(), -1), "<o><i><!-- note -->raw<&x\ny</i></o>");
    EXPECT_EQ(written(root.get(), 2),
              "\t\t<o>\n\t\t\t<i>\n\t\t\t\t<!-- note -->\nraw<&\n\t\t\t\tx\ny\n\t\t\t</i>\n\t\t</o>\n");
}

TEST(XmlWriter, QuestionTagKeepsItsChildrenAtItsLevel) {
    const ElementRef root = new_document_root();
    const ElementRef declaration = append_child(root.get(), copy_string("xml"), true);
    append_attribute(declaration.get(), copy_string("version"), copy_string("1.0"));
    const ElementRef body = append_child(declaration.get(), copy_string("body"), false);
    const ElementRef p = append_child(body.get(), copy_string("P"), false);
    append_attribute(p.get(), copy_string("symbol"), copy_string("index"));
    append_attribute(p.get(), copy_string("symbol"), copy_string("name"));
    append_text(p.get(), copy_string("Rates rise > 5%"));
    const ElementRef empty = append_child(body.get(), copy_string("P"), false);
    append_text(empty.get(), copy_string(""));
    EXPECT_EQ(written(root.get(), 0),
              "<?xml version=\"1.0\"?>\n<body>\n\t<P symbol=\"index\" symbol=\"name\">\n"
              "\t\tRates rise &gt; 5%\n\t</P>\n\t<P>\n\t</P>\n</body>\n");
}

TEST(XmlWriter, ContentFollowsContentOrder) {
    const ElementRef e = new_element(nullptr, copy_string("e"), false);
    append_text(e.get(), copy_string("1"));
    append_child(e.get(), copy_string("c"), false);
    append_attribute(e.get(), copy_string("k"), nullptr);
    append_text(e.get(), copy_string("2"));
    append_verbatim_block(e.get(), copy_string("3"), "<![CDATA[", "]]>");
    EXPECT_EQ(written(e.get(), -1), "<e k>1<c/>2<![CDATA[3]]></e>");
}

} // namespace
