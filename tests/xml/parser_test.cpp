#include "xml/parser.h"
#include "xml/tokenizer.h"
#include "xml/writer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr int unset = -7; // line and column the caller put there before the parse

ParseResult parse(const char* input, ElementRef* body = nullptr) {
    ParseResult result{unset, unset, unset};
    ElementRef found = parse_document(input, &result);
    EXPECT_EQ(growth_step, 0) << "growth step restored after the parse";
    if (body != nullptr) {
        *body = found;
    }
    return result;
}

std::string unformatted(const ElementRef& e) {
    std::string out(write_element(e.get(), nullptr, -1) + 1, '\0');
    write_element(e.get(), out.data(), -1);
    out.pop_back();
    return out;
}

struct Failure {
    const char* input;
    int code;
    int line;
    int column;
};

TEST(XmlParser, ErrorsGiveCodeLineAndColumn) {
    const Failure cases[] = {
        {"<body></x></body>", 7, 1, 11},
        {"<body>\n<pre>x</pre></body>", 7, 2, 6},
        {"<body><!-- open", 7, 1, 11},
        {"<body>a > b</body>", 8, 1, 10},
        {"<body a=></body>", 8, 1, 10},
        {"<body a b=c ='x'/>", 8, 1, 14},
        {"<body <x>", 8, 1, 8},
        {"<body>\n<P>\n'x<y'</P></body>", 8, 3, 8},
        {"<body b='x<y'/>", 8, 1, 12},
        {"<", 4, 1, 2},
        {"<>", 4, 1, 3},
        {"<body></", 5, 1, 9},
        {"<body></a", 5, 1, 10},
        {"<body></ >", 5, 1, 11},
        {"<body></a b>", 5, 1, 12},
        {"<body>a &amp b</body>", 13, 1, 17},
        {"<body>&#65;</body>", 13, 1, 14},
        {"x & y<body/>", 13, 1, 7},
        {"<body a='&nbsp;'/>", 13, 1, 17},
        {"<body>\r\n<P>\r\n/></P></body>", 8, 3, 3},
        {"<body>\n\n\t<P>a & b</P></body>", 13, 3, 12},
        {"<body><ab></a></ab></body>", 7, 1, 15},
    };
    for (const Failure& c : cases) {
        ElementRef body;
        const ParseResult r = parse(c.input, &body);
        EXPECT_EQ(r.code, c.code) << c.input;
        EXPECT_EQ(r.line, c.line) << c.input;
        EXPECT_EQ(r.column, c.column) << c.input;
        EXPECT_FALSE(body) << c.input;
    }
}

TEST(XmlParser, MissingBodyGivesCode12AtLineZero) {
    for (const char* input :
         {"", " \r\n\t ", "</x><body/>", "<html><body/></html>", "<P/><?x?>", "text only"}) {
        ElementRef body;
        const ParseResult r = parse(input, &body);
        EXPECT_EQ(r.code, 12) << input;
        EXPECT_EQ(r.line, 0) << input;
        EXPECT_EQ(r.column, 0) << input;
        EXPECT_FALSE(body) << input;
    }
}

TEST(XmlParser, NullInputGivesCode10) {
    ParseResult r{unset, unset, unset};
    EXPECT_FALSE(parse_document(nullptr, &r));
    EXPECT_EQ(r.code, 10);
    EXPECT_EQ(r.line, 0);
    EXPECT_EQ(r.column, 0);
    EXPECT_FALSE(parse_document("<x/>", nullptr)); // no result to fill
}

TEST(XmlParser, SuccessWritesOnlyTheCode) {
    const ParseResult r = parse("<body/>");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.line, unset);
    EXPECT_EQ(r.column, unset);
}

TEST(XmlParser, UnmatchedEndTagWarnsAndStillReturnsBody) {
    ElementRef body;
    const ParseResult r = parse("<body><P>a</body>", &body);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.line, 1);
    EXPECT_EQ(r.column, 18);
    ASSERT_TRUE(body);
    EXPECT_EQ(unformatted(body), "<body><P>a</P></body>");
    EXPECT_EQ(body->parent, nullptr);
}

TEST(XmlParser, LastMismatchIsReported) {
    ElementRef body;
    const ParseResult r = parse("<body><a><b></a>\n<c><d></c></body>", &body);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.line, 2);
    EXPECT_EQ(r.column, 11);
    EXPECT_EQ(unformatted(body), "<body><a><b/></a><c><d/></c></body>");
}

TEST(XmlParser, LaterErrorReplacesTheWarning) {
    const ParseResult r = parse("<body><P></body>\n>");
    EXPECT_EQ(r.code, 8);
    EXPECT_EQ(r.line, 2);
    EXPECT_EQ(r.column, 2);
}

