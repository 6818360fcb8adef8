// End-to-end: the demo driven with real keys and clicks (SendInput); each
// action's event is awaited in the demo's log before the next action, since a
// newer event replaces one the application thread has not taken yet.
#include <gtest/gtest.h>

#include "framework/wk_event.h"
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

    bool has_focus(HWND target) {
        return gui::wait_until([&] { return gui::focused_window(demo.window()) == target; });
    }

    // Clicks an edit box and waits until it has the focus (a click there
    // makes no event).
    void focus_edit(const demo::place& place) {
        const HWND target = control(place);
        gui::click(target);
        ASSERT_TRUE(has_focus(target)) << place.name;
    }

    // Point of the list box's entry (0-based), in the list box's client area.
    static POINT entry_point(HWND list_box, int index) {
        const auto height = static_cast<int>(SendMessageW(list_box, LB_GETITEMHEIGHT, 0, 0));
        return {20, height * index + height / 2};
    }

    void expect_key_event(WORD key, int kind) {
        gui::press_key(key);
        EXPECT_EQ(demo.next_line(), event_line(kind, "window")) << "key " << key;
    }

    demo_session demo;
};

TEST_F(demo_input, starts_titled_sized_and_focused_on_the_first_control) {
    EXPECT_EQ(gui::text_of(demo.window()), "Framework demo 1.01");
    const SIZE client = gui::client_size(demo.window());
    EXPECT_EQ(client.cx, 976);
    EXPECT_EQ(client.cy, 734);
    EXPECT_TRUE(has_focus(control(demo::name_edit)));
}

TEST_F(demo_input, button_clicks_activate_their_buttons) {
    gui::click(control(demo::add_button));
    EXPECT_EQ(demo.next_line(), event_line(event_activate, "add"));
    gui::click(control(demo::drop_button));
    EXPECT_EQ(demo.next_line(), event_line(event_activate, "drop"));
}

TEST_F(demo_input, list_clicks_select_and_double_clicks_report_a_double_click) {
    const HWND fruits = control(demo::fruits_list);
    gui::click_at(fruits, entry_point(fruits, 2));
    EXPECT_EQ(demo.next_line(), event_line(event_select, "fruits"));
    EXPECT_EQ(gui::list_selection(fruits), 2);

    const HWND colours = control(demo::colours_list);
    gui::click_at(colours, entry_point(colours, 1));
    EXPECT_EQ(demo.next_line(), event_line(event_select, "colours"));

    // The first click of a double click on another entry changes the
    // selection (an event the double click may replace before it is taken);
    // then comes the double click itself, never an activation.
    gui::double_click_at(fruits, entry_point(fruits, 0));
    std::string line = demo.next_line();
    if (line == event_line(event_select, "fruits")) {
        line = demo.next_line();
    }
    EXPECT_EQ(line, event_line(event_double_click, "fruits"));
    EXPECT_EQ(gui::list_selection(fruits), 0);
}

TEST_F(demo_input, enter_and_escape_become_events_and_never_reach_an_edit_box) {
    const HWND notes = control(demo::notes_box);
    focus_edit(demo::notes_box);
    gui::type_text("ab");
    expect_key_event(VK_RETURN, event_enter);
    expect_key_event(VK_ESCAPE, event_escape);
    gui::type_text("c");
    ASSERT_TRUE(gui::wait_until([&] { return gui::text_of(notes).size() == 3; }));
    EXPECT_EQ(gui::text_of(notes), "abc"); // no line break, nothing for Esc

    focus_edit(demo::name_edit);
    expect_key_event(VK_RETURN, event_enter);

    gui::click(control(demo::add_button));
    EXPECT_EQ(demo.next_line(), event_line(event_activate, "add"));
    expect_key_event(VK_RETURN, event_enter); // not a click of the focused button
    expect_key_event(VK_ESCAPE, event_escape);

    const HWND fruits = control(demo::fruits_list);
    gui::click_at(fruits, entry_point(fruits, 1));
    EXPECT_EQ(demo.next_line(), event_line(event_select, "fruits"));
    expect_key_event(VK_RETURN, event_enter);
}

TEST_F(demo_input, letters_and_arrows_are_reported_and_still_reach_the_control) {
    const HWND name = control(demo::name_edit);
    focus_edit(demo::name_edit);
    // "dump": d, u and p are reported; m is not.
    expect_key_event('D', event_char_d);
    expect_key_event('U', event_char_u);
    gui::type_text("m");
    expect_key_event('P', event_char_p);
    expect_key_event('N', event_char_n);
    gui::press_keys({VK_SHIFT, 'D'});
    EXPECT_EQ(demo.next_line(), event_line(event_char_d, "window"));
    EXPECT_TRUE(gui::wait_until([&] { return gui::text_of(name) == "dumpnD"; })) << gui::text_of(name);

    expect_key_event(VK_LEFT, event_key_left);
    expect_key_event(VK_RIGHT, event_key_right);
    expect_key_event(VK_UP, event_key_up);
    expect_key_event(VK_DOWN, event_key_down);
    expect_key_event(VK_ADD, event_key_add);
    expect_key_event(VK_SUBTRACT, event_key_subtract);
    // The keypad keys still type their characters.
    EXPECT_TRUE(gui::wait_until([&] { return gui::text_of(name) == "dumpnD+-"; })) << gui::text_of(name);
}

