// The exact bytes of the document file, tolerant loading, and the
// save-and-load property over random documents.
#include "../model/allocation_limit.h"
#include "docfile_test_support.h"
#include "xml/allocation.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

TEST(DocumentText, ExactBytes) {
    const std::string head = "<?xml version=\"1.0\"?>\r\n<body>\r\n";
    const struct {
        const char* document;
        std::string bytes;
    } cases[] = {
        {"Rates rise > 5%:index,name|:", head + "\t<P symbol=\"index\" symbol=\"name\">\r\n\t\tRates rise "
                                                "&gt; 5%\r\n\t</P>\r\n\t<P>\r\n\t</P>\r\n"
                                                "</body>\r\n"},
        {"", "<?xml version=\"1.0\"?>\r\n<body/>\r\n"},
        {"a<b & \"c\" 'd':,x<y&'\"z>,x<y&'\"z>",
         head + "\t<P symbol=\"\" symbol=\"x&lt;y&amp;&apos;&quot;z&gt;\" "
                "symbol=\"x&lt;y&amp;&apos;&quot;z&gt;\">\r\n"
                "\t\ta&lt;b &amp; &quot;c&quot; &apos;d&apos;\r\n\t</P>\r\n</body>\r\n"},
        // Edit box CR LF, bare LF and older CR CR LF all become CR LF; a lone
        // CR and high bytes stay; continuation lines carry no indentation.
        {"a\r\nb\nc\r\r\nd\re\xe9\xff:s\nt",
         head + "\t<P symbol=\"s\r\nt\">\r\n\t\ta\r\nb\r\nc\r\nd\re\xe9\xff\r\n\t</P>\r\n</body>\r\n"},
    };
    for (const auto& c : cases) {
        Document doc;
        append_paragraphs(doc, c.document);
        EXPECT_EQ(saved_bytes(doc), c.bytes) << c.document;
    }
}

TEST(LoadDocumentFile, AcceptsWhatOtherWritersMake) {
    const struct {
        const char* name;
        const char* bytes;
        const char* expected;
    } cases[] = {
        {"LF line ends",
         "<?xml version=\"1.0\"?>\n<body>\n\t<P symbol=\"index\" symbol=\"name\">\n\t\tRates rise &gt; "
         "5%\n\t</P>\n"
         "\t<P>\n\t</P>\n</body>\n",
         "Rates rise > 5%:index,name|:"},
        {"names in any case, body at the top level", "<BODY><p Symbol=\"x\">y</p></Body>", "y:x"},
        {"other children of body skipped",
         "<body><!-- c --><meta/><P>a</P><div>no</div><![CDATA[raw]]><p>b</p><Para>c</Para></body>", "a:|b:"},
        {"only symbol attributes; one without a value links an empty symbol",
         "<body><P id=\"1\" symbol=\"a\" SYMBOL='b' symbol symbol=c name=\"z\">t</P></body>", "t:a,b,,c"},
        {"first text only, without its outer whitespace, its lines with CR LF",
         "<body><P> \t a  b\nc \r\n <b>inner</b>second</P></body>", "a  b\r\nc:"},
    };
    const TemporaryFolder folder;
    const std::string path = folder.file("case.html");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        write_bytes(path, c.bytes);
        Document doc;
        append_paragraphs(doc, "old:old");
        EXPECT_EQ(load_document_file(doc, path.c_str()).result, LoadResult::loaded);
        EXPECT_EQ(describe(doc), c.expected);
    }
}

