// End-to-end: the platform's file choosers opened from the demo, answered
// with real keys.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>

#include "framework/wk_event.h"
#include "tests/framework/demo_session.h"

namespace {

constexpr int file_name_field = 1148; // the chooser's file-name edit box

class demo_chooser : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(demo.start()) << demo.error(); }

    // Clicks a button that opens a dialog and waits for the dialog to be the
    // foreground window.
    HWND open_dialog(const demo::place& button) {
        gui::click(demo.control(button));
        EXPECT_EQ(demo.next_line(), event_line(event_activate, button.name));
        const HWND dialog = gui::wait_for_window(demo.process_id(), "#32770");
        EXPECT_NE(dialog, nullptr);
        if (dialog != nullptr) {
            EXPECT_TRUE(gui::make_foreground(dialog));
        }
        return dialog;
    }

    static HWND file_name(HWND dialog) {
        for (const HWND edit : gui::children(dialog, "Edit")) {
            if (GetDlgCtrlID(edit) == file_name_field) {
                return edit;
            }
        }
        return nullptr;
    }

    static std::string lower(std::string s) {
        for (char& c : s) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        return s;
    }

    demo_session demo;
};

TEST_F(demo_chooser, cancelling_the_save_chooser_empties_the_path_and_keeps_the_directory) {
    const HWND dialog = open_dialog(demo::save_button);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(gui::wait_until([&] { return gui::text_of(file_name(dialog)) == "proposal.html"; }))
        << "the proposed name is shown";
    gui::press_key(VK_ESCAPE);
    EXPECT_EQ(demo.next_line(), "save 0 1 ");
}

TEST_F(demo_chooser, cancelling_the_open_chooser_empties_the_path_and_keeps_the_directory) {
    const HWND dialog = open_dialog(demo::open_button);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(gui::text_of(file_name(dialog)), "");
    gui::press_key(VK_ESCAPE);
    EXPECT_EQ(demo.next_line(), "open 0 1 ");
}

TEST_F(demo_chooser, a_name_typed_without_extension_is_saved_under_that_name_and_keeps_the_directory) {
    CreateDirectoryA((demo.directory() + "sub").c_str(), nullptr);
    // The demo proposes the text of its second edit box.
    gui::click(demo.control(demo::second_edit));
    gui::type_text("sketch");
    ASSERT_TRUE(gui::wait_until([&] { return gui::text_of(demo.control(demo::second_edit)) == "sketch"; }));
    const HWND dialog = open_dialog(demo::save_button);
    ASSERT_NE(dialog, nullptr);
    const HWND name = file_name(dialog);
    ASSERT_TRUE(gui::wait_until([&] { return gui::text_of(name) == "sketch"; }));
    // Into a subfolder (the proposal is selected: typing replaces it), then
    // the name again.
    gui::type_text("sub");
    ASSERT_TRUE(gui::wait_until([&] { return gui::text_of(name) == "sub"; }));
    gui::press_key(VK_RETURN);
    ASSERT_TRUE(gui::wait_until([&] { return gui::text_of(name).empty(); }));
    gui::type_text("sketch");
    ASSERT_TRUE(gui::wait_until([&] { return gui::text_of(name) == "sketch"; }));
    gui::press_key(VK_RETURN);
    EXPECT_EQ(lower(demo.next_line()), lower("save 1 1 " + demo.directory() + "sub\\sketch"));
}

TEST_F(demo_chooser, the_open_chooser_returns_the_chosen_file_s_full_path_and_keeps_the_directory) {
    // A file in a subfolder: choosing it must not make that folder current.
    CreateDirectoryA((demo.directory() + "sub").c_str(), nullptr);
    std::ofstream(demo.directory() + "sub\\sample.html") << "<html><body></body></html>";
    const HWND dialog = open_dialog(demo::open_button);
    ASSERT_NE(dialog, nullptr);
    // Into the subfolder first, as a user browsing there does.
    gui::type_text("sub");
    ASSERT_TRUE(gui::wait_until([&] { return gui::text_of(file_name(dialog)) == "sub"; }));
    gui::press_key(VK_RETURN);
    ASSERT_TRUE(gui::wait_until([&] { return gui::text_of(file_name(dialog)).empty(); }));
    gui::type_text("sample.html");
    ASSERT_TRUE(gui::wait_until([&] { return gui::text_of(file_name(dialog)) == "sample.html"; }));
    gui::press_key(VK_RETURN);
    EXPECT_EQ(lower(demo.next_line()), lower("open 1 1 " + demo.directory() + "sub\\sample.html"));
}

TEST_F(demo_chooser, back_from_a_dialog_the_focus_returns_to_the_last_control_focused_by_tab) {
    const HWND second = demo.control(demo::second_edit);
    gui::press_key(VK_TAB); // from the first control to the second edit box
    ASSERT_TRUE(gui::wait_until([&] { return gui::focused_window(demo.window()) == second; }));
    gui::type_text("xyz");
    ASSERT_TRUE(gui::wait_until([&] { return gui::edit_selection(second) == std::make_pair(3, 3); }));
    const HWND dialog = open_dialog(demo::open_button); // the click focuses the button
    ASSERT_NE(dialog, nullptr);
    gui::press_key(VK_ESCAPE);
    EXPECT_EQ(demo.next_line(), "open 0 1 ");
    EXPECT_TRUE(gui::wait_until([&] { return gui::focused_window(demo.window()) == second; }));
    EXPECT_EQ(gui::edit_selection(second), std::make_pair(0, 3)) << "the whole text selected";
}

TEST_F(demo_chooser, a_failing_save_chooser_shows_its_error_in_a_box_owned_by_the_window) {
    gui::click(demo.control(demo::fail_button));
    EXPECT_EQ(demo.next_line(), event_line(event_activate, "fail"));
    const HWND box = gui::wait_for_window(demo.process_id(), "#32770");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(gui::text_of(box), "Error");
    EXPECT_EQ(GetWindow(box, GW_OWNER), demo.window());
    std::vector<std::string> texts;
    for (const HWND label : gui::children(box, "Static")) {
        texts.push_back(gui::text_of(label));
    }
    EXPECT_NE(std::find(texts.begin(), texts.end(), "GetSaveFileName error 12291"), texts.end());
    const std::vector<HWND> buttons = gui::children(box, "Button");
    ASSERT_EQ(buttons.size(), 1u) << "one OK button";
    EXPECT_EQ(gui::text_of(buttons[0]), "OK");
    // The box is modal: the chooser's caller waits until it is closed.
    EXPECT_EQ(demo.lines().back(), event_line(event_activate, "fail"));
    ASSERT_TRUE(gui::make_foreground(box));
    gui::press_key(VK_RETURN);
    EXPECT_EQ(demo.next_line(), "save 0 1 ");
}

} // namespace