TEST_F(demo_input, tab_and_shift_tab_cycle_through_the_tab_order_selecting_the_whole_text) {
    // Texts in the edit boxes, so that the selection on arrival can be seen.
    focus_edit(demo::second_edit);
    gui::type_text("second");
    focus_edit(demo::notes_box);
    gui::type_text("notes");
    focus_edit(demo::name_edit);
    gui::type_text("name");

    constexpr std::size_t count = std::size(demo::tab_order);
    for (std::size_t step = 1; step <= count; ++step) {
        gui::press_key(VK_TAB);
        const demo::place& expected = *demo::tab_order[step % count];
        const HWND target = control(expected);
        ASSERT_TRUE(has_focus(target)) << "Tab " << step << " should reach " << expected.name;
        if (gui::class_name_of(target) == "Edit") {
            const std::string text = gui::text_of(target);
            EXPECT_EQ(gui::edit_selection(target), std::make_pair(0, static_cast<int>(text.size())))
                << expected.name;
            EXPECT_EQ(text.find('\t'), std::string::npos) << "a tab character reached " << expected.name;
        }
    }
    // Back on the first control; Shift+Tab wraps to the last, then goes back.
    for (std::size_t step = 1; step <= count; ++step) {
        gui::press_keys({VK_SHIFT, VK_TAB});
        const demo::place& expected = *demo::tab_order[count - step];
        ASSERT_TRUE(has_focus(control(expected)))
            << "Shift+Tab " << step << " should reach " << expected.name;
    }
    EXPECT_EQ(gui::text_of(control(demo::notes_box)), "notes");
}

TEST_F(demo_input, alt_letter_activates_the_first_control_marking_it) {
    focus_edit(demo::name_edit);
    gui::press_keys({VK_MENU, 'A'});
    EXPECT_EQ(demo.next_line(), event_line(event_activate, "add"));
    // "&Delete" and "&Drop" both mark d: the one created first wins.
    gui::press_keys({VK_MENU, 'D'});
    EXPECT_EQ(demo.next_line(), event_line(event_activate, "delete"));
    // An unmarked letter makes no event: the next event is the click's.
    gui::press_keys({VK_MENU, 'Z'});
    gui::click(control(demo::drop_button));
    EXPECT_EQ(demo.next_line(), event_line(event_activate, "drop"));
}

TEST_F(demo_input, alt_letter_marked_in_an_edit_box_text_activates_the_edit_box) {
    focus_edit(demo::second_edit);
    gui::type_text("a&q");
    ASSERT_TRUE(gui::wait_until([&] { return gui::text_of(control(demo::second_edit)) == "a&q"; }));
    focus_edit(demo::name_edit);
    gui::press_keys({VK_MENU, 'Q'});
    EXPECT_EQ(demo.next_line(), event_line(event_activate, "second"));
}

TEST_F(demo_input, events_made_while_the_handler_is_busy_reach_it_as_the_newest_one) {
    const HWND fruits = control(demo::fruits_list);
    gui::click(control(demo::busy_button));
    ASSERT_EQ(demo.next_line(), event_line(event_activate, "busy"));
    ASSERT_EQ(demo.next_line(), "busy start");
    gui::click(control(demo::add_button));
    gui::click_at(fruits, entry_point(fruits, 3));
    // The GUI thread has handled the click once the selection shows.
    ASSERT_TRUE(gui::wait_until([&] { return gui::list_selection(fruits) == 3; }));
    ASSERT_TRUE(demo.release_busy());
    EXPECT_EQ(demo.next_line(), "busy end");
    EXPECT_EQ(demo.next_line(), event_line(event_select, "fruits"));
    // The click on Add was replaced, not queued.
    gui::click(control(demo::drop_button));
    EXPECT_EQ(demo.next_line(), event_line(event_activate, "drop"));
}

TEST_F(demo_input, a_repaint_while_the_handler_is_busy_does_not_replace_a_click) {
    gui::click(control(demo::busy_button));
    ASSERT_EQ(demo.next_line(), event_line(event_activate, "busy"));
    ASSERT_EQ(demo.next_line(), "busy start");
    gui::click(control(demo::add_button));
    // Wait until the GUI thread has taken the click: Add then has the focus.
    ASSERT_TRUE(has_focus(control(demo::add_button)));
    // Uncover the window as a closing dialog does: it repaints.
    RedrawWindow(demo.window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    ASSERT_TRUE(demo.release_busy());
    EXPECT_EQ(demo.next_line(), "busy end");
    EXPECT_EQ(demo.next_line_of_any_kind(), event_line(event_activate, "add"));
}

TEST_F(demo_input, without_input_the_handler_still_receives_empty_events) {
    EXPECT_TRUE(demo.skip_to("event 0 null"));
    EXPECT_TRUE(demo.skip_to("event 0 null"));
}

} // namespace
