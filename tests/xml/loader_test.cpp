#include "xml/loader.h"
#include "xml/writer.h"

#include "temp_file.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string unformatted(const ElementRef& e) {
    std::string out(write_element(e.get(), nullptr, -1) + 1, '\0');
    write_element(e.get(), out.data(), -1);
    out.pop_back();
    return out;
}

// Loads with the report, checking that what reached standard output is the returned text.
ElementRef load_reported(const char* path, std::string& report) {
    testing::internal::CaptureStdout();
    ElementRef body = load_xml_file_reported(path, report);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), report);
    return body;
}

TEST(XmlLoader, MissingFileReport) {
    const std::string path = (std::filesystem::temp_directory_path() / "norvane_xml_absent.html").string();
    std::string report;
    EXPECT_FALSE(load_reported(path.c_str(), report));
    EXPECT_EQ(report, "XML Parsing error inside file '" + path +
                          "'.\nError: Error: File not found\nAt line 0, column 0.\n");
    ParseResult result{-1, -1, -1};
    EXPECT_FALSE(load_xml_file(path.c_str(), &result));
    EXPECT_EQ(result.code, 11);
    EXPECT_EQ(result.line, 0);
    EXPECT_EQ(result.column, 0);
}

TEST(XmlLoader, EmptyFileReportsTheFirstTag) {
    const TempFile file("empty.html", "");
    std::string report;
    EXPECT_FALSE(load_reported(file.path(), report));
    EXPECT_EQ(
        report,
        std::string("XML Parsing error inside file '") + file.path() +
            "'.\nError: Error: First Tag not found\nAt line 0, column 0.\nFirst Tag should be 'body'.\n");
}

TEST(XmlLoader, WarningIsReportedAndBodyStillReturned) {
    const TempFile file("warning.html", "<body><P>a</body>");
    std::string report;
    const ElementRef body = load_reported(file.path(), report);
    ASSERT_TRUE(body);
    EXPECT_EQ(unformatted(body), "<body><P>a</P></body>");
    EXPECT_EQ(report, std::string("XML Parsing error inside file '") + file.path() +
                          "'.\nError: Warning: Unmatched end tag\nAt line 1, column 18.\n");
}

TEST(XmlLoader, CleanLoadPrintsNothing) {
    const TempFile file("clean.html",
                        "<?xml version=\"1.0\"?>\r\n<body>\r\n\t<P>\r\n\t\tx\r\n\t</P>\r\n</body>\r\n");
    std::string report = "stale";
    const ElementRef body = load_reported(file.path(), report);
    ASSERT_TRUE(body);
    EXPECT_EQ(report, "");
    EXPECT_EQ(unformatted(body), "<body><P>x</P></body>");
}

TEST(XmlLoader, LineEndsEitherWayCountLines) {
    for (const char* eol : {"\n", "\r\n"}) {
        const std::string text = std::string("<body>") + eol + "<P>" + eol + "a > b</P></body>";
        const TempFile file("lines.html", text);
        ParseResult result{};
        EXPECT_FALSE(load_xml_file(file.path(), &result));
        EXPECT_EQ(result.code, 8);
        EXPECT_EQ(result.line, 3);
        EXPECT_EQ(result.column, 4);
    }
}

TEST(XmlLoader, EightBitFileStopsAtANulByte) {
    // Odd length: not UTF-16 by any reading.
    const TempFile file("nul.html", std::string("<body><P>a</P>\0<P>bc</P></body>", 31));
    ParseResult result{};
    const ElementRef body = load_xml_file(file.path(), &result);
    ASSERT_TRUE(body);
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(unformatted(body), "<body><P>a</P></body>");
}

TEST(XmlLoader, Utf16FileParsesLikeItsEightBitForm) {
    const std::string markup = "<?xml version=\"1.0\"?>\r\n<body>\r\n\t<P "
                               "symbol=\"s&amp;t\">\r\n\t\tcaf\xE9\r\n\t</P>\r\n</body>\r\n";
    for (const bool byte_order_mark : {true, false}) {
        const TempFile file("utf16.html", utf16le(markup, byte_order_mark));
        ParseResult result{};
        const ElementRef body = load_xml_file(file.path(), &result);
        ASSERT_TRUE(body) << byte_order_mark;
        EXPECT_EQ(result.code, 0);
        EXPECT_EQ(unformatted(body), "<body><P symbol=\"s&amp;t\">caf\xE9</P></body>") << byte_order_mark;
    }
}

TEST(XmlLoader, Utf16ErrorPositionsCountCharacters) {
    const TempFile file("utf16error.html", utf16le("<body>\r\n<P>\r\na > b</P></body>", true));
    ParseResult result{};
    EXPECT_FALSE(load_xml_file(file.path(), &result));
    EXPECT_EQ(result.code, 8);
    EXPECT_EQ(result.line, 3);
    EXPECT_EQ(result.column, 4);
}

TEST(XmlLoader, ReportFormatForEveryCode) {
    for (int code = 1; code <= 14; ++code) {
        const ParseResult result{code, 2, 5};
        const std::string report = format_load_report("d.html", result);
        std::string expected = std::string("XML Parsing error inside file 'd.html'.\nError: ") +
                               parse_message(code) + "\nAt line 2, column 5.\n";
        if (code == 12) {
            expected += "First Tag should be 'body'.\n";
        }
        EXPECT_EQ(report, expected) << code;
    }
    EXPECT_EQ(format_load_report("d.html", ParseResult{0, 0, 0}), "");
}

} // namespace
