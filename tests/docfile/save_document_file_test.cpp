// Saving writes the document's bytes in place of the old file, and a save
// that fails says why and leaves the old file and no stray file.
#include "../model/allocation_limit.h"
#include "docfile/replace_file.h"
#include "docfile_test_support.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#endif

namespace {

using Names = std::vector<std::string>;
constexpr const char* sample = "Rates rise > 5%\r\nnext line:index,name|:";

TEST(SaveDocumentFile, AFailedSaveSaysWhyAndLeavesTheOldFilesAndNoTemporaryFile) {
    const TemporaryFolder folder;
    std::filesystem::create_directory(folder.file("taken.html"));
    write_bytes(folder.file("old.html"), "old");
    const struct {
        std::string path;
        FileProblem problem; // none: whatever the platform calls it
    } cases[] = {{folder.file("missing/doc.html"), FileProblem::not_found},
                 {folder.file("taken.html"), FileProblem::none},
                 {"", FileProblem::no_name}};
    Document doc;
    append_paragraphs(doc, sample);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const FileStatus status = save_document_file(doc, c.path.c_str());
        EXPECT_FALSE(status.ok());
        EXPECT_TRUE(c.problem == FileProblem::none || status.problem == c.problem);
        EXPECT_EQ(folder.names(), (Names{"old.html", "taken.html"}));
        EXPECT_EQ(read_bytes(folder.file("old.html")), "old");
        EXPECT_TRUE(std::filesystem::is_empty(folder.file("taken.html")));
    }
}

// Also the success at the end replaces the old file whole, and leaves nothing else.
TEST(SaveDocumentFile, RunningOutOfMemoryAnywhereFailsCleanly) {
    const TemporaryFolder folder;
    const std::string path = folder.file("doc.html");
    Document doc;
    append_paragraphs(doc, sample);
    int failures = 0;
    for (long n = 0; n < 200; ++n) { // more allocations than a save makes
        write_bytes(path, std::string(10000, 'x'));
        FileStatus status{FileProblem::other, "not set"};
        EXPECT_FALSE(
            throws_with_allocation_failing(n, [&] { status = save_document_file(doc, path.c_str()); }));
        const bool saved = status.ok();
        failures += saved ? 0 : 1;
        EXPECT_TRUE(saved || status.problem == FileProblem::out_of_memory) << "allocation " << n;
        EXPECT_EQ(read_bytes(path), saved ? saved_bytes(doc) : std::string(10000, 'x'));
        EXPECT_EQ(folder.names(), Names{"doc.html"});
    }
    EXPECT_GT(failures, 0);
}

// The temporary file must fit wherever the target fits.
TEST(SaveDocumentFile, ANameAtTheLengthLimitCanBeSaved) {
    const TemporaryFolder folder;
    const std::string longest = folder.file(std::string(255, 'n'));
#ifdef _WIN32
    const std::string path = longest.substr(0, 259); // MAX_PATH less its NUL
#else
    const std::string path = longest;
#endif
    Document doc;
    append_paragraphs(doc, sample);
    ASSERT_TRUE(save_document_file(doc, path.c_str()).ok());
    EXPECT_EQ(read_bytes(path), saved_bytes(doc));
}

TEST(TemporaryName, SameFolderAndShort) {
    const struct {
        const char* path;
        const char* expected;
    } cases[] = {{"d.html", "~nv12ab-0.tmp"},
                 {"/a/d.html", "/a/~nv12ab-0.tmp"},
                 {"C:\\a\\d.html", "C:\\a\\~nv12ab-0.tmp"},
                 {"C:d.html", "C:~nv12ab-0.tmp"}};
    for (const auto& c : cases) {
        EXPECT_EQ(temporary_name_next_to(c.path, 0x5012ab, 0), c.expected) << c.path;
    }
    EXPECT_EQ(temporary_name_next_to("x", 1, 11), "~nv1-b.tmp");
}

#ifndef _WIN32
// The write itself fails half-way (the file size limit stands in for a full
// disk): the old file must keep every byte.
TEST(WriteFileReplacing, AWriteThatFailsHalfWayKeepsTheOldFile) {
    const TemporaryFolder folder;
    const std::string path = folder.file("doc.html");
    write_bytes(path, "old");
    rlimit old_limit{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old_limit), 0);
    const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old_limit;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    std::vector<bool> taken;
    const FileStatus status = write_file_replacing(path.c_str(), [&taken](ByteSink& sink) {
        for (int i = 0; i < 4; ++i) {
            taken.push_back(sink.write(std::string(2000, 'n')));
        }
    });
    setrlimit(RLIMIT_FSIZE, &old_limit);
    std::signal(SIGXFSZ, old_handler);
    EXPECT_EQ(status.problem, FileProblem::disk_full);
    EXPECT_EQ(taken, (std::vector<bool>{true, true, false, false})) << "nothing more once a write failed";
    EXPECT_EQ(read_bytes(path), "old");
    EXPECT_EQ(folder.names(), Names{"doc.html"});
}

TEST(WriteFileReplacing, AReplacedFileKeepsItsPermissions) {
    const TemporaryFolder folder;
    const std::string path = folder.file("doc.html");
    write_bytes(path, "old");
    namespace fs = std::filesystem;
    const fs::perms chosen = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(path, chosen);
    ASSERT_TRUE(write_file_replacing(path.c_str(), [](ByteSink& sink) {
                    sink.write("ne");
                    sink.write("w");
                }).ok());
    EXPECT_EQ(read_bytes(path), "new");
    EXPECT_EQ(fs::status(path).permissions(), chosen);
}
#endif

} // namespace
