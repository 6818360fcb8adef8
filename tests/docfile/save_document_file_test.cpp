// Saving writes the document's bytes, and a save that fails leaves what was
// there before and no stray file.
#include "docfile/document_file.h"
#include "docfile/document_tree.h"
#include "docfile/replace_file.h"
#include "docfile/temporary_name.h"
#include "plain_document.h"
#include "temporary_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#endif

namespace {

const PlainDocument sample = {{"Rates rise > 5%\r\nnext line", {"index", "name"}}, {"", {}}};

std::set<std::string> names_in(const std::filesystem::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

TEST(SaveDocumentFile, WritesTheDocumentBytesAndNothingElse) {
    const TemporaryFolder folder;
    const std::string path = folder.file("doc.html");
    Document doc;
    set_paragraphs(doc, sample);
    std::string error = "not cleared";
    ASSERT_TRUE(save_document_file(doc, path.c_str(), error));
    EXPECT_EQ(error, "");
    EXPECT_EQ(read_bytes(path), document_to_text(doc.paragraphs));
    EXPECT_EQ(names_in(folder.path()), std::set<std::string>{"doc.html"});
}

TEST(SaveDocumentFile, ReplacesAnOlderFileWhole) {
    const TemporaryFolder folder;
    const std::string path = folder.file("doc.html");
    write_bytes(path, std::string(100000, 'x')); // longer than the new content
    Document doc;
    set_paragraphs(doc, sample);
    std::string error;
    ASSERT_TRUE(save_document_file(doc, path.c_str(), error)) << error;
    EXPECT_EQ(read_bytes(path), document_to_text(doc.paragraphs));
    EXPECT_EQ(names_in(folder.path()), std::set<std::string>{"doc.html"});
}

TEST(SaveDocumentFile, AnEmptyDocumentSavesAndLoadsAsEmpty) {
    const TemporaryFolder folder;
    const std::string path = folder.file("empty.html");
    Document doc;
    std::string error;
    ASSERT_TRUE(save_document_file(doc, path.c_str(), error)) << error;
    EXPECT_EQ(read_bytes(path), "<?xml version=\"1.0\"?>\r\n<body/>\r\n");
    set_paragraphs(doc, sample);
    std::string report;
    EXPECT_TRUE(load_document_file(doc, path.c_str(), report));
    EXPECT_EQ(doc.paragraphs, nullptr);
}

TEST(SaveDocumentFile, IntoAMissingFolderFailsWithAReasonAndCreatesNothing) {
    const TemporaryFolder folder;
    const std::string path = folder.file("missing/doc.html");
    Document doc;
    set_paragraphs(doc, sample);
    std::string error;
    EXPECT_FALSE(save_document_file(doc, path.c_str(), error));
    EXPECT_NE(error.find(path), std::string::npos) << error;
    EXPECT_TRUE(names_in(folder.path()).empty());
}

TEST(SaveDocumentFile, OntoAFolderFailsAndLeavesTheFolderAndNoTemporaryFile) {
    const TemporaryFolder folder;
    const std::string path = folder.file("taken.html");
    std::filesystem::create_directory(path);
    write_bytes(folder.file("taken.html/inside.txt"), "kept");
    write_bytes(folder.file("neighbour.html"), "old neighbour");
    Document doc;
    set_paragraphs(doc, sample);
    std::string error;
    EXPECT_FALSE(save_document_file(doc, path.c_str(), error));
    EXPECT_NE(error.find(path), std::string::npos) << error;
    EXPECT_TRUE(std::filesystem::is_directory(path));
    EXPECT_EQ(read_bytes(folder.file("taken.html/inside.txt")), "kept");
    EXPECT_EQ(read_bytes(folder.file("neighbour.html")), "old neighbour");
    EXPECT_EQ(names_in(folder.path()), (std::set<std::string>{"neighbour.html", "taken.html"}));
}

TEST(TemporaryName, SameFolderAndShort) {
    const struct {
        const char* path;
        const char* expected;
    } cases[] = {
        {"doc.html", "~nv12ab-0.tmp"},
        {"dir/doc.html", "dir/~nv12ab-0.tmp"},
        {"/a/b/c.html", "/a/b/~nv12ab-0.tmp"},
        {"C:\\dir\\doc.html", "C:\\dir\\~nv12ab-0.tmp"},
        {"C:doc.html", "C:~nv12ab-0.tmp"},
        {"\\\\server\\share\\d.html", "\\\\server\\share\\~nv12ab-0.tmp"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(temporary_name_next_to(c.path, 0x12ab, 0), c.expected) << c.path;
    }
    // Each attempt and each process has its own name; only the low bits of the process id are used.
    EXPECT_EQ(temporary_name_next_to("x", 0x5012ab, 11), "~nv12ab-b.tmp");
    EXPECT_NE(temporary_name_next_to("x", 1, 0), temporary_name_next_to("x", 2, 0));
}

// The temporary file must fit wherever the target fits.
TEST(SaveDocumentFile, ANameAtTheLengthLimitCanBeSaved) {
    const TemporaryFolder folder;
#ifdef _WIN32
    const std::size_t name_length = 259 - folder.path().string().size() - 1; // whole path of 259 characters
#else
    const std::size_t name_length = 255; // longest file name
#endif
    const std::string path = folder.file(std::string(name_length - 5, 'n') + ".html");
    Document doc;
    set_paragraphs(doc, sample);
    std::string error;
    ASSERT_TRUE(save_document_file(doc, path.c_str(), error)) << error;
    EXPECT_EQ(read_bytes(path), document_to_text(doc.paragraphs));
}

TEST(SaveDocumentFile, WithoutAFileNameFails) {
    Document doc;
    std::string error;
    EXPECT_FALSE(save_document_file(doc, "", error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(save_document_file(doc, nullptr, error));
    EXPECT_FALSE(error.empty());
}

#ifndef _WIN32
// The write itself fails half-way (the file size limit stands in for a full
// disk): the old file must keep every byte.
TEST(WriteFileReplacing, AWriteThatFailsHalfWayKeepsTheOldFile) {
    const TemporaryFolder folder;
    const std::string path = folder.file("doc.html");
    const std::string old_bytes = "old content that must survive\r\n";
    write_bytes(path, old_bytes);

    rlimit old_limit{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old_limit), 0);
    const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old_limit;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string error;
    const bool written = write_file_replacing(path.c_str(), std::string(100000, 'n'), error);
    setrlimit(RLIMIT_FSIZE, &old_limit);
    std::signal(SIGXFSZ, old_handler);

    EXPECT_FALSE(written);
    EXPECT_NE(error.find(path), std::string::npos) << error;
    EXPECT_EQ(read_bytes(path), old_bytes);
    EXPECT_EQ(names_in(folder.path()), std::set<std::string>{"doc.html"});
}

TEST(WriteFileReplacing, AReplacedFileKeepsItsPermissions) {
    const TemporaryFolder folder;
    const std::string path = folder.file("doc.html");
    write_bytes(path, "old");
    namespace fs = std::filesystem;
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    std::string error;
    ASSERT_TRUE(write_file_replacing(path.c_str(), "new", error)) << error;
    EXPECT_EQ(read_bytes(path), "new");
    EXPECT_EQ(fs::status(path).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}
#endif

} // namespace