// The file is named on the standard output as the loader reports it, and
// the outcome says why in terms the window can put into words.
TEST(LoadDocumentFile, AFileThatCannotBeLoadedGivesAnEmptyDocumentAndSaysWhy) {
    const TemporaryFolder folder;
    write_bytes(folder.file("no body.html"), "<a><body/></a>");
    write_bytes(folder.file("broken.html"), "<body><</body>");
    std::filesystem::create_directory(folder.file("folder.html"));
    const struct {
        const char* name;
        LoadResult result;
        ParseResult parse;
        FileProblem problem;
    } cases[] = {
        {"missing.html", LoadResult::unreadable, {parse_file_not_found, 0, 0}, FileProblem::not_found},
        {"folder.html", LoadResult::unreadable, {parse_file_not_found, 0, 0}, FileProblem::is_folder},
        {"no body.html", LoadResult::not_a_document, {parse_first_tag_not_found, 0, 0}, FileProblem::none},
        {"broken.html", LoadResult::not_a_document, {parse_missing_start_tag_name, 1, 10}, FileProblem::none},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder.file(c.name);
        Document doc;
        append_paragraphs(doc, "old:old|older:");
        text_assign(doc.cut_paragraph.text, "cut");
        testing::internal::CaptureStdout();
        const LoadOutcome outcome = load_document_file(doc, path.c_str());
        const std::string printed = testing::internal::GetCapturedStdout();
        EXPECT_EQ(outcome.result, c.result);
        EXPECT_EQ(outcome.parse.code, c.parse.code);
        EXPECT_EQ(outcome.parse.line * 1000 + outcome.parse.column, c.parse.line * 1000 + c.parse.column);
        EXPECT_EQ(outcome.file.problem, c.problem);
        EXPECT_EQ(doc.paragraphs, nullptr);
        EXPECT_STREQ(doc.cut_paragraph.text.chars, "cut");
        EXPECT_TRUE(printed.starts_with("XML Parsing error inside file '" + path + "'.\n")) << printed;
    }
}

// At every allocation of the load (the file's text, its UTF-16 conversion, the
// parse, the paragraphs), whether made by xml/ under its cap or by operator
// new: the load either completes or changes nothing.
TEST(LoadDocumentFile, RunningOutOfMemoryAnywhereLoadsAllOrChangesNothing) {
    const TemporaryFolder folder;
    const std::string old_document = "old:x|older:";
    const std::string loaded_document = "a & b:x,y|c\r\nd:|:z";
    Document saved;
    append_paragraphs(saved, loaded_document);
    const std::string bytes = saved_bytes(saved);
    std::string utf16;
    for (const char c : "\xff\xfe" + bytes) {
        utf16 += {c, '\0'};
    }
    utf16.resize(utf16.size() - 2); // the string literal's NUL
    write_bytes(folder.file("8-bit.html"), bytes);
    write_bytes(folder.file("utf16.html"), utf16);

    // Loads with allocation number n failing; false once the load makes fewer.
    const auto load_failing_at = [&](const std::string& path, long n, bool xml_cap, int& ran_out) {
        Document doc;
        append_paragraphs(doc, old_document);
        LoadOutcome outcome;
        bool failed = false;
        if (xml_cap) {
            const AllocationLimitScope cap(n);
            outcome = load_document_file(doc, path.c_str());
            failed = cap.exhausted();
        } else {
            allocations_before_failure = n;
            outcome = load_document_file(doc, path.c_str()); // never throws
            failed = allocations_before_failure < 0;
            allocations_before_failure = -1;
        }
        const bool out_of_memory = outcome.result == LoadResult::out_of_memory;
        ran_out += out_of_memory ? 1 : 0;
        EXPECT_EQ(describe(doc), out_of_memory ? old_document : loaded_document) << "allocation " << n;
        EXPECT_TRUE(out_of_memory || outcome.result == LoadResult::loaded) << "allocation " << n;
        return failed;
    };
    // One report per attempt that ran out; the failures printed meanwhile are
    // shown again.
    testing::internal::CaptureStdout();
    for (const char* name : {"8-bit.html", "utf16.html"}) {
        for (const bool xml_cap : {true, false}) {
            SCOPED_TRACE(std::string(name) + (xml_cap ? ", xml/ capped" : ", operator new failing"));
            int ran_out = 0;
            for (long n = 0; load_failing_at(folder.file(name), n, xml_cap, ran_out) && n < 100000; ++n) {
            }
            EXPECT_GT(ran_out, 3);
        }
    }
    const std::string printed = testing::internal::GetCapturedStdout();
    if (HasFailure()) {
        std::fputs(printed.c_str(), stdout);
    }
}

