#include "xml/parser.h"
#include "xml/tokenizer.h"

#include "xml_test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr int unset = -7; // line and column the caller put there before the parse

struct Parsed {
    ParseResult result;
    ElementRef body;
};

Parsed parse(const char* input) {
    Parsed p{{unset, unset, unset}, {}};
    p.body = parse_document(input, &p.result);
    return p;
}

TEST(XmlParse, ErrorsGiveCodeLineAndColumnAndNoTree) {
    struct Case {
        const char* input;
        int code;
        int line;
        int column;
    };
    const Case cases[] = {
        {"<body></x></body>", parse_unmatched_end_tag, 1, 11},
        {"<body>\n<pre>x</pre></body>", parse_unmatched_end_tag, 2, 6},
        {"<body><!-- open", parse_unmatched_end_tag, 1, 11},
        {"<body><ab></a></ab></body>", parse_unmatched_end_tag, 1, 15},
        {"<body>a > b</body>", parse_unexpected_token, 1, 10},
        {"<body a=></body>", parse_unexpected_token, 1, 10},
        {"<body a b=c ='x'/>", parse_unexpected_token, 1, 14},
        {"<body <x>", parse_unexpected_token, 1, 8},
        {"<body>\n<P>\n'x<y'</P></body>", parse_unexpected_token, 3, 8},
        {"<body b='x<y'/>", parse_unexpected_token, 1, 12},
        {"<body>\r\n<P>\r\n/></P></body>", parse_unexpected_token, 3, 3},
        {"<body><P></body>\n>", parse_unexpected_token, 2, 2}, // replaces the warning
        {"<", parse_missing_start_tag_name, 1, 2},
        {"<>", parse_missing_start_tag_name, 1, 3},
        {"<body></", parse_missing_end_tag_name, 1, 9},
        {"<body></a", parse_missing_end_tag_name, 1, 10},
        {"<body></ >", parse_missing_end_tag_name, 1, 11},
        {"<body></a b>", parse_missing_end_tag_name, 1, 12},
        {"<body>a &amp b</body>", parse_unknown_entity, 1, 17},
        {"<body>&#65;</body>", parse_unknown_entity, 1, 14},
        {"x & y<body/>", parse_unknown_entity, 1, 7},
        {"<body a='&nbsp;'/>", parse_unknown_entity, 1, 17},
        {"<body>\n\n\t<P>a & b</P></body>", parse_unknown_entity, 3, 12},
        {"<body><P>a & b", parse_unknown_entity, 1, 15}, // the cut-short text is decoded too
        {"", parse_first_tag_not_found, 0, 0},
        {" \r\n\t ", parse_first_tag_not_found, 0, 0},
        {"</x><body/>", parse_first_tag_not_found, 0, 0},
        {"<html><body/></html>", parse_first_tag_not_found, 0, 0},
        {"<P/><?x?>", parse_first_tag_not_found, 0, 0},
        {"<bodyx/>", parse_first_tag_not_found, 0, 0},
    };
    for (const Case& c : cases) {
        const Parsed p = parse(c.input);
        EXPECT_EQ(p.result.code, c.code) << c.input;
        EXPECT_EQ(p.result.line, c.line) << c.input;
        EXPECT_EQ(p.result.column, c.column) << c.input;
        EXPECT_FALSE(p.body) << c.input;
    }
    ParseResult r{unset, unset, unset};
    EXPECT_FALSE(parse_document(nullptr, &r));
    EXPECT_EQ(r.code, parse_no_elements);
    EXPECT_FALSE(parse_document("<x/>", nullptr)); // no result to fill
}

