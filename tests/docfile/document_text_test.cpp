// The exact bytes of the document file and the tree behind them.
#include "docfile/document_tree.h"
#include "plain_document.h"
#include "xml/element.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string file_text(const PlainDocument& paragraphs) {
    Document doc;
    set_paragraphs(doc, paragraphs);
    return document_to_text(doc.paragraphs);
}

TEST(DocumentText, TwoParagraphExample) {
    EXPECT_EQ(file_text({{"Rates rise > 5%", {"index", "name"}}, {"", {}}}),
              "<?xml version=\"1.0\"?>\r\n"
              "<body>\r\n"
              "\t<P symbol=\"index\" symbol=\"name\">\r\n"
              "\t\tRates rise &gt; 5%\r\n"
              "\t</P>\r\n"
              "\t<P>\r\n"
              "\t</P>\r\n"
              "</body>\r\n");
}

TEST(DocumentText, EmptyDocument) {
    EXPECT_EQ(document_to_text(nullptr), "<?xml version=\"1.0\"?>\r\n<body/>\r\n");
}

struct TextCase {
    const char* name;
    PlainDocument paragraphs;
    const char* paragraph_lines; // the lines between «<body>» and «</body>»
};

const TextCase text_cases[] = {
    {"entities in text and symbol",
     {{"a<b & \"c\" 'd'", {"x<y&'\"z>"}}},
     "\t<P symbol=\"x&lt;y&amp;&apos;&quot;z&gt;\">\r\n"
     "\t\ta&lt;b &amp; &quot;c&quot; &apos;d&apos;\r\n"
     "\t</P>\r\n"},
    {"empty and repeated symbols",
     {{"t", {"", "s", "s"}}},
     "\t<P symbol=\"\" symbol=\"s\" symbol=\"s\">\r\n"
     "\t\tt\r\n"
     "\t</P>\r\n"},
    // Continuation lines carry no indentation; every line end is CR LF.
    {"edit box line breaks",
     {{"first\r\nsecond\r\n\r\nfourth", {}}},
     "\t<P>\r\n"
     "\t\tfirst\r\nsecond\r\n\r\nfourth\r\n"
     "\t</P>\r\n"},
    {"bare LF and older CR CR LF line breaks",
     {{"a\nb\r\r\nc", {"s\nt"}}},
     "\t<P symbol=\"s\r\nt\">\r\n"
     "\t\ta\r\nb\r\nc\r\n"
     "\t</P>\r\n"},
    {"lone CR and high bytes kept",
     {{"a\rb\xe9\xff\x01", {"\x80"}}},
     "\t<P symbol=\"\x80\">\r\n"
     "\t\ta\rb\xe9\xff\x01\r\n"
     "\t</P>\r\n"},
};

TEST(DocumentText, ParagraphLines) {
    for (const TextCase& c : text_cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(file_text(c.paragraphs),
                  std::string("<?xml version=\"1.0\"?>\r\n<body>\r\n") + c.paragraph_lines + "</body>\r\n");
    }
}

TEST(DocumentText, EveryLineEndIsCrLf) {
    const std::string text = file_text({{"a\nb\r\nc\r\r\nd\re\n", {"\n", "\r", "x\r\n"}}, {"\n\n", {}}});
    for (std::size_t i = text.find('\n'); i != std::string::npos; i = text.find('\n', i + 1)) {
        ASSERT_GT(i, 0u);
        EXPECT_EQ(text[i - 1], '\r') << "at " << i << " of " << escaped(text);
    }
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
}

TEST(DocumentTree, ShapeOfTheTree) {
    Document doc;
    set_paragraphs(doc, {{"one\r\ntwo", {"s1", "s2"}}, {"", {}}});
    const ElementRef root = document_to_tree(doc.paragraphs);
    ASSERT_TRUE(root);
    EXPECT_EQ(root->name, nullptr);
    ASSERT_EQ(root->child_count, 1);
    const Element* const declaration = root->children[0];
    EXPECT_STREQ(declaration->name, "xml");
    EXPECT_NE(declaration->question_tag, 0);
    ASSERT_EQ(declaration->attribute_count, 1);
    EXPECT_STREQ(declaration->attributes[0].name, "version");
    EXPECT_STREQ(declaration->attributes[0].value, "1.0");
    ASSERT_EQ(declaration->child_count, 1);
    const Element* const body = declaration->children[0];
    EXPECT_STREQ(body->name, "body");
    EXPECT_EQ(body->question_tag, 0);
    ASSERT_EQ(body->child_count, 2);

    const Element* const first = body->children[0];
    EXPECT_STREQ(first->name, "P");
    EXPECT_STREQ(first_text(first), "one\ntwo"); // single LFs inside the tree
    EXPECT_STREQ(attribute_value_named(first, "symbol", 0), "s1");
    EXPECT_STREQ(attribute_value_named(first, "symbol", 1), "s2");
    EXPECT_EQ(attribute_value_named(first, "symbol", 2), nullptr);
    // The empty paragraph still holds its (empty) text.
    EXPECT_STREQ(first_text(body->children[1]), "");
    EXPECT_EQ(body->children[1]->attribute_count, 0);
}

// The tree is built with block growth; afterwards it is an ordinary tree
// that can be added to (its arrays exactly sized) and the growth rule is back.
TEST(DocumentTree, CanBeExtendedAfterwards) {
    Document doc;
    PlainDocument paragraphs;
    for (int i = 0; i < 120; ++i) {
        paragraphs.push_back({std::string("p").append(std::to_string(i)), {"s"}});
    }
    set_paragraphs(doc, paragraphs);
    const ElementRef root = document_to_tree(doc.paragraphs);
    Element* const body = root->children[0]->children[0];
    ASSERT_EQ(body->child_count, 120);
    for (int i = 0; i < 60; ++i) {
        const ElementRef extra = append_child(body, copy_string("P"), false);
        append_text(extra.get(), copy_string("extra"));
        append_attribute(body->children[i], copy_string("symbol"), copy_string("more"));
    }
    ASSERT_EQ(body->child_count, 180);
    EXPECT_STREQ(first_text(body->children[179]), "extra");
    EXPECT_STREQ(attribute_value_named(body->children[59], "symbol", 1), "more");
    EXPECT_STREQ(first_text(body->children[119]), "p119");
}

} // namespace
