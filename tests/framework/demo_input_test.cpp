// End-to-end: the demo driven with real keys and clicks; each action's event
// is awaited in the demo's log before the next action.
#include <gtest/gtest.h>

#include "tests/framework/demo_session.h"

namespace {

class demo_input : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(demo.start()) << demo.error(); }

    HWND control(const demo::place& place) {
        const HWND found = demo.control(place);
        EXPECT_NE(found, nullptr) << place.name;
        return found;
    }

    demo_session demo;
};

TEST_F(demo_input, button_click_activates_the_button) {
    gui::click(control(demo::add_button));
    EXPECT_EQ(demo.next_line(), event_line(4, "add"));
    gui::click(control(demo::drop_button));
    EXPECT_EQ(demo.next_line(), event_line(4, "drop"));
}

} // namespace
