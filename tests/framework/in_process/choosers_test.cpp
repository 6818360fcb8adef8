// The file choosers' records and results, with the platform calls replaced so
// that a chooser can be cancelled, made to fail or made to choose at will.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "framework/chooser_calls.h"
#include "framework/choosers.h"
#include "tests/framework/in_process/test_windows.h"

namespace {

enum class outcome { cancel, fail, choose };

// What the replaced calls saw of the record, and what they do.
struct scripted_chooser {
    outcome next = outcome::cancel;
    DWORD failure = 0;
    int calls = 0;
    bool save = false;
    OPENFILENAMEA seen{};
    std::string proposed;
    std::string filter;
    std::string initial_directory;
    std::size_t proposed_buffer_end = 0; // index of the first NUL in the buffer
};

scripted_chooser script;

BOOL answer(LPOPENFILENAMEA record, bool save) {
    ++script.calls;
    script.save = save;
    script.seen = *record;
    script.proposed = record->lpstrFile;
    script.proposed_buffer_end = std::strlen(record->lpstrFile);
    script.filter.assign(record->lpstrFilter, 16);
    script.initial_directory = record->lpstrInitialDir != nullptr ? record->lpstrInitialDir : "(null)";
    switch (script.next) {
    case outcome::choose:
        std::strcpy(record->lpstrFile, "C:\\chosen\\name.html");
        script.failure = 0;
        return TRUE;
    case outcome::fail:
        script.failure = 0x3003; // the buffer was too small
        return FALSE;
    default:
        script.failure = 0;
        return FALSE;
    }
}

BOOL WINAPI scripted_open(LPOPENFILENAMEA record) {
    return answer(record, false);
}
BOOL WINAPI scripted_save(LPOPENFILENAMEA record) {
    return answer(record, true);
}
DWORD WINAPI scripted_error() {
    return script.failure;
}

class choosers : public ::testing::Test {
  protected:
    void SetUp() override {
        script = {};
        active_chooser_calls() = {scripted_open, scripted_save, scripted_error};
    }
    void TearDown() override { active_chooser_calls() = platform_chooser_calls(); }

    recording_win& window = new_window();
};

TEST_F(choosers, fill_the_record_for_the_platform_dialog) {
    Text path("norvane.html");
    choose_save_file(window, path);
    ASSERT_EQ(script.calls, 1);
    EXPECT_TRUE(script.save);
    EXPECT_EQ(script.seen.lStructSize, OPENFILENAME_SIZE_VERSION_400A);
    EXPECT_EQ(script.seen.hwndOwner, window.window_handle);
    EXPECT_EQ(script.filter.substr(0, 7), std::string("*.html\0", 7)) << "one entry labelled *.html";
    EXPECT_EQ(script.seen.nFilterIndex, 1u);
    EXPECT_EQ(script.seen.nMaxFile, 10000u);
    EXPECT_EQ(script.initial_directory, ".");
    EXPECT_EQ(script.seen.Flags, 0x8000Cu); // explorer style, keep the directory, no read-only box
    EXPECT_EQ(script.seen.lpstrDefExt, nullptr) << "a name without extension stays without";
    EXPECT_EQ(script.seen.lpstrTitle, nullptr);
    EXPECT_EQ(script.seen.lpstrFileTitle, nullptr);
    EXPECT_EQ(script.seen.lpstrCustomFilter, nullptr);
    EXPECT_EQ(script.seen.lpfnHook, nullptr);
    EXPECT_EQ(script.proposed, "norvane.html");

    Text ignored("not proposed");
    choose_open_file(window, ignored);
    EXPECT_FALSE(script.save);
    EXPECT_EQ(script.proposed, "") << "the open chooser starts empty";
    EXPECT_EQ(script.seen.Flags, 0x8000Cu);
    EXPECT_EQ(script.seen.nMaxFile, 10000u);
}

TEST_F(choosers, a_long_proposal_is_cut_so_the_buffer_ends_with_nul) {
    const std::string long_name(12000, 'n');
    Text path(long_name.c_str());
    choose_save_file(window, path);
    EXPECT_EQ(script.proposed_buffer_end, 9999u);
}

TEST_F(choosers, a_chosen_name_is_returned_whole) {
    script.next = outcome::choose;
    Text path("proposal");
    EXPECT_EQ(choose_save_file(window, path), 1);
    EXPECT_STREQ(path.chars, "C:\\chosen\\name.html");
    Text opened;
    EXPECT_EQ(choose_open_file(window, opened), 1);
    EXPECT_STREQ(opened.chars, "C:\\chosen\\name.html");
}

TEST_F(choosers, a_cancel_empties_the_path_without_a_box) {
    for (const bool save : {true, false}) {
        error_box_watcher box;
        Text path("norvane.html");
        EXPECT_EQ(save ? choose_save_file(window, path) : choose_open_file(window, path), 0);
        EXPECT_STREQ(path.chars, "") << (save ? "save" : "open");
        // A box would have kept the chooser from returning until closed.
        EXPECT_EQ(box.stop(), "") << (save ? "save" : "open");
    }
}

TEST_F(choosers, a_failing_save_chooser_is_reported_in_an_error_box) {
    script.next = outcome::fail;
    error_box_watcher box;
    Text path("norvane.html");
    EXPECT_EQ(choose_save_file(window, path), 0);
    EXPECT_EQ(box.text(), "GetSaveFileName error 12291");
    EXPECT_EQ(box.owner(), window.window_handle);
    EXPECT_STREQ(path.chars, "");
}

TEST_F(choosers, a_failing_open_chooser_behaves_as_a_cancel) {
    script.next = outcome::fail;
    error_box_watcher box;
    Text path("x");
    EXPECT_EQ(choose_open_file(window, path), 0);
    EXPECT_STREQ(path.chars, "");
    EXPECT_EQ(box.stop(), "");
}

} // namespace
