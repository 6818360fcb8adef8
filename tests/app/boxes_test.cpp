// What the main window tells the user in a box: a file that could not be
// loaded or saved, a file loaded with a warning, and memory running out.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "framework/choosers.h"
#include "tests/app/main_window_session.h"
#include "tests/model/allocation_limit.h"
#include "xml/allocation.h"
#include "xml/loader.h"

namespace {

using g = gen_main_win;

constexpr const char* out_of_memory_text =
    "Not enough memory to finish the command. The window now shows the document as it is.";

std::string all_lists() {
    return shown(&g::all_paragraphs_list) + " / " + text_of(&g::paragraph_edit) + " / " +
           shown(&g::all_symbols_list);
}

// A failed Open empties the document (after New file it held one paragraph)
// and says why in plain words.
TEST(boxes, a_file_that_cannot_be_opened_empties_the_document_and_says_why) {
    const temporary_file missing("missing.html");
    const temporary_file held("held.html");
    const temporary_file no_body("no_body.html");
    write_document("a:x", held.path);
    std::ofstream(no_body.path) << "<a><b/></a>";
    const HANDLE holder = CreateFileA(held.path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    const struct {
        std::string path;
        const char* why;
    } cases[] = {
        {missing.path, "the file does not exist"},
        {held.path, "another program is using the file"},
        {std::filesystem::temp_directory_path().string(), "a folder has that name"},
        {no_body.path, "it is not a Norvane document: it has no \"body\" element"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        error_box_watcher box("Error");
        open_document(c.path);
        EXPECT_EQ(box.text(), "Cannot open \"" + c.path + "\": " + c.why + ". The document is now empty.");
        EXPECT_EQ(all_lists(), " /  / ");
    }
    CloseHandle(holder);
}

TEST(boxes, a_failed_save_says_why_and_keeps_the_document) {
    const temporary_file file("saved.html");
    write_document("a:x", file.path);
    open_document(file.path);
    const std::string unwritable = file.path + "\\no folder\\saved.html";

    error_box_watcher box("Error");
    save_document_as(unwritable);
    EXPECT_EQ(box.text(),
              "Cannot save \"" + unwritable + "\": the folder does not exist. The document is unchanged.");
    EXPECT_EQ(shown(&g::all_paragraphs_list), "[a]") << "the document is kept";

    error_box_watcher no_box("Error");
    save_document_as(file.path);
    EXPECT_EQ(no_box.stop(), "") << "a save that worked is silent";
}

// A file cut short loads what it has, with a warning that says where it
// ends; a clean load is silent.
TEST(boxes, a_file_cut_short_is_loaded_with_a_warning) {
    const temporary_file file("cut_short.html");
    write_document("first:x|second:y|third|fourth|fifth", file.path);
    std::filesystem::resize_file(file.path, std::filesystem::file_size(file.path) * 3 / 4);
    ParseResult end{};
    ASSERT_TRUE(load_xml_file(file.path.c_str(), &end));
    ASSERT_EQ(end.code, parse_ends_inside_element_warning);

    error_box_watcher box("Warning");
    open_document(file.path);
    EXPECT_EQ(box.text(), "\"" + file.path + "\" ends inside an element (line " + std::to_string(end.line) +
                              ", column " + std::to_string(end.column) +
                              "), as if cut short. It was opened as far as it goes: check the end of the "
                              "document before saving over the file.");
    EXPECT_EQ(shown(&g::all_paragraphs_list).substr(0, 7), "[first]");
}

// Cancelling a chooser leaves the document and the file as they were,
// silently; a cancelled Open empties the file name that Save proposes next.
TEST(boxes, a_cancelled_chooser_changes_nothing_and_says_nothing) {
    const temporary_file file("kept.html");
    write_document("a:x|b", file.path);
    open_document(file.path);
    const auto written = std::filesystem::last_write_time(file.path);
    error_box_watcher no_box("Error");
    save_document_as("");
    EXPECT_EQ(proposed_name, file.path) << "Save proposes the name opened";
    open_document(file.path);
    open_only("");
    save_document_as("");
    EXPECT_EQ(proposed_name, "") << "after a cancelled Open";
    EXPECT_EQ(no_box.stop(), "");
    EXPECT_EQ(all_lists(), "[a]|b / a / x");
    EXPECT_EQ(std::filesystem::last_write_time(file.path), written);
}

// Memory running out in a command, in the model (operator new) or in Open's
// XML code (its allocation cap), before the document changed: the user is
// told, and the window shows the document, and Save proposes the name, as
// they were.
TEST(boxes, running_out_of_memory_in_a_command_changes_nothing) {
    const temporary_file file("memory.html");
    const temporary_file other("other.html");
    write_document("a:x|b", file.path);
    write_document("four|five", other.path);
    constexpr long operator_new = -1;
    const struct {
        std::vector<user_step> steps;
        long xml_cap = operator_new; // 0: the file's text; 20: in the parse
    } cases[] = {
        {{type_into(&g::paragraph_edit, "changed"), click_on(&g::update_button)}},
        {{type_into(&g::symbol_edit, "y"), click_on(&g::link_symbol_button)}},
        {{click_on(&g::cut_button)}},
        {{click_on(&g::new_paragraph_button)}},
        {{click_on(&g::open_button)}},
        {{click_on(&g::open_button)}, 0},
        {{click_on(&g::open_button)}, 20},
    };
    for (const auto& c : cases) {
        open_document(file.path);
        answer_choosers(other.path);
        error_box_watcher box("Error");
        if (c.xml_cap == operator_new) {
            EXPECT_FALSE(throws_with_allocation_failing(0, [&] { perform(c.steps); }))
                << "the window catches it";
        } else {
            const AllocationLimitScope cap(c.xml_cap);
            perform(c.steps);
        }
        EXPECT_EQ(box.text(), out_of_memory_text);
        EXPECT_EQ(all_lists(), "[a]|b / a / x");
        save_document_as("");
        EXPECT_EQ(proposed_name, file.path);
    }
}

} // namespace
