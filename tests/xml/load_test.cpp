#include "xml/loader.h"

#include "xml_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(XmlLoad, ReportsWhatWentWrong) {
    struct Case {
        const char* bytes; // null: no such file
        const char* report;
        bool found;
    };
    const Case cases[] = {
        {nullptr, "XML Parsing error inside file '$'.\nError: Error: File not found\nAt line 0, column 0.\n",
         false},
        {"",
         "XML Parsing error inside file '$'.\nError: Error: First Tag not found\nAt line 0, column 0.\n"
         "First Tag should be 'body'.\n",
         false},
        {"<body><P>a</body>",
         "XML Parsing error inside file '$'.\nError: Warning: Unmatched end tag\nAt line 1, column 18.\n",
         true},
        {"<body>\n<P>a",
         "XML Parsing error inside file '$'.\nError: Warning: The file ends inside an element\n"
         "At line 2, column 5.\n",
         true},
        {"<body>\r\n<P>\r\n/></P></body>",
         "XML Parsing error inside file '$'.\nError: Error: Unexpected token found\nAt line 3, column 3.\n",
         false},
        {"<body/>", "", true},
    };
    for (const Case& c : cases) {
        const TempFile file("report.html", c.bytes != nullptr ? c.bytes : "");
        const std::string path = c.bytes != nullptr ? file.path() : "/nonexistent/norvane.html";
        std::string expected = c.report;
        if (const auto at = expected.find('$'); at != std::string::npos) {
            expected.replace(at, 1, path);
        }
        std::string report;
        testing::internal::CaptureStdout();
        const ElementRef body = load_xml_file_reported(path.c_str(), report);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), expected);
        EXPECT_EQ(report, expected);
        EXPECT_EQ(static_cast<bool>(body), c.found) << expected;
    }
}

TEST(XmlLoad, ToleratesTheWaysAFileMayBeStored) {
    const std::string markup =
        "<?xml version=\"1.0\"?>\n<BODY>\n\t<p symbol=\"s\">\n\t\tx\xE9\n\t</P>\n</Body>\n";
    std::string crlf;
    for (const char c : markup) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    const std::string forms[] = {
        markup,
        crlf,
        "\xEF\xBB\xBF" + markup,
        utf16le(markup, true),
        utf16le(markup, false),
        utf16le(crlf, true),
    };
    for (const std::string& bytes : forms) {
        const TempFile file("tolerant.html", bytes);
        ParseResult result{-1, -1, -1};
        const ElementRef body = load_xml_file(file.path(), &result);
        EXPECT_EQ(result.code, parse_ok);
        ASSERT_TRUE(body);
        ASSERT_EQ(count_children_named(body, "P"), 1);
        EXPECT_STREQ(first_text(body->children[0]), "x\xE9");
        EXPECT_STREQ(attribute_value_named(body->children[0], "SYMBOL", 0), "s");
    }
}

TEST(XmlLoad, LinesCountLineFeedsOnly) {
    for (const char* bytes : {"<body>\n\n<P>&x;</P></body>", "<body>\r\n\r\n<P>&x;</P></body>"}) {
        const TempFile file("lines.html", bytes);
        ParseResult result{};
        EXPECT_FALSE(load_xml_file(file.path(), &result));
        EXPECT_EQ(result.code, parse_unknown_entity);
        EXPECT_EQ(result.line, 3);
    }
}

// Texts whose bytes, read in pairs, look like UTF-16 code units (CJK, letters, controls).
std::vector<std::string> tricky_texts() {
    std::string cjk;
    std::string every_byte;
    for (int i = 0; i < 64; ++i) {
        cjk += static_cast<char>(0x80 + (i * 7) % 0x80);
        cjk += static_cast<char>(0x4E + (i * 5) % 0x52);
    }
    for (int c = 1; c < 256; ++c) {
        every_byte += static_cast<char>(c);
    }
    return {cjk, every_byte, "this app can break this app can break", "Bush hid the facts and more",
            std::string(40, '\x01') + "\x02\x03\x0b\x0c"};
}

TEST(XmlLoad, EightBitFilesAreNeverTakenForUtf16) {
    for (const std::string& text : tricky_texts()) {
        for (const char* symbol : {"s", "sx"}) { // both parities of the file's length
            const ElementRef root = new_document_root();
            const ElementRef declaration = append_child(root.get(), copy_string("xml"), true);
            const ElementRef body = append_child(declaration.get(), copy_string("body"), false);
            const ElementRef p = append_child(body.get(), copy_string("P"), false);
            append_attribute(p.get(), copy_string("symbol"), copy_string(symbol));
            append_text(p.get(), copy_string(text.c_str()));
            const TempFile file("eightbit.html", written(root.get(), -1));
            ParseResult result{};
            const ElementRef loaded = load_xml_file(file.path(), &result);
            EXPECT_EQ(result.code, parse_ok);
            ASSERT_TRUE(loaded);
            EXPECT_EQ(written(loaded.get(), -1), written(body.get(), -1));
        }
    }
}

TEST(XmlLoad, FilesOf2GigabytesOrMoreAreTooLarge) {
    EXPECT_EQ(check_file_size(0), parse_ok);
    EXPECT_EQ(check_file_size(2147483647LL), parse_ok);
    EXPECT_EQ(check_file_size(2147483648LL), parse_file_too_large);
    EXPECT_EQ(check_file_size(5000000000LL), parse_file_too_large);
}

} // namespace
