#include "xml/loader.h"

#include "xml_test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(XmlLoad, ReportsWhatWentWrongOnStandardOutput) {
    struct Case {
        const char* bytes;  // null: no such file
        const char* report; // after "XML Parsing error inside file '<path>'.\nError: "; null: none
        bool found;
    };
    const Case cases[] = {
        {nullptr, "Error: File not found\nAt line 0, column 0.\n", false},
        {"", "Error: First Tag not found\nAt line 0, column 0.\nFirst Tag should be 'body'.\n", false},
        {"<body><P>a</body>", "Warning: Unmatched end tag\nAt line 1, column 18.\n", true},
        {"<body>\n<P>a", "Warning: The file ends inside an element\nAt line 2, column 5.\n", true},
        {"<body><</body>", "Error: Missing start tag name\nAt line 1, column 10.\n", false},
        {"<body/>", nullptr, true},
    };
    for (const Case& c : cases) {
        const TempFile file("report.html", c.bytes != nullptr ? c.bytes : "");
        const std::string path = c.bytes != nullptr ? file.path() : "/nonexistent/norvane.html";
        const std::string expected =
            c.report != nullptr ? "XML Parsing error inside file '" + path + "'.\nError: " + c.report : "";
        std::string report;
        testing::internal::CaptureStdout();
        const ElementRef body = load_xml_file_reported(path.c_str(), report);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), expected);
        EXPECT_EQ(report, expected);
        EXPECT_EQ(static_cast<bool>(body), c.found) << expected;
    }
}

TEST(XmlLoad, ToleratesTheWaysAFileMayBeStored) {
    const std::string lf =
        "<?xml version=\"1.0\"?>\n<BODY>\n\t<p symbol=\"s\">\n\t\tx\xE9\n\t</P>\n</Body>\n";
    const std::string crlf =
        "<?xml version=\"1.0\"?>\r\n<BODY>\r\n\t<p symbol=\"s\">\r\n\t\tx\xE9\r\n\t</P>\r\n</Body>\r\n";
    for (const std::string& bytes :
         {lf, crlf, "\xEF\xBB\xBF" + lf, utf16le(lf, true), utf16le(lf, false), utf16le(crlf, true)}) {
        const TempFile file("tolerant.html", bytes);
        ParseResult result{-1, -1, -1};
        const ElementRef body = load_xml_file(file.path(), &result);
        EXPECT_EQ(result.code, parse_ok);
        EXPECT_EQ(written(body.get(), -1), "<BODY><p symbol=\"s\">x\xE9</p></BODY>");
    }
}

// What this program writes loads back whole and without a warning, and is never taken for
// UTF-16, even when its bytes read in pairs look like UTF-16 (CJK, letters, controls).
TEST(XmlLoad, OwnFilesLoadCleanlyAndAreNeverTakenForUtf16) {
    std::string cjk;
    std::string every_byte;
    for (int i = 1; i < 256; ++i) {
        cjk +=
            std::string{static_cast<char>(0x80 + (i * 7) % 0x80), static_cast<char>(0x4E + (i * 5) % 0x52)};
        every_byte += static_cast<char>(i);
    }
    for (const std::string& text : {cjk, every_byte, std::string("this app can break this app can break"),
                                    std::string(40, '\x01') + "\x02\x03\x0b\x0c"}) {
        for (const char* symbol : {"s", "sx"}) { // both parities of the file's length
            ElementRef root;
            ASSERT_TRUE(build_document(root, text.c_str(), symbol, 2));
            const Element* const body = root->children[0]->children[0];
            for (const int level : {0, -1}) {
                const TempFile file("own.html", written(root.get(), level));
                ParseResult result{};
                const ElementRef loaded = load_xml_file(file.path(), &result);
                EXPECT_EQ(result.code, parse_ok);
                EXPECT_EQ(written(loaded.get(), -1), written(body, -1));
            }
        }
    }
}

TEST(XmlLoad, FilesOf2GigabytesOrMoreAreTooLarge) {
    EXPECT_EQ(check_file_size(2147483647LL), parse_ok);
    EXPECT_EQ(check_file_size(2147483648LL), parse_file_too_large);
}

} // namespace
