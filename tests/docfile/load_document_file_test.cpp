// Loading accepts more than saving writes; a file that cannot be loaded
// leaves an empty document and says why.
#include "docfile/document_file.h"
#include "plain_document.h"
#include "temporary_folder.h"

#include <gtest/gtest.h>

namespace {

struct LoadCase {
    const char* name;
    std::string bytes;
    PlainDocument expected;
};

// UTF-16 little-endian bytes of ASCII text, with or without a byte order mark.
std::string utf16le(const std::string& ascii, bool with_bom) {
    std::string bytes = with_bom ? "\xff\xfe" : "";
    for (const char c : ascii) {
        bytes += c;
        bytes += '\0';
    }
    return bytes;
}

const std::string two_paragraphs_crlf = "<?xml version=\"1.0\"?>\r\n<body>\r\n"
                                        "\t<P symbol=\"index\" symbol=\"name\">\r\n"
                                        "\t\tRates rise &gt; 5%\r\n\t</P>\r\n"
                                        "\t<P>\r\n\t</P>\r\n</body>\r\n";
const std::string two_paragraphs_lf = "<?xml version=\"1.0\"?>\n<body>\n"
                                      "\t<P symbol=\"index\" symbol=\"name\">\n"
                                      "\t\tRates rise &gt; 5%\n\t</P>\n"
                                      "\t<P>\n\t</P>\n</body>\n";
const PlainDocument two_paragraphs = {{"Rates rise > 5%", {"index", "name"}}, {"", {}}};

const LoadCase load_cases[] = {
    {"CR LF file", two_paragraphs_crlf, two_paragraphs},
    {"LF file", two_paragraphs_lf, two_paragraphs},
    {"UTF-16 with byte order mark", utf16le(two_paragraphs_crlf, true), two_paragraphs},
    {"UTF-16 without byte order mark", utf16le(two_paragraphs_lf, false), two_paragraphs},
    {"UTF-8 byte order mark before the markup", "\xef\xbb\xbf" + two_paragraphs_crlf, two_paragraphs},
    {"names in any case", "<BODY><p Symbol=\"x\">y</p></Body>", {{"y", {"x"}}}},
    {"any version", "<?xml version=\"7\"?><body><P>a</P></body>", {{"a", {}}}},
    {"body at the top level", "<body><P>a</P><P>b</P></body>", {{"a", {}}, {"b", {}}}},
    {"empty body", "<?xml version=\"1.0\"?>\n<body/>\n", {}},
    {"other children before and between paragraphs skipped",
     "<body><!-- note --><meta name=\"m\"/><P>a</P><div>not a paragraph</div>"
     "<![CDATA[raw]]><p>b</p><Para>c</Para></body>",
     {{"a", {}}, {"b", {}}}},
    {"only symbol attributes, in order; a bare symbol is an empty symbol",
     "<body><P id=\"1\" symbol=\"a\" SYMBOL='b' symbol symbol=c name=\"z\" symbol=\"\">t</P></body>",
     {{"t", {"a", "b", "", "c", ""}}}},
    {"first text only", "<body><P>first<b>inner</b>second</P></body>", {{"first", {}}}},
    {"outer whitespace dropped, inner kept", "<body><P> \t a  b \r\n </P></body>", {{"a  b", {}}}},
    {"lines of a text in an LF file become CR LF",
     "<body>\n\t<P>\n\t\tone\ntwo\n\nfour\n\t</P>\n</body>\n",
     {{"one\r\ntwo\r\n\r\nfour", {}}}},
    {"CR CR LF of older files becomes CR LF",
     "<body>\r\n\t<P symbol=\"s\">\r\n\t\tone\r\r\ntwo\r\r\r\nthree\r\n\t</P>\r\n</body>\r\n",
     {{"one\r\ntwo\r\nthree", {"s"}}}},
    {"entities in any case", "<body><P symbol=\"&LT;&amp;\">&Quot;q&apos;</P></body>", {{"\"q'", {"<&"}}}},
};

TEST(LoadDocumentFile, AcceptsWhatOtherWritersMake) {
    const TemporaryFolder folder;
    for (const LoadCase& c : load_cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder.file("case.html");
        write_bytes(path, c.bytes);
        Document doc;
        set_paragraphs(doc, {{"old", {"old"}}});
        std::string report = "not cleared";
        EXPECT_TRUE(load_document_file(doc, path.c_str(), report));
        EXPECT_EQ(report, "");
        EXPECT_EQ(plain_paragraphs(doc.paragraphs), c.expected);
    }
}

TEST(LoadDocumentFile, AWarningStillLoadsAndIsReported) {
    const TemporaryFolder folder;
    const std::string path = folder.file("warning.html");
    write_bytes(path, "<body><P>a</body>");
    Document doc;
    std::string report;
    EXPECT_TRUE(load_document_file(doc, path.c_str(), report));
    EXPECT_EQ(plain_paragraphs(doc.paragraphs), (PlainDocument{{"a", {}}}));
    EXPECT_EQ(report, "XML Parsing error inside file '" + path +
                          "'.\nError: Warning: Unmatched end tag\nAt line 1, column 18.\n");
}

struct FailureCase {
    const char* name;
    const char* bytes; // null: no file at all
    const char* report_line;
};

const FailureCase failure_cases[] = {
    {"missing file", nullptr, "Error: Error: File not found\nAt line 0, column 0.\n"},
    {"empty file", "", "First Tag should be 'body'.\n"},
    {"declaration only", "<?xml version=\"1.0\"?>\r\n", "First Tag should be 'body'.\n"},
    {"body inside another element", "<html><body><P>a</P></body></html>", "First Tag should be 'body'.\n"},
    {"unknown entity", "<body><P>a &nbsp; b</P></body>", "Error: Error: Unknown character entity\n"},
    {"stray end tag", "<body><P>a</P></x></body>", "Error: Error: Unmatched end tag\n"},
};

TEST(LoadDocumentFile, AFileThatCannotBeLoadedLeavesAnEmptyDocumentAndAReport) {
    const TemporaryFolder folder;
    for (const FailureCase& c : failure_cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder.file(std::string(c.name) + ".html");
        if (c.bytes != nullptr) {
            write_bytes(path, c.bytes);
        }
        Document doc;
        set_paragraphs(doc, {{"old", {"old"}}, {"older", {}}});
        std::string report;
        EXPECT_FALSE(load_document_file(doc, path.c_str(), report));
        EXPECT_EQ(doc.paragraphs, nullptr);
        EXPECT_EQ(report.rfind("XML Parsing error inside file '" + path + "'.\n", 0), 0u) << report;
        EXPECT_NE(report.find(c.report_line), std::string::npos) << report;
    }
}

TEST(LoadDocumentFile, KeepsTheOtherDocumentState) {
    const TemporaryFolder folder;
    const std::string path = folder.file("p.html");
    write_bytes(path, "<body><P symbol=\"s\">a</P></body>");
    Document doc;
    text_assign(doc.file_name, "chosen.html");
    text_assign(doc.cut_paragraph.text, "cut");
    std::string report;
    ASSERT_TRUE(load_document_file(doc, path.c_str(), report));
    EXPECT_STREQ(doc.file_name.chars, "chosen.html");
    EXPECT_STREQ(doc.cut_paragraph.text.chars, "cut");
}

} // namespace
