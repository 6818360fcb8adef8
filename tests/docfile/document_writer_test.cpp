// The streamed document bytes equal what the XML tree and its writer give,
// for any document and any buffer, and the writer stops when the sink does.
#include "docfile_test_support.h"
#include "document_tree.h"

#include <gtest/gtest.h>

namespace {

// 1 is raised to the writer's smallest buffer, so pieces end at many places.
constexpr std::size_t buffer_sizes[] = {1, 20000, document_buffer_size};

void expect_streamed_equals_tree(const std::string& description) {
    Document doc;
    append_paragraphs(doc, description);
    const std::string tree_bytes = document_to_text(doc.paragraphs).value();
    for (const std::size_t size : buffer_sizes) {
        ASSERT_EQ(saved_bytes(doc, size), tree_bytes) << "buffer " << size << ", document " << description;
    }
}

class StreamedAgainstTree : public testing::TestWithParam<unsigned> {};

TEST_P(StreamedAgainstTree, RandomDocumentsGiveTheTreeWritersBytes) {
    std::mt19937 random(GetParam());
    for (int i = 0; i < 300; ++i) {
        SCOPED_TRACE(i);
        expect_streamed_equals_tree(random_document(random));
        expect_streamed_equals_tree(random_document(random, 3, 40)); // short texts, many symbols
        if (i % 10 == 0) {
            expect_streamed_equals_tree(random_document(random, 4000, 3)); // texts longer than a piece
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, StreamedAgainstTree, testing::Values(1u, 2u, 3u));

// Single lines longer than the smallest buffer, and a whole document of
// many pieces.
TEST(StreamedAgainstTree, LongLinesAndLargeDocuments) {
    const auto repeated = [](const std::string& s, int n) {
        std::string all;
        for (int i = 0; i < n; ++i) {
            all += s;
        }
        return all;
    };
    const std::string long_line = repeated("a<\"&'>b", 3000);
    expect_streamed_equals_tree(long_line + ":" + long_line);
    expect_streamed_equals_tree(" " + long_line + "\r\r\n" + long_line + "\n\r:\r" + long_line + "\n,");
    expect_streamed_equals_tree(repeated("Rates rise > 5%\r\nnext & line:index,a'b|:|", 3000));
}

TEST(DocumentWriter, PiecesStayWithinTheBufferAndStopWhenTheSinkRefuses) {
    Document doc;
    std::string description;
    for (int i = 0; i < 2000; ++i) {
        description += "paragraph & text " + std::to_string(i) + ":s,t|";
    }
    append_paragraphs(doc, description);
    const std::string all = saved_bytes(doc);
    constexpr std::size_t buffer = 20000;

    StringSink whole;
    write_document(doc.paragraphs, whole, buffer);
    EXPECT_EQ(whole.bytes(), all);
    EXPECT_GE(whole.pieces.size(), all.size() / buffer);
    for (const std::string& piece : whole.pieces) {
        EXPECT_LE(piece.size(), buffer);
    }

    StringSink refusing(1);
    write_document(doc.paragraphs, refusing, buffer);
    ASSERT_EQ(refusing.pieces.size(), 2U) << "nothing more after the refused piece";
    const std::string written = refusing.bytes();
    EXPECT_EQ(written, all.substr(0, written.size()));
}

} // namespace