// The "body" found, standing alone, and what it holds, rewritten unformatted.
TEST(XmlParse, BuildsTheTreeAsRead) {
    struct Case {
        const char* input;
        const char* body;
        int code;
        int line; // for warnings
        int column;
    };
    const Case cases[] = {
        {"<body/>", "<body/>", parse_ok, unset, unset},
        {"<BODY></Body>", "<BODY/>", parse_ok, unset, unset},
        {"<body a=1 b c='x'/>", "<body a=\"1\" b c=\"x\"/>", parse_ok, unset, unset},
        {"<body x = 'y' z= \"w\" />", "<body x=\"y\" z=\"w\"/>", parse_ok, unset, unset},
        {"<body>a &amp; b</body>", "<body>a &amp; b</body>", parse_ok, unset, unset},
        {"<body>'a > b'</body>", "<body>&apos;a &gt; b&apos;</body>", parse_ok, unset, unset},
        {"  lead <body>  a\n b  <i/> c =d </body>", "<body>a\n b<i/>c =d</body>", parse_ok, unset, unset},
        {"<body>a<b\n>c</b\n></body>", "<body>a<b>c</b></body>", parse_ok, unset, unset},
        {"<body><P>\xe9\x80\xff\x01</P></body>", "<body><P>\xe9\x80\xff\x01</P></body>", parse_ok, unset,
         unset},
        {"<body><!----><!-- <b> &x; --></body>", "<body><!----><!-- <b> &x; --></body>", parse_ok, unset,
         unset},
        {"<body><pre> a&b </PRE></body>", "<body><PRE> a&b </PRE></body>", parse_ok, unset, unset},
        {"<body><SCRIPT>x</Script></body>", "<body><Script>x</Script></body>", parse_ok, unset, unset},
        {"<body><![cdata[<x>]]></body>", "<body><![CDATA[<x>]]></body>", parse_ok, unset, unset},
        {"<!doctype html><body/>", "<body/>", parse_ok, unset, unset},
        {"<body>one<!--c-->two<x/>three</body>", "<body>one<!--c-->two<x/>three</body>", parse_ok, unset,
         unset},
        // "body" inside question tags, at any depth; a question tag holds all that follows.
        {"<?xml version='1.0'?><?style x?>\n<body/>", "<body/>", parse_ok, unset, unset},
        {"<?a><body>x</body>", "<body>x</body>", parse_ok, unset, unset},
        {"<?xml version=\"1.0\"?><body>\r\n\t<P symbol=\"a\" symbol=\"b\">\r\n\t\tx\r\n\t</P>\r\n</body>",
         "<body><P symbol=\"a\" symbol=\"b\">x</P></body>", parse_ok, unset, unset},
        {"<body><?pi a='b?' c?></body>", "<body><?pi a=\"b?\" c?></body>", parse_unmatched_end_tag_warning, 1,
         29},
        {"<body><?pi?></body>", "<body><?pi?" "?></body>", parse_unmatched_end_tag_warning, 1, 20},
        // Warnings still give back "body": the last mismatch is reported.
        {"<body><P>a</body>", "<body><P>a</P></body>", parse_unmatched_end_tag_warning, 1, 18},
        {"<body><a><b></a>\n<c><d></c></body>", "<body><a><b/></a><c><d/></c></body>",
         parse_unmatched_end_tag_warning, 2, 11},
        // A file cut short: everything read is kept, the last text too; warned at the end.
        {"<body>text", "<body>text</body>", parse_ends_inside_element_warning, 1, 11},
        {"<?xml?><body><P symbol=s>a\r\n b \n", "<body><P symbol=\"s\">a\r\n b</P></body>",
         parse_ends_inside_element_warning, 3, 1},
        {"<body><P>a</body><P>b", "<body><P>a</P></body>", parse_ends_inside_element_warning, 1, 22},
        {"<body><?pi x?>t", "<body><?pi x?>t</body>", parse_ends_inside_element_warning, 1, 16},
        {"<body><P a='1", "<body><P a=\"&apos;1\"/></body>", parse_ends_inside_element_warning, 1, 14},
    };
    for (const Case& c : cases) {
        const Parsed p = parse(c.input);
        EXPECT_EQ(p.result.code, c.code) << c.input;
        EXPECT_EQ(p.result.line, c.line) << c.input;
        EXPECT_EQ(p.result.column, c.column) << c.input;
        ASSERT_TRUE(p.body) << c.input;
        EXPECT_EQ(p.body->parent, nullptr);
        EXPECT_EQ(p.body->references, 1);
        EXPECT_EQ(written(p.body.get(), -1), c.body) << c.input;
    }
}

TEST(XmlParse, VerbatimBlocksKeepTheTableMarkersAndRawContent) {
    const Parsed p = parse("<body><!doctype x &y;></body>");
    ASSERT_EQ(p.body->block_count, 1);
    EXPECT_EQ(p.body->blocks[0].opening, verbatim_markers[4].opening);
    EXPECT_EQ(p.body->blocks[0].closing, verbatim_markers[4].closing);
    EXPECT_STREQ(p.body->blocks[0].content, " x &y;");
}

TEST(XmlParse, NothingStaysBehindBetweenParses) {
    // A failed deep parse first, then a different document: nothing of the first shows.
    EXPECT_EQ(parse("<body><a><b x='1'>t<c>u<d/>&bad;").result.code, parse_unknown_entity);
    const Parsed p = parse("<body><e>v</e></body>");
    EXPECT_EQ(p.result.code, parse_ok);
    EXPECT_EQ(written(p.body.get(), -1), "<body><e>v</e></body>");
}

} // namespace
