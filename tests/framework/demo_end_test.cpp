// End-to-end: every way the demo ends leaves exit code 0, promptly, with the
// application thread's handler told through one empty event and no box shown.
#include <gtest/gtest.h>

#include "framework/wk_event.h"
#include "tests/framework/demo_session.h"

namespace {

class demo_end : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(demo.start()) << demo.error(); }

    // The process ends with code 0 and its handler saw the empty event of the
    // close last, then the event loop ended.
    void expect_closed_cleanly() {
        const std::optional<DWORD> code = demo.process().wait_for_exit();
        ASSERT_TRUE(code.has_value()) << "the demo did not end";
        EXPECT_EQ(*code, 0u);
        const std::vector<std::string> lines = demo.lines();
        ASSERT_GE(lines.size(), 2u);
        EXPECT_EQ(lines[lines.size() - 2], event_line(event_none, "null"));
        EXPECT_EQ(lines.back(), "end");
    }

    demo_session demo;
};

TEST_F(demo_end, exit_button_ends_the_program) {
    gui::click(demo.control(demo::exit_button));
    const std::optional<DWORD> code = demo.process().wait_for_exit();
    ASSERT_TRUE(code.has_value()) << "the demo did not end";
    EXPECT_EQ(*code, 0u);
    const std::vector<std::string> lines = demo.lines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], event_line(event_activate, "exit"));
    EXPECT_EQ(lines.back(), "end");
}

TEST_F(demo_end, alt_x_clicks_exit) {
    gui::press_keys({VK_MENU, 'X'});
    const std::optional<DWORD> code = demo.process().wait_for_exit();
    ASSERT_TRUE(code.has_value()) << "the demo did not end";
    EXPECT_EQ(*code, 0u);
    EXPECT_TRUE(demo.skip_to(event_line(event_activate, "exit")));
}

TEST_F(demo_end, alt_f4_closes_the_window_and_ends_the_program) {
    gui::press_keys({VK_MENU, VK_F4});
    expect_closed_cleanly();
}

// The title-bar close button sends this command (no window manager draws the
// title bar on the test display).
TEST_F(demo_end, close_command_ends_the_program) {
    PostMessageA(demo.window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    expect_closed_cleanly();
}

TEST_F(demo_end, close_while_the_handler_is_busy_ends_the_program_once_it_returns) {
    gui::click(demo.control(demo::busy_button));
    ASSERT_TRUE(demo.skip_to("busy start"));
    gui::press_keys({VK_MENU, VK_F4});
    // The GUI thread closes the window at once, while the handler still works.
    ASSERT_TRUE(gui::wait_until([&] { return IsWindow(demo.window()) == FALSE; }));
    EXPECT_TRUE(demo.process().running());
    ASSERT_TRUE(demo.release_busy());
    const std::optional<DWORD> code = demo.process().wait_for_exit();
    ASSERT_TRUE(code.has_value()) << "the demo did not end";
    EXPECT_EQ(*code, 0u);
    const std::vector<std::string> lines = demo.lines();
    ASSERT_GE(lines.size(), 2u);
    // The event loop saw `finished` before waiting again.
    EXPECT_EQ(lines[lines.size() - 2], "busy end");
    EXPECT_EQ(lines.back(), "end");
}

TEST_F(demo_end, window_closed_by_the_user_is_destroyed_without_a_box) {
    gui::press_keys({VK_MENU, VK_F4});
    // The window object is destroyed after its window: no "Window handle not
    // found" box may appear (it would also keep the program from ending).
    bool box_seen = false;
    gui::wait_until([&] {
        box_seen = box_seen || gui::find_window(demo.process_id(), "#32770") != nullptr;
        return !demo.process().running();
    });
    EXPECT_FALSE(box_seen);
    EXPECT_EQ(demo.process().wait_for_exit(), std::optional<DWORD>(0));
}

} // namespace
