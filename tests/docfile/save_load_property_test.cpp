// Saving and loading any document gives it back, apart from the outer
// whitespace of texts and the line-break form.
#include "docfile/document_file.h"
#include "docfile/document_tree.h"
#include "random_document.h"
#include "temporary_folder.h"

#include <gtest/gtest.h>

namespace {

constexpr int documents_per_seed = 1000;

class SaveLoadProperty : public testing::TestWithParam<unsigned> {};

TEST_P(SaveLoadProperty, LoadGivesBackWhatWasSaved) {
    const TemporaryFolder folder;
    const std::string path = folder.file("random.html");
    RandomDocuments random(GetParam());
    for (int i = 0; i < documents_per_seed; ++i) {
        const PlainDocument saved = random.next();
        Document doc;
        set_paragraphs(doc, saved);
        const std::string bytes = document_to_text(doc.paragraphs);
        write_bytes(path, bytes); // what save_document_file writes; its own tests cover the writing

        Document loaded;
        set_paragraphs(loaded, {{"stale", {"old"}}});
        std::string report;
        ASSERT_TRUE(load_document_file(loaded, path.c_str(), report)) << "document " << i << ": " << report;
        EXPECT_EQ(report, "");
        ASSERT_EQ(plain_paragraphs(loaded.paragraphs), expected_after_load(saved))
            << "document " << i << ", file " << escaped(bytes);
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, SaveLoadProperty, testing::Values(1u, 2u, 3u));

TEST(SaveLoadProperty, EditBoxTextsComeBackExactlyAfterRepeatedSaves) {
    const TemporaryFolder folder;
    const std::string path = folder.file("again.html");
    const PlainDocument typed = {
        {"first line\r\n\r\n  indented\r\nlast", {"sym", "two words"}}, {"x", {}}, {"", {""}}};
    Document doc;
    set_paragraphs(doc, typed);
    for (int round = 0; round < 5; ++round) {
        std::string error;
        ASSERT_TRUE(save_document_file(doc, path.c_str(), error)) << error;
        std::string report;
        ASSERT_TRUE(load_document_file(doc, path.c_str(), report)) << report;
        ASSERT_EQ(plain_paragraphs(doc.paragraphs), typed) << "round " << round;
    }
}

} // namespace