TEST(XmlParser, BuildsTheTreeAsRead) {
    struct Case {
        const char* input;
        const char* body; // unformatted rewrite of the "body" element
        int code;
    };
    const Case cases[] = {
        {"<body>text", "<body/>", 0},
        {"<BODY></Body>", "<BODY/>", 0},
        {"<body a=1 b c='x'/>", "<body a=\"1\" b c=\"x\"/>", 0},
        {"<body>a &amp; b</body>", "<body>a &amp; b</body>", 0},
        {"<body>'a > b'</body>", "<body>&apos;a &gt; b&apos;</body>", 0},
        {"<body><!----></body>", "<body><!----></body>", 0},
        {"<body><!-- <b> &x; --></body>", "<body><!-- <b> &x; --></body>", 0},
        {"<body><pre> a&b </PRE></body>", "<body><PRE> a&b </PRE></body>", 0},
        {"<body><SCRIPT>x</Script></body>", "<body><Script>x</Script></body>", 0},
        {"<body><![cdata[<x>]]></body>", "<body><![CDATA[<x>]]></body>", 0},
        {"<!doctype html><body/>", "<body/>", 0},
        {"<body><?pi x?></body>", "<body><?pi x?></body>", 1},
        {"<?xml version=\"1.0\"?><body>\r\n\t<P symbol=\"a\" symbol=\"b\">\r\n\t\tx\r\n\t</P>\r\n</body>",
         "<body><P symbol=\"a\" symbol=\"b\">x</P></body>", 0},
        {"<?a?><?b?><Body/>", "<Body/>", 0},
        {"  lead <body>  a\n b  <i/> c =d </body>", "<body>a\n b<i/>c =d</body>", 0},
        {"<body x = 'y' z= \"w\" />", "<body x=\"y\" z=\"w\"/>", 0},
        {"<body><P>\xe9\x80\xff\x01</P></body>", "<body><P>\xe9\x80\xff\x01</P></body>", 0},
        {"<body>a<b\n>c</b\n></body>", "<body>a<b>c</b></body>", 0},
    };
    for (const Case& c : cases) {
        ElementRef body;
        const ParseResult r = parse(c.input, &body);
        EXPECT_EQ(r.code, c.code) << c.input;
        ASSERT_TRUE(body) << c.input;
        EXPECT_EQ(unformatted(body), c.body) << c.input;
    }
}

TEST(XmlParser, BodyInsideQuestionTagsAtAnyDepth) {
    ElementRef body;
    EXPECT_EQ(parse("<?xml version='1.0'?><?style x?>\n<body/>", &body).code, 0);
    ASSERT_TRUE(body);
    EXPECT_EQ(body->parent, nullptr);
    EXPECT_STREQ(body->name, "body");
    // A question tag without "?" before ">" still holds what follows.
    EXPECT_EQ(parse("<?a><body/>", &body).code, 0);
    EXPECT_TRUE(body);
}

TEST(XmlParser, QuestionTagDetails) {
    ElementRef body;
    ASSERT_EQ(parse("<body><?pi x?></body>", &body).code, 1);
    ASSERT_EQ(body->child_count, 1);
    const Element* const pi = body->children[0];
    EXPECT_STREQ(pi->name, "pi");
    EXPECT_EQ(pi->question_tag, 1);
    ASSERT_EQ(pi->attribute_count, 1);
    EXPECT_STREQ(pi->attributes[0].name, "x");
    EXPECT_EQ(pi->attributes[0].value, nullptr);

    ASSERT_EQ(parse("<body><?pi?></body>", &body).code, 1);
    EXPECT_STREQ(body->children[0]->name, "pi?");
    ASSERT_EQ(parse("<body><?pi a=b?></body>", &body).code, 1);
    EXPECT_STREQ(body->children[0]->attributes[0].value, "b");
    ASSERT_EQ(parse("<body><?pi a='b?'?></body>", &body).code, 1);
    EXPECT_STREQ(body->children[0]->attributes[0].value, "b?");
}

TEST(XmlParser, TextsAreStoredOnlyBeforeATagOrBlock) {
    ElementRef body;
    ASSERT_EQ(parse("<body>one<!--c-->two<x/>three</body>", &body).code, 0);
    ASSERT_EQ(body->text_count, 3);
    EXPECT_STREQ(body->texts[0], "one");
    EXPECT_STREQ(body->texts[1], "two");
    EXPECT_STREQ(body->texts[2], "three");
    EXPECT_EQ(body->content_order[1], 3);
}

TEST(XmlParser, VerbatimBlocksPointIntoTheMarkerTable) {
    ElementRef body;
    ASSERT_EQ(parse("<body><!DOCTYPE x></body>", &body).code, 0);
    ASSERT_EQ(body->block_count, 1);
    EXPECT_EQ(body->blocks[0].opening, verbatim_markers[4].opening);
    EXPECT_EQ(body->blocks[0].closing, verbatim_markers[4].closing);
    EXPECT_STREQ(body->blocks[0].content, " x");
}

TEST(XmlParser, ElementsClosedByTheParserAreTrimmed) {
    std::string input = "<body>";
    for (int i = 0; i < 130; ++i) {
        input += "<P a=x>t</P>";
    }
    input += "</body>";
    ElementRef body;
    ASSERT_EQ(parse(input.c_str(), &body).code, 0);
    EXPECT_EQ(body->child_count, 130);
    EXPECT_EQ(body->children[129]->attribute_count, 1);
    // Outside a parse every add reallocates to the exact size: adding works after trimming.
    for (int i = 0; i < 60; ++i) {
        append_child(body.get(), copy_string("Q"), false);
    }
    EXPECT_EQ(count_children_named(body, "q"), 60);
}

TEST(XmlParser, MessagesForEveryCode) {
    const char* const messages[] = {
        "No error",
        "Warning: Unmatched end tag",
        "Error: No XML data",
        "Error: First token not start tag",
        "Error: Missing start tag name",
        "Error: Missing end tag name",
        "Error: Unmatched quote",
        "Error: Unmatched end tag",
        "Error: Unexpected token found",
        "Error: Invalid tag found",
        "Error: No elements found",
        "Error: File not found",
        "Error: First Tag not found",
        "Error: Unknown character entity",
        "Error: Elements nested too deeply",
    };
    for (int code = 0; code < 15; ++code) {
        EXPECT_STREQ(parse_message(code), messages[code]) << code;
    }
    EXPECT_STREQ(parse_message(-1), "Unknown");
    EXPECT_STREQ(parse_message(15), "Unknown");
}

} // namespace
