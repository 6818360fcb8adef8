// The exact bytes of the document file, tolerant loading, and the
// save-and-load property over random documents.
#include "docfile_test_support.h"

#include <gtest/gtest.h>

namespace {

TEST(DocumentText, ExactBytes) {
    const std::string head = "<?xml version=\"1.0\"?>\r\n<body>\r\n";
    const struct {
        const char* name;
        PlainDocument paragraphs;
        std::string bytes;
    } cases[] = {
        {"two paragraphs, the second empty",
         {{"Rates rise > 5%", "index", "name"}, {""}},
         head + "\t<P symbol=\"index\" symbol=\"name\">\r\n\t\tRates rise &gt; "
                "5%\r\n\t</P>\r\n\t<P>\r\n\t</P>\r\n"
                "</body>\r\n"},
        {"no paragraph", {}, "<?xml version=\"1.0\"?>\r\n<body/>\r\n"},
        {"entities; empty and repeated symbols",
         {{"a<b & \"c\" 'd'", "", "x<y&'\"z>", "x<y&'\"z>"}},
         head + "\t<P symbol=\"\" symbol=\"x&lt;y&amp;&apos;&quot;z&gt;\" "
                "symbol=\"x&lt;y&amp;&apos;&quot;z&gt;\">\r\n"
                "\t\ta&lt;b &amp; &quot;c&quot; &apos;d&apos;\r\n\t</P>\r\n</body>\r\n"},
        // Continuation lines carry no indentation; every line break is CR LF.
        {"line breaks of the edit box, bare LF, older CR CR LF; lone CR and high bytes kept",
         {{"a\r\nb\nc\r\r\nd\re\xe9\xff", "s\nt"}},
         head + "\t<P symbol=\"s\r\nt\">\r\n\t\ta\r\nb\r\nc\r\nd\re\xe9\xff\r\n\t</P>\r\n</body>\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Document doc;
        set_paragraphs(doc, c.paragraphs);
        EXPECT_EQ(document_to_text(doc.paragraphs), c.bytes);
    }
}

// UTF-16 little-endian bytes of ASCII text.
std::string utf16le(const std::string& ascii) {
    std::string bytes = "\xff\xfe";
    for (const char c : ascii) {
        bytes.append({c, '\0'});
    }
    return bytes;
}

TEST(LoadDocumentFile, AcceptsWhatOtherWritersMake) {
    const std::string lf_file = "<?xml version=\"1.0\"?>\n<body>\n\t<P symbol=\"index\" symbol=\"name\">\n"
                                "\t\tRates rise &gt; 5%\n\t</P>\n\t<P>\n\t</P>\n</body>\n";
    const PlainDocument two_paragraphs = {{"Rates rise > 5%", "index", "name"}, {""}};
    const struct {
        const char* name;
        std::string bytes;
        PlainDocument expected;
    } cases[] = {
        {"LF line ends", lf_file, two_paragraphs},
        {"UTF-16", utf16le(lf_file), two_paragraphs},
        {"names in any case, body at the top level", "<BODY><p Symbol=\"x\">y</p></Body>", {{"y", "x"}}},
        {"other children of body skipped",
         "<body><!-- c --><meta/><P>a</P><div>no</div><![CDATA[raw]]><p>b</p><Para>c</Para></body>",
         {{"a"}, {"b"}}},
        {"only symbol attributes; one without a value links an empty symbol",
         "<body><P id=\"1\" symbol=\"a\" SYMBOL='b' symbol symbol=c name=\"z\">t</P></body>",
         {{"t", "a", "b", "", "c"}}},
        {"first text only, without its outer whitespace, its lines with CR LF",
         "<body><P> \t a  b\nc \r\n <b>inner</b>second</P></body>",
         {{"a  b\r\nc"}}},
    };
    const TemporaryFolder folder;
    const std::string path = folder.file("case.html");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        write_bytes(path, c.bytes);
        Document doc;
        set_paragraphs(doc, {{"old", "old"}});
        std::string report = "not cleared";
        EXPECT_TRUE(load_document_file(doc, path.c_str(), report));
        EXPECT_EQ(report, "");
        EXPECT_EQ(plain_paragraphs(doc), c.expected);
    }
}

TEST(LoadDocumentFile, AFileThatCannotBeLoadedLeavesAnEmptyDocumentAndAReport) {
    const struct {
        const char* name;
        const char* bytes; // null: no file at all
    } cases[] = {
        {"missing file", nullptr}, {"empty file", ""}, {"body inside another element", "<a><body/></a>"}};
    const TemporaryFolder folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder.file(std::string(c.name) + ".html");
        if (c.bytes != nullptr) {
            write_bytes(path, c.bytes);
        }
        Document doc;
        set_paragraphs(doc, {{"old", "old"}, {"older"}});
        text_assign(doc.cut_paragraph.text, "cut");
        std::string report;
        EXPECT_FALSE(load_document_file(doc, path.c_str(), report));
        EXPECT_EQ(doc.paragraphs, nullptr);
        EXPECT_STREQ(doc.cut_paragraph.text.chars, "cut");
        EXPECT_NE(report.find(path), std::string::npos) << report;
    }
}

class SaveLoadProperty : public testing::TestWithParam<unsigned> {};

TEST_P(SaveLoadProperty, LoadGivesBackWhatWasSaved) {
    const TemporaryFolder folder;
    const std::string path = folder.file("random.html");
    std::mt19937 random(GetParam());
    for (int i = 0; i < 1000; ++i) {
        const PlainDocument saved = random_document(random);
        Document doc;
        set_paragraphs(doc, saved);
        write_bytes(path,
                    document_to_text(doc.paragraphs).value()); // what a save writes, without its flushes
        std::string report;
        ASSERT_TRUE(load_document_file(doc, path.c_str(), report)) << "document " << i << ": " << report;
        ASSERT_EQ(plain_paragraphs(doc), expected_after_load(saved)) << "document " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, SaveLoadProperty, testing::Values(1u, 2u, 3u));

TEST(SaveLoadProperty, EditBoxTextsComeBackExactlyAfterRepeatedSaves) {
    const TemporaryFolder folder;
    const std::string path = folder.file("again.html");
    const PlainDocument typed = {{"first\r\n\r\n  indented\r\nlast", "sym", "two words"}, {"x"}, {"", ""}};
    Document doc;
    set_paragraphs(doc, typed);
    for (int round = 0; round < 3; ++round) {
        std::string message;
        ASSERT_TRUE(save_document_file(doc, path.c_str(), message)) << message;
        ASSERT_TRUE(load_document_file(doc, path.c_str(), message)) << message;
        ASSERT_EQ(plain_paragraphs(doc), typed) << "round " << round;
    }
}

} // namespace
