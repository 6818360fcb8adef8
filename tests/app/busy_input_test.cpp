// Input given while a command runs, with both threads running and real keys
// and clicks: it acts on what the user saw when giving it, as in a program
// with one thread, and the window still paints and moves meanwhile.
#include <gtest/gtest.h>

#include "framework/controls.h"
#include "framework/wk_app.h"
#include "tests/app/main_window_session.h"

namespace {

using g = gen_main_win;

POINT middle_of(HWND control) {
    RECT client{};
    GetClientRect(control, &client);
    return {client.right / 2, client.bottom / 2};
}

POINT middle_of_line(HWND list_box, int line) {
    RECT item{};
    SendMessageA(list_box, LB_GETITEMRECT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&item));
    return {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
}

RECT place_of(HWND window) {
    RECT outer{};
    GetWindowRect(window, &outer);
    return outer;
}

// The user moves the window and clicks B meanwhile: the window moves and
// repaints at once.
void move_and_repaint(HWND window, const RECT& before) {
    ASSERT_TRUE(drag_caption_by(window, 40, 30));
    EXPECT_TRUE(wait_until([&] { return place_of(window).left == before.left + 40; }))
        << "the window did not move while busy";
    InvalidateRect(window, nullptr, TRUE);
    EXPECT_TRUE(wait_until([&] { return GetUpdateRect(window, nullptr, FALSE) == FALSE; }))
        << "the window was not repainted while busy";
}

void move_back(HWND window, const RECT& before) {
    MoveWindow(window, before.left, before.top, before.right - before.left, before.bottom - before.top, TRUE);
}

// Update is clicked with A selected and its text changed; while Update runs,
// the user clicks B, then moves the window (whose move must not take the
// click). Update stores A's text in A, then B is shown.
TEST(busy_command, a_click_given_while_it_runs_acts_after_it_on_what_the_user_saw) {
    const temporary_file file("busy.html");
    write_document("A|B", file.path);
    open_document(file.path);
    perform({select_line(&g::all_paragraphs_list, 0), type_into(&g::paragraph_edit, "A2")});
    main_win& window = the_window();
    const RECT before = place_of(window.window_handle);
    do_inside_next_command([&] {
        ASSERT_TRUE(give_click(window.all_paragraphs_list, middle_of_line(window.all_paragraphs_list, 1)));
        ASSERT_TRUE(input_kept(QS_MOUSEBUTTON));
        move_and_repaint(window.window_handle, before);
    });
    ASSERT_TRUE(give_click(window.update_button, middle_of(window.update_button)));
    run_event_loop_until([] { return text_of(&g::paragraph_edit) == "B"; });
    EXPECT_EQ(shown(&g::all_paragraphs_list), "A2|[B]");
    EXPECT_EQ(text_of(&g::paragraph_edit), "B");
    move_back(window.window_handle, before);
}

// Letters typed while "New paragraph after" runs go to the new paragraph's
// box, which the command empties and focuses, in the order typed, also when
// the window is moved after them.
TEST(busy_command, letters_typed_while_it_runs_arrive_after_it_in_order) {
    perform({click_on(&g::new_file_button), type_into(&g::paragraph_edit, "first")});
    main_win& window = the_window();
    const RECT before = place_of(window.window_handle);
    do_inside_next_command([&] {
        ASSERT_TRUE(type_letters("xyz"));
        ASSERT_TRUE(input_kept(QS_KEY));
        move_and_repaint(window.window_handle, before);
    });
    ASSERT_TRUE(give_click(window.new_paragraph_button, middle_of(window.new_paragraph_button)));
    run_event_loop_until([] { return text_of(&g::paragraph_edit) == "xyz"; });
    EXPECT_EQ(text_of(&g::paragraph_edit), "xyz");
    EXPECT_EQ(shown(&g::all_paragraphs_list), "|[]");
    move_back(window.window_handle, before);
}

// While a command runs, with the focus in the symbol box, the user clicks
// into the paragraph box (showing A), goes to its end, types, presses Alt+U
// (Update paragraph) and Tab. The letters follow the click into the
// paragraph box, Update stores them, and Tab leaves the paragraph box.
TEST(busy_command, keys_typed_after_a_click_go_where_the_click_put_the_focus) {
    const temporary_file file("busy_keys.html");
    write_document("A|B", file.path);
    open_document(file.path);
    perform({select_line(&g::all_paragraphs_list, 0), type_into(&g::symbol_edit, "")});
    main_win& window = the_window();
    do_inside_next_command([&] {
        request_focus(window.symbol_edit);
        ASSERT_TRUE(give_click(window.paragraph_edit, middle_of(window.paragraph_edit)));
        ASSERT_TRUE(press_keys({VK_CONTROL, VK_END}));
        ASSERT_TRUE(type_letters("xyz"));
        ASSERT_TRUE(press_keys({VK_MENU, 'U'}));
        ASSERT_TRUE(press_keys({VK_TAB}));
        ASSERT_TRUE(input_kept(QS_KEY | QS_MOUSEBUTTON));
    });
    ASSERT_TRUE(give_click(window.search_button, middle_of(window.search_button)));
    const HWND after_box = tab_target(window, window.paragraph_edit, false)->control;
    HWND focus = nullptr;
    run_event_loop_until([&] {
        run_on_gui_thread([&] { focus = GetFocus(); });
        return focus == after_box;
    });
    EXPECT_EQ(shown(&g::all_paragraphs_list), "[Axyz]|B");
    EXPECT_EQ(text_of(&g::paragraph_edit), "Axyz");
    EXPECT_EQ(text_of(&g::symbol_edit), "");
    EXPECT_EQ(focus, after_box) << "Tab did not leave the paragraph box";
}

// While a command runs, the user clicks Update paragraph (A's text changed),
// then B in the paragraph list: both act, in that order, every time.
TEST(busy_command, a_button_and_then_a_list_entry_clicked_while_it_runs_both_act) {
    const temporary_file file("busy_clicks.html");
    write_document("A|B", file.path);
    main_win& window = the_window();
    constexpr int rounds = 20;
    for (int round = 0; round < rounds; ++round) {
        SCOPED_TRACE(round);
        open_document(file.path);
        perform({select_line(&g::all_paragraphs_list, 0), type_into(&g::paragraph_edit, "A2")});
        do_inside_next_command([&] {
            ASSERT_TRUE(give_click(window.update_button, middle_of(window.update_button)));
            ASSERT_TRUE(
                give_click(window.all_paragraphs_list, middle_of_line(window.all_paragraphs_list, 1)));
            ASSERT_TRUE(input_kept(QS_MOUSEBUTTON));
        });
        ASSERT_TRUE(give_click(window.search_button, middle_of(window.search_button)));
        // The list shows B selected before its selection's event is taken:
        // the box showing B is the command's own effect.
        run_event_loop_until([] { return text_of(&g::paragraph_edit) == "B"; });
        ASSERT_EQ(shown(&g::all_paragraphs_list), "A2|[B]");
        ASSERT_EQ(text_of(&g::paragraph_edit), "B");
    }
}

HCURSOR cursor_shown() {
    HCURSOR cursor = nullptr;
    run_on_gui_thread([&cursor] { cursor = GetCursor(); });
    return cursor;
}

// A command that runs a while shows the wait cursor over the window, not
// over its frame; once it has finished the control under the pointer sets
// its own cursor again.
TEST(busy_command, shows_the_wait_cursor_over_the_window_while_it_runs) {
    main_win& window = the_window();
    const HCURSOR wait_cursor = LoadCursorA(nullptr, IDC_WAIT);
    POINT over_list = middle_of(window.all_paragraphs_list);
    ClientToScreen(window.all_paragraphs_list, &over_list);
    ASSERT_TRUE(SetCursorPos(over_list.x, over_list.y));
    do_inside_next_command([&] {
        EXPECT_TRUE(wait_until([&] { return cursor_shown() == wait_cursor; }))
            << "no wait cursor while the command ran";
    });
    ASSERT_TRUE(give_click(window.update_button, middle_of(window.update_button)));
    run_event_loop_until([&] { return cursor_shown() != wait_cursor; });
    EXPECT_NE(cursor_shown(), wait_cursor);
}

} // namespace
