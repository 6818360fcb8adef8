// What the main window tells the user in a box: a file that could not be
// loaded or saved, a file loaded with a warning, and memory running out.
#include <gtest/gtest.h>

#include <filesystem>

#include "docfile/document_file.h"
#include "tests/app/main_window_session.h"
#include "tests/model/allocation_limit.h"

namespace {

using g = gen_main_win;

constexpr const char* warning_caption = "Warning";

TEST(boxes, a_missing_file_gives_an_empty_document_and_an_error) {
    const temporary_file missing("missing.html");
    Document scratch;
    std::string report;
    ASSERT_FALSE(load_document_file(scratch, missing.path.c_str(), report));
    ASSERT_NE(report.find("File not found"), std::string::npos) << report;

    error_box_watcher box("Error");
    open_document(missing.path);
    EXPECT_EQ(box.text(), report);
    EXPECT_EQ(shown(&g::all_paragraphs_list) + shown(&g::all_symbols_list) + text_of(&g::paragraph_edit), "");
}

TEST(boxes, a_failed_save_shows_what_the_document_file_said_once) {
    const temporary_file file("saved.html");
    write_document("a:x", file.path);
    open_document(file.path);
    const std::string unwritable = file.path + "\\no folder\\saved.html";
    Document scratch;
    std::string error;
    ASSERT_FALSE(save_document_file(scratch, unwritable.c_str(), error));

    error_box_watcher box("Error");
    save_document_as(unwritable);
    EXPECT_EQ(box.text(), error);
    EXPECT_EQ(shown(&g::all_paragraphs_list), "[a]") << "the document is kept";

    error_box_watcher no_box("Error");
    save_document_as(file.path);
    EXPECT_EQ(no_box.stop(), "") << "a save that worked is silent";
}

// A file cut short loads what it has; what the document file had to say
// about it comes in a warning box, and a clean load is silent.
TEST(boxes, a_file_cut_short_is_loaded_with_the_document_files_warning) {
    const temporary_file file("cut_short.html");
    write_document("first:x|second:y|third|fourth|fifth", file.path);
    std::filesystem::resize_file(file.path, std::filesystem::file_size(file.path) * 3 / 4);
    Document scratch;
    std::string report;
    ASSERT_TRUE(load_document_file(scratch, file.path.c_str(), report));
    ASSERT_NE(report.find("Warning: The file ends inside an element"), std::string::npos) << report;

    error_box_watcher box(warning_caption);
    open_document(file.path);
    EXPECT_EQ(box.text(), report);
    EXPECT_EQ(shown(&g::all_paragraphs_list).substr(0, 7), "[first]");
}

// Cancelling a chooser leaves the document and the file as they were, silently.
TEST(boxes, a_cancelled_chooser_changes_nothing_and_says_nothing) {
    const temporary_file file("kept.html");
    write_document("a:x|b", file.path);
    open_document(file.path);
    const auto written = std::filesystem::last_write_time(file.path);
    error_box_watcher no_box("Error");
    save_document_as("");
    perform({click_on(&g::open_button)});
    EXPECT_EQ(no_box.stop(), "");
    EXPECT_EQ(shown(&g::all_paragraphs_list) + shown(&g::all_symbols_list), "[a]|bx");
    EXPECT_EQ(std::filesystem::last_write_time(file.path), written);
}

// The first allocation a command makes fails, before the document changed:
// the user is told, and the window shows the document as it was.
TEST(boxes, running_out_of_memory_in_a_command_changes_nothing) {
    const std::vector<user_step> commands[] = {
        {type_into(&g::paragraph_edit, "changed"), click_on(&g::update_button)},
        {type_into(&g::symbol_edit, "y"), click_on(&g::link_symbol_button)},
        {click_on(&g::cut_button)},
        {click_on(&g::new_paragraph_button)},
    };
    const temporary_file file("memory.html");
    write_document("a:x|b", file.path);
    for (const std::vector<user_step>& command : commands) {
        open_document(file.path);
        error_box_watcher box("Error");
        EXPECT_FALSE(throws_with_allocation_failing(0, [&] { perform(command); })) << "the window catches it";
        EXPECT_EQ(box.text(),
                  "Not enough memory to finish the command. The window now shows the document as it is.");
        EXPECT_EQ(shown(&g::all_paragraphs_list), "[a]|b");
        EXPECT_EQ(text_of(&g::paragraph_edit), "a");
        EXPECT_EQ(shown(&g::all_symbols_list), "x");
    }
}

} // namespace