class SaveLoadProperty : public testing::TestWithParam<unsigned> {};

TEST_P(SaveLoadProperty, LoadGivesBackWhatWasSaved) {
    const TemporaryFolder folder;
    const std::string path = folder.file("random.html");
    std::mt19937 random(GetParam());
    for (int i = 0; i < 1000; ++i) {
        Document doc;
        append_paragraphs(doc, random_document(random));
        const std::string saved = describe(doc);
        write_bytes(path, saved_bytes(doc)); // what a save writes, without its flushes
        ASSERT_EQ(load_document_file(doc, path.c_str()).result, LoadResult::loaded) << "document " << i;
        ASSERT_EQ(describe(doc), expected_after_load(saved)) << "document " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, SaveLoadProperty, testing::Values(1u, 2u, 3u));

// A saved file cut short at any byte after "<body>" (a full disk, a copy broken off) still
// loads: every paragraph whose end tag is in the file comes back whole, the one cut mid-way
// keeps a beginning of its text and its first symbols (never a wrong decoding), and the load
// warns unless the cut falls after the end tag of "body".
TEST(LoadDocumentFile, AFileCutShortAnywhereLoadsWhatItHolds) {
    Document saved;
    append_paragraphs(saved,
                      "Rates < 5% & rising:index,a<b&\"c\"|Two \"quoted\" lines\r\nthen & more:x,,&amp;|:|"
                      "'Last' > first:z");
    const std::string bytes = saved_bytes(saved);
    const std::size_t body_start = bytes.find("<body>") + 6;
    const std::size_t body_end = bytes.find("</body>") + 7;
    const TemporaryFolder folder;
    const std::string path = folder.file("cut.html");
    int refused = 0;
    for (std::size_t cut = body_start; cut <= bytes.size(); ++cut) {
        const std::string kept = bytes.substr(0, cut);
        SCOPED_TRACE(kept);
        write_bytes(path, kept);
        Document doc;
        const LoadOutcome outcome = load_document_file(doc, path.c_str());
        if (outcome.result != LoadResult::loaded && outcome.result != LoadResult::loaded_with_warning) {
            ++refused;
            continue;
        }
        EXPECT_EQ(outcome.parse.code, cut < body_end ? parse_ends_inside_element_warning : parse_ok);
        std::size_t complete = 0;
        for (std::size_t at = kept.find("</P>"); at != std::string::npos; at = kept.find("</P>", at + 1)) {
            ++complete;
        }
        const Paragraph* original = saved.paragraphs;
        const Paragraph* loaded = doc.paragraphs;
        for (std::size_t i = 0; i < complete; ++i) {
            ASSERT_NE(loaded, nullptr) << "paragraph " << i;
            EXPECT_STREQ(loaded->text.chars, original->text.chars);
            EXPECT_EQ(describe(loaded->symbols), describe(original->symbols));
            loaded = loaded->next_paragraph;
            original = original->next_paragraph;
        }
        if (loaded == nullptr) {
            continue;
        }
        // The paragraph cut mid-way, and nothing after it.
        EXPECT_EQ(std::string(original->text.chars).rfind(loaded->text.chars, 0), 0U) << loaded->text.chars;
        const Text* whole = original->symbols.first;
        for (const Text* symbol = loaded->symbols.first; symbol != nullptr; symbol = symbol->chain) {
            ASSERT_NE(whole, nullptr);
            EXPECT_STREQ(symbol->chars, whole->chars);
            whole = whole->chain;
        }
        EXPECT_EQ(loaded->next_paragraph, nullptr);
    }
    EXPECT_EQ(refused, 0) << "of " << bytes.size() + 1 - body_start << " cut points";
}

} // namespace
