#include "xml/parser.h"

#include "xml_test_support.h"

#include <gtest/gtest.h>

#include <array>

namespace {

constexpr int as_set = -7; // line and column as the caller set them: a success writes only the code

// Every outcome of a parse: code, line and column, and the "body" found (standing alone), as the
// writer puts it back unformatted; null when no tree comes back.
TEST(XmlParse, OutcomesByInput) {
    struct Case {
        const char* input;
        int code;
        int line;
        int column;
        const char* body;
    };
    const Case cases[] = {
        {"<body/>", parse_ok, as_set, as_set, "<body/>"},
        {"<BODY></Body>", parse_ok, as_set, as_set, "<BODY/>"},
        {"<body a=1 b c='x'/>", parse_ok, as_set, as_set, "<body a=\"1\" b c=\"x\"/>"},
        {"<body x = 'y' z= \"w\" />", parse_ok, as_set, as_set, "<body x=\"y\" z=\"w\"/>"},
        {"<body>a &amp; b</body>", parse_ok, as_set, as_set, "<body>a &amp; b</body>"},
        {"<body>'a > b'</body>", parse_ok, as_set, as_set, "<body>&apos;a &gt; b&apos;</body>"},
        {"  lead <body>  a\n b  <i/> c =d </body>", parse_ok, as_set, as_set, "<body>a\n b<i/>c =d</body>"},
        {"<body>a<b\n>c</b\n></body>", parse_ok, as_set, as_set, "<body>a<b>c</b></body>"},
        {"<body><P>\xe9\x80\xff\x01</P></body>", parse_ok, as_set, as_set,
         "<body><P>\xe9\x80\xff\x01</P></body>"},
        {"<body><!----><!-- <b> &x; --></body>", parse_ok, as_set, as_set,
         "<body><!----><!-- <b> &x; --></body>"},
        {"<body><pre> a&b </PRE></body>", parse_ok, as_set, as_set, "<body><PRE> a&b </PRE></body>"},
        {"<body><SCRIPT>x</Script></body>", parse_ok, as_set, as_set, "<body><Script>x</Script></body>"},
        {"<body><![cdata[<x>]]></body>", parse_ok, as_set, as_set, "<body><![CDATA[<x>]]></body>"},
        {"<!doctype html><body>1<!--c-->2<x/>3</body>", parse_ok, as_set, as_set,
         "<body>1<!--c-->2<x/>3</body>"},
        // "body" inside question tags, at any depth: a question tag holds all that follows it.
        {"<?xml version='1.0'?><?style x?>\n<body/>", parse_ok, as_set, as_set, "<body/>"},
        {"<?a><body>x</body>", parse_ok, as_set, as_set, "<body>x</body>"},
        {"<?xml?><body>\r\n\t<P symbol=\"a\" symbol=\"b\">\r\n\t\tx\r\n\t</P>\r\n</body>", parse_ok, as_set,
         as_set, "<body><P symbol=\"a\" symbol=\"b\">x</P></body>"},
        // Warnings still give back "body": the last mismatched end tag, or the end of a cut-short
        // text, where everything read is kept, the last text too.
        {"<body><?pi a='b?' c?></body>", parse_unmatched_end_tag_warning, 1, 29,
         "<body><?pi a=\"b?\" c?></body>"},
        {"<body><?pi?></body>", parse_unmatched_end_tag_warning, 1, 20,
         "<body><?pi?"
         "?></body>"},
        {"<body><P>a</body>", parse_unmatched_end_tag_warning, 1, 18, "<body><P>a</P></body>"},
        {"<body><a><b></a>\n<c><d></c></body>", parse_unmatched_end_tag_warning, 2, 11,
         "<body><a><b/></a><c><d/></c></body>"},
        {"<body>text", parse_ends_inside_element_warning, 1, 11, "<body>text</body>"},
        {"<?xml?><body><P s=t>a\r\n b \n", parse_ends_inside_element_warning, 3, 1,
         "<body><P s=\"t\">a\r\n b</P></body>"},
        {"<body><P>a</body><P>b", parse_ends_inside_element_warning, 1, 22, "<body><P>a</P></body>"},
        {"<body><?pi x?>t", parse_ends_inside_element_warning, 1, 16, "<body><?pi x?>t</body>"},
        // Cut anywhere: what was complete stays, the unfinished part (a tag, a name, an entity, a
        // block, an attribute that may lack its value) goes.
        {"<body><P a='1", parse_ends_inside_element_warning, 1, 14, "<body><P/></body>"},
        {"<body><P s=1 t=\"x&g", parse_ends_inside_element_warning, 1, 20, "<body><P s=\"1\"/></body>"},
        {"<body><P a b", parse_ends_inside_element_warning, 1, 13, "<body><P a/></body>"},
        {"<body><P a ", parse_ends_inside_element_warning, 1, 12, "<body><P/></body>"},
        {"<body><P a='x b= c=", parse_ends_inside_element_warning, 1, 20, "<body><P/></body>"},
        {"<body>a &amp; b &AM", parse_ends_inside_element_warning, 1, 20, "<body>a &amp; b</body>"},
        {"<body>a&", parse_ends_inside_element_warning, 1, 9, "<body>a</body>"},
        {"<body>x<Pa", parse_ends_inside_element_warning, 1, 11, "<body>x</body>"},
        {"<body><P>x</P", parse_ends_inside_element_warning, 1, 14, "<body><P>x</P></body>"},
        {"<body></", parse_ends_inside_element_warning, 1, 9, "<body/>"},
        {"<body><!-- open", parse_ends_inside_element_warning, 1, 16, "<body/>"},
        {"<body>\n<pre>x</pre></body>", parse_ends_inside_element_warning, 2, 20, "<body/>"},
        {"<body/><", parse_ends_inside_element_warning, 1, 9, "<body/>"},
        // The last text, cut short, goes when it cannot be decoded: it is the half-read part.
        {"<body>&;", parse_ends_inside_element_warning, 1, 9, "<body/>"},
        {"<BODY>&aa", parse_ends_inside_element_warning, 1, 10, "<BODY/>"},
        {"<body><x>&#65", parse_ends_inside_element_warning, 1, 14, "<body><x/></body>"},
        {"<body><P>a & b", parse_ends_inside_element_warning, 1, 15, "<body><P/></body>"},
        {"<body>a &gx; b", parse_ends_inside_element_warning, 1, 15, "<body/>"},
        // A quote that nothing closes is a string cut by the end only when no ">" follows that
        // ends a tag or is an error; otherwise it is the first character of a word.
        {"<body '>", parse_ends_inside_element_warning, 1, 9, "<body '/>"},
        {"<bOdY><p><'>", parse_ends_inside_element_warning, 1, 13, "<bOdY><p><'/></p></bOdY>"},
        {"<BODY></BOdy><r/></'>", parse_unmatched_end_tag_warning, 1, 22, "<BODY/>"},
        {"<body x='a \"b c>", parse_ends_inside_element_warning, 1, 17, "<body x=\"&apos;a\" \"b c/>"},
        {"<body x='a y=\"b>c\"", parse_ends_inside_element_warning, 1, 19, "<body/>"}, // ">" inside a string
        {"<?xml version='1.0'?><body/>\r\n", parse_ok, as_set, as_set, "<body/>"},
        // Errors give no tree.
        {"<body></x></body>", parse_unmatched_end_tag, 1, 11, nullptr},
        {"<body><ab></a></ab></body>", parse_unmatched_end_tag, 1, 15, nullptr},
        {"<body>a > b</body>", parse_unexpected_token, 1, 10, nullptr},
        {"<body a=></body>", parse_unexpected_token, 1, 10, nullptr},
        {"<body a b=c ='x'/>", parse_unexpected_token, 1, 14, nullptr},
        {"<body <x>", parse_unexpected_token, 1, 8, nullptr},
        {"<body b='x<y'/>", parse_unexpected_token, 1, 12, nullptr},
        {"<body>\r\n<P>\r\n/></P></body>", parse_unexpected_token, 3, 3, nullptr},
        {"<body><P></body>\n>", parse_unexpected_token, 2, 2, nullptr}, // replaces the warning
        {"<body><>", parse_missing_start_tag_name, 1, 9, nullptr},
        {"<body></a b>", parse_missing_end_tag_name, 1, 12, nullptr},
        {"<body></a b", parse_missing_end_tag_name, 1, 12, nullptr},
        {"<body></>x", parse_missing_end_tag_name, 1, 10, nullptr},
        {"<body>a &amp b</body>", parse_unknown_entity, 1, 17, nullptr},
        {"x & y<body/>", parse_unknown_entity, 1, 7, nullptr},
        {"<body a='&nbsp;'/>", parse_unknown_entity, 1, 17, nullptr},
        {"<body>'>", parse_unexpected_token, 1, 9, nullptr},
        {"<body><P>'x > y", parse_unexpected_token, 1, 14, nullptr},
        {"<Body/>\">", parse_unexpected_token, 1, 10, nullptr},
        {"'>", parse_unexpected_token, 1, 3, nullptr},
        {"<body></'>", parse_unmatched_end_tag, 1, 11, nullptr},
        {"<body l=\"&>", parse_unknown_entity, 1, 11, nullptr},
        {"", parse_first_tag_not_found, 0, 0, nullptr},
        {"<", parse_first_tag_not_found, 0, 0, nullptr},
        {"<a>&;", parse_first_tag_not_found, 0, 0, nullptr},
        {"</x><body/>", parse_first_tag_not_found, 0, 0, nullptr},
        {"<html><body/></html>", parse_first_tag_not_found, 0, 0, nullptr},
        {"<P/><?x?><bodyx/>", parse_first_tag_not_found, 0, 0, nullptr},
        {nullptr, parse_no_elements, 0, 0, nullptr},
    };
    for (const Case& c : cases) {
        ParseResult result{as_set, as_set, as_set};
        const ElementRef body = parse_document(c.input, &result);
        const std::array outcome{result.code, result.line, result.column};
        EXPECT_EQ(outcome, (std::array{c.code, c.line, c.column})) << (c.input != nullptr ? c.input : "null");
        EXPECT_EQ(body ? written(body.get(), -1) : "none", c.body != nullptr ? c.body : "none");
        EXPECT_TRUE(!body || body->parent == nullptr);
    }
    EXPECT_FALSE(parse_document("<x/>", nullptr)); // no result to fill
}

// A parsed tree keeps its strings together; strings added to it afterwards are its own too,
// and a part of it that is held stays whole after the rest goes (the sanitizer sees any string
// freed twice, or never).
TEST(XmlParse, ParsedTreesTakeMoreContentAndOutliveTheirParts) {
    ElementRef body = parse_document("<body a='1'>t<x k=v>u</x><!--c--></body>", nullptr);
    ASSERT_TRUE(body);
    const ElementRef x = child_at(body, 0);
    append_text(body.get(), copy_string("more"));
    append_attribute(body.get(), copy_string("b"), copy_string("2"));
    append_verbatim_block(body.get(), copy_string("d"), "<!--", "-->");
    const ElementRef y = append_child(body.get(), copy_string("y"), false);
    append_text(y.get(), copy_string("w"));
    append_attribute(x.get(), copy_string("m"), nullptr);
    EXPECT_EQ(written(body.get(), -1),
              "<body a=\"1\" b=\"2\">t<x k=\"v\" m>u</x><!--c-->more<!--d--><y>w</y></body>");
    body = ElementRef();
    EXPECT_EQ(x->parent, nullptr);
    EXPECT_EQ(written(x.get(), -1), "<x k=\"v\" m>u</x>");
}

TEST(XmlParse, NothingStaysBehindBetweenParses) {
    // A failed deep parse first, then a different document: nothing of the first shows.
    EXPECT_FALSE(parse_document("<body><a><b x='1'>t<c>u<d/>&bad;<e/>", nullptr));
    ParseResult result{};
    const ElementRef body = parse_document("<body><e>v</e></body>", &result);
    EXPECT_EQ(result.code, parse_ok);
    EXPECT_EQ(written(body.get(), -1), "<body><e>v</e></body>");
}

} // namespace
